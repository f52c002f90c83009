#!/usr/bin/env bash
# Installs what the build needs, builds everything in build/ and runs the
# whole test suite. Exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")"
source .ci/packages.sh

tarvenix_install_packages
tarvenix_build
tarvenix_runtime_dir
ctest --test-dir build --output-on-failure -j2
