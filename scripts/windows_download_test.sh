#!/usr/bin/env bash
# The Windows program under Wine reads a 2,000-event log from interlock-sim through
# COM5 (a link in the Wine prefix to the simulator's pseudo-terminal) and writes the
# export file byte for byte as the Linux program does from the same simulated log.
#   bash scripts/windows_download_test.sh [PROGRAM.com]
# PROGRAM defaults to the console program of the packed folder (scripts/windows.sh
# package), which brings its DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
packed=(build-windows/interlock-service-*-win64/interlock-service.com)
program="$(realpath "${1:-${packed[0]}}")"
[ -f "$program" ] || { echo "no Windows program: run bash scripts/windows.sh first" >&2; exit 1; }
unset WINEPATH
sim="$root/build/src/sim/interlock-sim"
linux="$root/build/src/service/interlock-service"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wine}"
export WINEDEBUG=-all
export INTERLOCK_PASSWORD=secret
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -f "$WINEPREFIX/dosdevices/com5" "$WINEPREFIX/drive_c/user.txt"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "windows download test: $*" >&2; exit 1; }

# One clock and one log for both runs; the device's clock is UTC, the zone the same.
export TZ=UTC
sim_args=(--log-count 2000 --log-seed 7 --clock '2026-03-01 08:00:00')

# Starts the simulator, held by its input on descriptor 7; its port in $pty.
start_sim() {
  mkfifo "$work/sim-in"
  "$sim" "${sim_args[@]}" <"$work/sim-in" >"$work/sim-out" &
  sim_pid=$!
  exec 7>"$work/sim-in"
  rm "$work/sim-in"
  for _ in $(seq 1 100); do
    [ -s "$work/sim-out" ] && break
    sleep 0.05
  done
  pty="$(head -1 "$work/sim-out")"
}

stop_sim() {
  exec 7>&-
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

# The Linux program's export file first.
mkdir -p "$work/config/interlock-service" "$work/linux" "$work/windows"
printf 'tech\tsecret\r\n' >"$work/config/interlock-service/user.txt"
start_sim
XDG_CONFIG_HOME="$work/config" "$linux" download --port "$pty" --registration AB12 \
  --out "$work/linux" --user tech </dev/null >/dev/null || fail "the Linux download failed"
stop_sim

# Then the Windows program's, through COM5.
[ -f "$WINEPREFIX/system.reg" ] || { wineboot --init >/dev/null 2>&1; wineserver -w; }
printf 'tech\tsecret\r\n' >"$WINEPREFIX/drive_c/user.txt"
start_sim
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
wine "$program" download --port COM5 --registration AB12 --out "$(winepath -w "$work/windows")" \
  --user tech </dev/null >/dev/null || fail "the Windows download failed"
stop_sim

linux_file="$(find "$work/linux" -name '*.csv')"
windows_file="$(find "$work/windows" -name '*.csv')"
[ -n "$windows_file" ] || fail "the Windows program wrote no export file"
cmp "$linux_file" "$windows_file" || fail "the export files differ"
echo "windows download test passed: $(wc -l <"$windows_file") lines, the same export file as on Linux"
