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
  poppler-utils
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
# A new machine's first-boot updates may hold the package lock for a while: wait for it.
APT_OPTS=(-o DPkg::Lock::Timeout=600)
$SUDO apt-get "${APT_OPTS[@]}" update -qq
$SUDO apt-get "${APT_OPTS[@]}" install -y -qq --no-install-recommends "${missing[@]}"
