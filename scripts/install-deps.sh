#!/usr/bin/env bash
# Installs the Debian packages needed to build and test the DATANORM module.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  libsqlite3-dev sqlite3
  libcurl4-openssl-dev libxml2-dev libzip-dev zlib1g-dev
  libcli11-dev libfmt-dev libcpp-httplib-dev
  qt6-base-dev qt6-translations-l10n
  xvfb xauth openbox
  clang libclang-rt-14-dev clang-format
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
