#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build and the tests need and the machine
# lacks, and the packages named as arguments (the benchmark's own, for
# scripts/bench.sh). Safe to run again: it asks apt only when a package is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make python3
  googletest libgtest-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64
  xvfb openbox xdotool imagemagick x11-utils
  nsis
  # The Linux program and its end-to-end tests (a session bus of their own,
  # the test's tray host in Python with the GObject bindings).
  pkg-config libgtk-3-dev libwebkit2gtk-4.1-dev libcurl4-openssl-dev libsecret-1-dev
  dbus dbus-bin python3-gi fonts-dejavu-core
  # What a screen reader reads, for the tests of the dialogs' accessibility.
  at-spi2-core python3-pyatspi
  # The dictionaries WebKit's spell checker finds through enchant, which the
  # Debian package recommends.
  hunspell-de-de hunspell-en-us
  # The Debian package's dependencies (dpkg-shlibdeps) and its checks.
  dpkg-dev lintian appstream appstream-compose desktop-file-utils
  # A Secret Service for the tests of the stored password.
  gnome-keyring libsecret-tools
  osslsigncode openssl
  "$@"
)
# Not clang and libclang-rt-14-dev for the fuzz targets: about 50 MB to fetch
# and 280 MB installed; make test runs the fuzz targets only where they are.

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
