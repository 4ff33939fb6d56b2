#!/usr/bin/env bash
# Installs, with apt-get, whatever this project needs that the machine lacks,
# and generates the Linux locales that the Windows tests take from LANG.
set -euo pipefail

packages=(
  make cmake ninja-build g++ clang clang-format libclang-rt-14-dev
  googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Locales the window tests switch between (Wine reads LANG, but only for
# locales that exist on the Linux side).
need_locales=(en_US de_DE en_GB ja_JP)
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
gen=()
for l in "${need_locales[@]}"; do
  lc=$(echo "$l.utf8" | tr 'A-Z' 'a-z')
  grep -qx "$lc" <<<"$have" || gen+=("$l")
done
if [ ${#gen[@]} -gt 0 ]; then
  for l in "${gen[@]}"; do
    $SUDO sed -i "s/^# *\(${l}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l}.UTF-8 UTF-8" /etc/locale.gen || echo "${l}.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
  done
  $SUDO locale-gen >/dev/null
fi
