#!/usr/bin/env bash
# Start-up time (process start to the first expose of the window) and peak memory of the exam
# window against a bare main window with one label, under Xvfb, medians of RUNS runs each.
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build dir}
runs=${2:-15}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x

measure() {
    local prog=$1 times=() mems=() start out
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        out=$("$prog")
        times+=($(( ($(awk '/exposed_ns/ {print $2}' <<<"$out") - start) / 1000 )))
        mems+=($(awk '/peak_kb/ {print $2}' <<<"$out"))
    done
    median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
    echo "$(median "${times[@]}") $(median "${mems[@]}")"
}

# One untimed start of each warms the file cache.
"$build/startup_probe_bare" >/dev/null; "$build/startup_probe_exam" >/dev/null
read -r bare_us bare_kb < <(measure "$build/startup_probe_bare")
read -r exam_us exam_kb < <(measure "$build/startup_probe_exam")
awk -v runs="$runs" -v bu="$bare_us" -v bk="$bare_kb" -v eu="$exam_us" -v ek="$exam_kb" 'BEGIN {
    printf "runs each:          %d\n", runs
    printf "bare window:        %8.1f ms  %8d kB peak\n", bu / 1000, bk
    printf "exam window:        %8.1f ms  %8d kB peak\n", eu / 1000, ek
    printf "ratio exam / bare:  %8.2f x   %8.2f x   (goals: 1.2 x, 1.3 x)\n", eu / bu, ek / bk
}'
