#!/usr/bin/env bash
# Installs what the build needs, builds Tarvenix in build/ for the /usr
# prefix and makes the Debian packages tarvenix, tarvenix-server and
# tarvenix-data in build/packages/. Install them with
#   sudo apt install ./build/packages/*.deb
set -euo pipefail
cd "$(dirname "$0")"
source .ci/packages.sh

tarvenix_install_packages
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build -j "$(nproc)"
rm -rf build/packages
cpack --config build/CPackConfig.cmake -B build/packages
rm -rf build/packages/_CPack_Packages
ls -l build/packages/*.deb
