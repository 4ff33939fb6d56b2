# Thin front end over the CMake presets and the scripts in tools/.
.PHONY: demo test deps native win64 fuzz bench format

deps:
	tools/install-deps.sh

demo:
	tools/run-demo.sh

test:
	tools/run-tests.sh

native: deps
	cmake --preset native && cmake --build --preset native && ctest --preset native

win64: deps
	cmake --preset win64 && cmake --build --preset win64 && tools/with-display.sh ctest --preset win64

fuzz: deps
	tools/run-fuzzers.sh

bench: deps
	tools/run-benchmarks.sh

format:
	find components toolkit demo tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i
