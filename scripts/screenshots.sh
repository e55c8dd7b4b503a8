#!/usr/bin/env bash
# Pictures of the program's pages for the README, written to docs/: builds the picture
# maker and runs it on a virtual display (Xvfb, installed when missing) against the
# simulated interlock. BUILD_DIR picks the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_missing.sh xvfb xauth
build_dir="${BUILD_DIR:-build}"
[ -f "$build_dir/build.ninja" ] || cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target screenshots
xvfb-run -a -s "-screen 0 1600x1200x24" env QT_QPA_PLATFORM=xcb "$build_dir/tools/screenshots/screenshots" docs
