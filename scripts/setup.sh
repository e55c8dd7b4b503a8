#!/usr/bin/env bash
# Installs the Debian packages the build needs (only the missing ones), then
# configures and builds. BUILD_DIR picks the build folder (default: build);
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer;
# WERROR=1 makes compiler warnings errors (the project's checks), otherwise the
# build folder keeps what it was configured with (warnings only, at first).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-serialport-dev
          libgl-dev libgtest-dev libgmock-dev libbenchmark-dev)
# The Debian package: its dependency list, the desktop entry's and the manual pages' checks.
packages+=(dpkg-dev desktop-file-utils man-db)
bash scripts/install_missing.sh "${packages[@]}"

build_dir="${BUILD_DIR:-build}"
sanitize=OFF
[ "${SANITIZE:-0}" = "1" ] && sanitize=ON
options=(-DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DINTERLOCK_SANITIZE="$sanitize")
[ "${WERROR:-0}" = "1" ] && options+=(-DINTERLOCK_WERROR=ON)
cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build_dir"
