#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, as CTest's emulator and for
# scripts/windows.sh. Wine drops environment variables whose names begin with QT_, so
# QT_QPA_PLATFORM becomes the program's -platform argument. WINEPREFIX defaults to a
# prefix of its own beside the build (build-windows/wine).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
program="$1"
shift
platform=()
[ -n "${QT_QPA_PLATFORM:-}" ] && platform=(-platform "$QT_QPA_PLATFORM")
exec wine "$program" "$@" "${platform[@]}"
