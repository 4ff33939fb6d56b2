# `cmake --install` puts the libraries, their headers and a package
# configuration under the prefix, so that another project can write
#   find_package(Quillet REQUIRED)
#   target_link_libraries(app PRIVATE Quillet::Quillet)
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(_targets quillet_rules quillet_toolkit_core)
if(TARGET quillet_toolkit)
  list(APPEND _targets quillet_toolkit)
endif()
if(TARGET quillet)
  list(APPEND _targets quillet)
endif()

install(TARGETS ${_targets} EXPORT QuilletTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillet)

# Headers keep their folders, so that the installed ones include each other
# exactly as in the source tree.
install(DIRECTORY components/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillet/components
  FILES_MATCHING PATTERN "*.h")
install(DIRECTORY toolkit/core/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillet/toolkit/core
  FILES_MATCHING PATTERN "*.h")
if(WIN32)
  install(DIRECTORY toolkit/win/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillet/toolkit/win
    FILES_MATCHING PATTERN "*.h")
endif()

set(_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quillet)
install(EXPORT QuilletTargets NAMESPACE Quillet:: DESTINATION ${_config_dir})
configure_package_config_file(cmake/QuilletConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuilletConfig.cmake INSTALL_DESTINATION ${_config_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuilletConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuilletConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/QuilletConfigVersion.cmake DESTINATION ${_config_dir})
