#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Checks with dpkg first, so a second run installs nothing.
set -eu
packages=(
  build-essential cmake pkg-config
  libgtk-3-dev libpcre3-dev libarchive-dev zlib1g-dev libpng-dev libx11-dev
  libcurl4-gnutls-dev libgtest-dev googletest libxml2-dev
  xvfb xauth fonts-liberation fonts-dejavu-core
  # real mouse and keyboard input for the window tests
  xdotool
  # the stopwatch U+231A of the status texts: no font above has it
  fonts-symbola
  libhyphen-dev hyphen-en-us hyphen-de
  hunspell hunspell-en-us hunspell-de-de hunspell-fr hunspell-tools
  libmythes-dev mythes-en-us
  # files in declared 8-bit charsets, read back by Hunspell, libhyphen and libmythes
  hunspell-pl hunspell-el hunspell-lt hyphen-pl hyphen-el hyphen-ru hyphen-lt hyphen-cs mythes-pl
  # profiling the benchmarks (perf record / perf stat)
  linux-perf
  # make fuzz: clang with libFuzzer's runtime
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
