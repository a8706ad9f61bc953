#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need.
# Runs unattended as root on a fresh Debian 12 machine; does nothing when all are present.
set -euo pipefail

PACKAGES=(
  build-essential
  cmake
  pkg-config
  qt6-base-dev
  libgl-dev
  libzip-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  fonts-liberation
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
