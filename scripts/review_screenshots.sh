#!/usr/bin/env bash
# Pictures of the log review window for the README: builds the picture maker and
# runs it offscreen on a generated log. BUILD_DIR picks the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
[ -f "$build_dir/build.ninja" ] || cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target review_screenshot
QT_QPA_PLATFORM=offscreen "$build_dir/tests/review/review_screenshot" docs
