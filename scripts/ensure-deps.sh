#!/usr/bin/env bash
# Installs, through apt-get, whatever the build and the tests need and is not there yet.
# Quiet when everything is present; safe to run again and again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config python3
  clang libclang-rt-14-dev
  googletest libgtest-dev libjpeg62-turbo-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 dpkg-dev
  wine wine32 xvfb x11-utils xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  locales fonts-wqy-microhei zip
  pulseaudio pulseaudio-utils libpulse0:i386
  stress-ng
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# wine32 lives in the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi

# The Windows build compiles libjpeg-turbo from Debian's source package.
sources=/etc/apt/sources.list.d/debian.sources
if [ -f "$sources" ] && ! grep -q '^Types:.*deb-src' "$sources"; then
  as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
  need_update=1
elif [ ! -f "$sources" ] && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee -a /etc/apt/sources.list >/dev/null
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "Installing: ${missing[*]:-(package lists only)}" >&2
  as_root apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
fi

# The Chinese interface is tested in the zh_CN.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
