#!/usr/bin/env bash
# Start-up measured from outside the program, for the program and for a bare Qt Widgets window
# built on its own: milliseconds from fork until the X server maps the first top-level window
# (mapwait), until its pixels stop changing, the finished first frame (framewait), and peak
# resident memory. One Xvfb, one untimed start of each, then ROUNDS rounds that alternate the
# two; medians and the ratios of one run.
#   bench/startup.sh BUILD_DIR [ROUNDS] [PROGRAM]
# The yardstick (mapwait.c, framewait.c and the bare window) is the team's shared copy, found
# beside the repository or at $YARDSTICK; it is compiled into BUILD_DIR/yardstick.
set -euo pipefail
build=$(realpath "${1:?build dir}")
rounds=${2:-15}
program=${3:-$build/eigo-exam}
yardstick=${YARDSTICK:-$(dirname "$0")/../../shared/bench}
settle_ms=${SETTLE_MS:-300}
[ -f "$yardstick/mapwait.c" ] || { echo "no yardstick at $yardstick (set YARDSTICK)" >&2; exit 2; }

out="$build/yardstick"
mkdir -p "$out"
for tool in mapwait framewait; do
    if [ ! -x "$out/$tool" ] || [ "$yardstick/$tool.c" -nt "$out/$tool" ]; then
        cc -O2 -o "$out/$tool" "$yardstick/$tool.c" -lX11
    fi
done
cmake -S "$yardstick/bare" -B "$out/bare-build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/bare-build" >/dev/null
bare="$out/bare-build/bare"

source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x

"$out/mapwait" "$settle_ms" "$bare" >/dev/null
"$out/mapwait" "$settle_ms" "$program" >/dev/null
prog_ms=() prog_kb=() prog_frame=() bare_ms=() bare_kb=() bare_frame=()
for _ in $(seq "$rounds"); do
    read -r ms kb < <("$out/mapwait" "$settle_ms" "$program")
    prog_ms+=("$ms") prog_kb+=("$kb")
    read -r ms kb < <("$out/mapwait" "$settle_ms" "$bare")
    bare_ms+=("$ms") bare_kb+=("$kb")
    read -r _ frame _ < <("$out/framewait" "$settle_ms" "$program")
    prog_frame+=("$frame")
    read -r _ frame _ < <("$out/framewait" "$settle_ms" "$bare")
    bare_frame+=("$frame")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
awk -v n="$rounds" -v pm="$(median "${prog_ms[@]}")" -v pk="$(median "${prog_kb[@]}")" \
    -v pf="$(median "${prog_frame[@]}")" -v bf="$(median "${bare_frame[@]}")" \
    -v bm="$(median "${bare_ms[@]}")" -v bk="$(median "${bare_kb[@]}")" 'BEGIN {
    printf "rounds (alternating):  %d\n", n
    printf "                        map        finished first frame   peak memory\n"
    printf "bare window:           %7.1f ms  %7.1f ms              %8d kB\n", bm, bf, bk
    printf "program:               %7.1f ms  %7.1f ms              %8d kB\n", pm, pf, pk
    printf "ratio program / bare:  %7.2f x   %7.2f x               %8.2f x\n", pm / bm, pf / bf, pk / bk
    printf "goals:                    1.2 x      1.3 x                   1.15 x\n"
}'
