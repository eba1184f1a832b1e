#!/usr/bin/env bash
# Installs the Debian packages Kivola needs to build, run and test.
# This is the one place that knows the package list.
set -euo pipefail

PACKAGES=(
  # build tools
  build-essential cmake pkg-config python3
  # Qt 6: widgets, multimedia, svg
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6
  qt6-qpa-plugins
  # speech, http, database, fonts
  libespeak-ng-dev espeak-ng-data
  libcurl4-openssl-dev
  libsqlite3-dev sqlite3
  libfontconfig-dev
  fonts-arphic-ukai fonts-arphic-uming fonts-wqy-zenhei fonts-dejavu-core
  # pinyin data set the character database is built from
  golang-github-mozillazg-go-pinyin-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils imagemagick xdotool
)

# `install-deps.sh fuzz` adds what the fuzz harnesses need (clang with libFuzzer).
if [ "${1:-}" = "fuzz" ]; then
  PACKAGES+=(clang libclang-rt-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
