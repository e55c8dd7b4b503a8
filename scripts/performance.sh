#!/usr/bin/env bash
# Builds the benchmarks in a Release build and writes docs/performance.md: every
# figure as a ratio against the wire time at 115200 baud or the fixed waits, with the
# command that gave it. BUILD_DIR picks the build folder (default: build-release).
set -euo pipefail
cd "$(dirname "$0")/.."
# Needs the packages scripts/setup.sh installs (run scripts/test.sh once first).
dir="${BUILD_DIR:-build-release}"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target interlock-sim interlock-service gatherer_bench log_decode_bench \
  download_bench cli_download_bench firmware_bench settings_open_bench review_open_bench
report=docs/performance.md
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Runs one benchmark, keeps its output for the report and echoes it.
run() {
    local name="$1"
    shift
    echo "\$ ${*#"$dir/"}" | tee "$work/$name"
    "$@" 2>&1 | tee -a "$work/$name"
}

# The x_line_rate counter of a Google Benchmark line, as "N×".
line_rate() {
    grep -E "^$2" "$work/$1" | grep -oE 'x_line_rate=[0-9.]+[kM]?' | head -1 | cut -d= -f2 |
        awk '{v = $1 + 0; if ($1 ~ /k$/) v *= 1e3; if ($1 ~ /M$/) v *= 1e6; printf "%d", v}'
}
# The value after a label in a bench's own print-out.
field() { grep -E "^$2" "$work/$1" | head -1 | awk "{print \$$3}"; }

run gatherer "$dir/bench/gatherer_bench"
(unset TZ; run decode "$dir/bench/log_decode_bench") # as on most desktops
run download "$dir/bench/download_bench" --records 20000
run cli "$dir/bench/cli_download_bench" --records 20000
run firmware "$dir/bench/firmware_bench" --kib 256
run settings "$dir/bench/settings_open_bench" --runs 20
run review "$dir/bench/review_open_bench" --events 100000

{
    cat <<EOF
# Performance

Written by \`bash scripts/performance.sh\` (Release build in \`$dir\`) on $(nproc) cores,
$(date -u +%Y-%m-%d). The line is 115200 baud 8N1, 11,520 bytes a second. A transfer's
figure is its wall time over the wire time of the bytes it moved (1.00 is the line
itself); a page's opening is set against the fixed waits the same opening would spend
without waking early; decoding and gathering are set against the line rate (how many
times faster than the line can deliver the bytes). Figures from a busy machine are
worse, never better: run it on an idle one.

| What | Figure | Against |
|---|---|---|
| Receive path (gatherer + dispatcher, 4,095-byte reads) | $(line_rate gatherer 'BM_GatherAndDispatch/4095') × | line rate |
| Log decode, TZ unset | $(line_rate decode BM_DecodeRecords) × | line rate |
| Log decode and export, TZ unset | $(line_rate decode BM_DownloadAndExport) × | line rate |
| 20,000-record download on the DOWNLOAD page | $(field download 'wall / wire' 4) | wire time |
| Longest stall of the window during that download | $(field download 'longest stall' 3) ms | event loop turns |
| 20,000-record download through the command line, start to exit | $(field cli 'wall / budget' 4) | wire time + $(field cli 'fixed waits' 3) s of fixed waits |
| Firmware image of 256 KiB | $(field firmware 'wall / wire' 4) | wire time |
| SETTINGS PART 2 opening (median) | $(field settings 'median / waits' 4) | 1.2 s of fixed waits |
| Log review of 100,000 events, open to drawn | $(field review 'open to drawn' 4) ms | 1 s budget |
| Longest stall of the review window while it fills | $(field review 'longest stall' 3) ms | 50 ms budget |

EOF
    for name in gatherer decode download cli firmware settings review; do
        echo "## $name"
        echo
        echo '```'
        cat "$work/$name"
        echo '```'
        echo
    done
} >"$report"
echo "wrote $report"
