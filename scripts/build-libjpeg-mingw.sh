#!/usr/bin/env bash
# Cross-builds Debian's libjpeg-turbo source package as a static 32-bit Windows library.
# Usage: build-libjpeg-mingw.sh PREFIX TOOLCHAIN_FILE
# The result (PREFIX/include, PREFIX/lib/libjpeg.a) is kept and reused while it exists.
set -euo pipefail

prefix=$1
toolchain=$2
stamp=$prefix/.built
# Changes to how the library is built change this line, so that a kept build is redone.
recipe="release, no SIMD, the C runtime's own stdio"

[ "$(cat "$stamp" 2>/dev/null)" = "$recipe" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "Fetching Debian's libjpeg-turbo source package..." >&2
apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1 || apt-get source -qq --download-only libjpeg-turbo
dpkg-source --no-check -x ./libjpeg-turbo_*.dsc src >/dev/null

echo "Cross-building libjpeg-turbo for i686-w64-mingw32..." >&2
cmake -S src -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_SIMD=0 -DWITH_TURBOJPEG=0 \
  -DCMAKE_POSITION_INDEPENDENT_CODE=0 -Wno-dev \
  `# its messages and its one sscanf through msvcrt, not MinGW's own printf and scanf (some` \
  `# 40 KB in the program); the program never lets it print` \
  -DCMAKE_C_FLAGS="-D__USE_MINGW_ANSI_STDIO=0" >/dev/null
cmake --build build >/dev/null
cmake --install build >/dev/null
echo "$recipe" >"$stamp"
