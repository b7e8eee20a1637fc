#!/usr/bin/env bash
# Installs what Tessaly needs to build, test and benchmark on Debian 12, when it is missing.
set -euo pipefail
packages=(cmake ninja-build g++ ccache qtbase5-dev qtbase5-dev-tools libqt5svg5 libbenchmark-dev
          libeigen3-dev liblapack-dev zlib1g-dev)
# pdfinfo checks the analysts' PDF drawings; nauty-geng feeds the analyst benchmark.
packages+=(poppler-utils nauty)
# The update check's tests make their own certificates.
packages+=(openssl)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
