#!/usr/bin/env bash
# Builds the program and starts it with the simulated interlock in its port list.
# Extra arguments name serial devices to list as well (e.g. /dev/ttyUSB0).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec "${BUILD_DIR:-build}/src/app/interlock-service" --demo "$@"
