#!/usr/bin/env bash
# Start-up measured from outside the program: milliseconds from fork until the X server maps the
# first top-level window, and peak resident memory then, for the program and for a bare Qt
# Widgets window built on its own. One Xvfb, one untimed start of each, then ROUNDS rounds that
# alternate the two; medians and the ratios of one run.
#   bench/startup.sh BUILD_DIR [ROUNDS] [PROGRAM]
# The yardstick (mapwait.c and the bare window) is the team's shared copy, found beside the
# repository or at $YARDSTICK; it is compiled into BUILD_DIR/yardstick.
set -euo pipefail
build=$(realpath "${1:?build dir}")
rounds=${2:-15}
program=${3:-$build/eigo-exam}
yardstick=${YARDSTICK:-$(dirname "$0")/../../shared/bench}
settle_ms=${SETTLE_MS:-300}
[ -f "$yardstick/mapwait.c" ] || { echo "no yardstick at $yardstick (set YARDSTICK)" >&2; exit 2; }

out="$build/yardstick"
mkdir -p "$out"
if [ ! -x "$out/mapwait" ] || [ "$yardstick/mapwait.c" -nt "$out/mapwait" ]; then
    cc -O2 -o "$out/mapwait" "$yardstick/mapwait.c" -lX11
fi
cmake -S "$yardstick/bare" -B "$out/bare-build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/bare-build" >/dev/null
bare="$out/bare-build/bare"

source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x

"$out/mapwait" "$settle_ms" "$bare" >/dev/null
"$out/mapwait" "$settle_ms" "$program" >/dev/null
prog_ms=() prog_kb=() bare_ms=() bare_kb=()
for _ in $(seq "$rounds"); do
    read -r ms kb < <("$out/mapwait" "$settle_ms" "$program")
    prog_ms+=("$ms") prog_kb+=("$kb")
    read -r ms kb < <("$out/mapwait" "$settle_ms" "$bare")
    bare_ms+=("$ms") bare_kb+=("$kb")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
awk -v n="$rounds" -v pm="$(median "${prog_ms[@]}")" -v pk="$(median "${prog_kb[@]}")" \
    -v bm="$(median "${bare_ms[@]}")" -v bk="$(median "${bare_kb[@]}")" 'BEGIN {
    printf "rounds (alternating):  %d\n", n
    printf "bare window:           %7.1f ms to map  %8d kB peak\n", bm, bk
    printf "program:               %7.1f ms to map  %8d kB peak\n", pm, pk
    printf "ratio program / bare:  %7.2f x          %8.2f x   (goals: 1.3 x, 1.2 x)\n", pm / bm, pk / bk
}'
