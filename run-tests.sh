#!/usr/bin/env bash
# Installs what the build needs, builds everything in build/ and runs the
# whole test suite. Exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")"
source .ci/packages.sh

tarvenix_install_packages
tarvenix_build
tarvenix_runtime_dir
# The storage tests and the server's tests run once more on PostgreSQL, in
# a throw-away cluster that lives as long as the tests.
tools/pg-test-cluster ctest --test-dir build --output-on-failure -j2
