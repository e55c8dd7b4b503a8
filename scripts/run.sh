#!/usr/bin/env bash
# Builds the program and starts it with the simulated interlock in its port list.
# Extra arguments name serial devices to list as well (e.g. /dev/ttyUSB0).
set -euo pipefail
here="$PWD"
top="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$top" && bash scripts/setup.sh)
# Export files are written to the folder the program runs in: the caller's.
build="${BUILD_DIR:-build}"
[[ "$build" = /* ]] || build="$top/$build"
cd "$here"
exec "$build/src/service/interlock-service" --demo "$@"
