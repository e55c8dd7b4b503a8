#!/usr/bin/env bash
# Builds everything, with compiler warnings as errors, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
WERROR=1 bash scripts/setup.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --timeout 300 -j 2
