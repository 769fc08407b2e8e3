#!/usr/bin/env bash
# Runs every benchmark and prints the figures as ratios against their
# baselines: bench/run.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
runs="${RUNS:-21}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

echo "== Settings: load plus save against the read/write floor"
"$build/bench/settings_bench" --benchmark_min_time=0.3 --benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null >"$XDG_RUNTIME_DIR/settings.json"
python3 - "$XDG_RUNTIME_DIR/settings.json" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
# Medians of the repetitions, so one disturbed run does not decide.
t = {b["run_name"]: b["cpu_time"] for b in data["benchmarks"]
     if b.get("aggregate_name") == "median" and "/" in b["run_name"]}
print("| lines | floor (us) | load+save (us) | ratio to floor | growth vs 10x fewer lines |")
print("|---:|---:|---:|---:|---:|")
prev = None
for n in (1000, 10000, 100000):
    floor, work = t[f"BM_ReadWriteFloor/{n}"], t[f"BM_LoadAndSave/{n}"]
    growth = f"{work / prev:.1f}x" if prev else "-"
    print(f"| {n} | {floor:.0f} | {work:.0f} | {work / floor:.2f} | {growth} |")
    prev = work
PY

# Start-up: alternate launcher and baseline runs so both see the same machine.
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
startup() {
    local label="$1" tmp
    shift
    tmp="$(mktemp -d)"
    for _ in $(seq "$runs"); do
        "$build/bench/startup_bench" >>"$tmp/launcher" 2>/dev/null
        "$build/bench/startup_baseline" "$@" >>"$tmp/baseline" 2>/dev/null
    done
    local lt bt lm bm
    lt="$(cut -d' ' -f1 "$tmp/launcher" | median)"; bt="$(cut -d' ' -f1 "$tmp/baseline" | median)"
    lm="$(cut -d' ' -f2 "$tmp/launcher" | median)"; bm="$(cut -d' ' -f2 "$tmp/baseline" | median)"
    awk -v l="$label" -v lt="$lt" -v bt="$bt" -v lm="$lm" -v bm="$bm" 'BEGIN {
        printf "| %s | %.1f | %.1f | %.2f | %d | %d | %.2f |\n", l, lt, bt, lt / bt, lm, bm, lm / bm }'
    rm -rf "$tmp"
}
echo
echo "== Start-up to the first frame (median of $runs runs each)"
echo "| platform | launcher (ms) | baseline (ms) | time ratio | launcher peak (KiB) | baseline peak (KiB) | memory ratio |"
echo "|---|---:|---:|---:|---:|---:|---:|"
QT_QPA_PLATFORM=offscreen startup offscreen
QT_QPA_PLATFORM=offscreen startup "offscreen, baseline with a caption" --caption
if command -v Xvfb >/dev/null; then
    fifo="$(mktemp -u)"; mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
    read -r number <"$fifo"
    DISPLAY=":$number" QT_QPA_PLATFORM=xcb startup "Xvfb"
    DISPLAY=":$number" QT_QPA_PLATFORM=xcb startup "Xvfb, baseline with a caption" --caption
fi
