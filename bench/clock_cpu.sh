#!/usr/bin/env bash
# CPU time the program spends while the exam clock runs, against the same window left Ready and
# left Ready beside a 1-second timer that does nothing, all under Xvfb at the same time and with a private null sound sink, so that the player holds
# a live connection as it would on a desktop. Also how often the clock label and everything
# else were repainted. Goals: under 30 ms of CPU a minute; one label repaint a minute, no other.
#   bench/clock_cpu.sh BUILD_DIR [SECONDS]     (SECONDS of measuring, 150 unless given)
set -euo pipefail
build=${1:?build dir}
seconds=${2:-150}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x

export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
sound="none"
if command -v pulseaudio >/dev/null; then
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
        --load="module-native-protocol-unix" --load="module-null-sink sink_name=bench_sink" \
        --log-target=stderr --log-level=error 2>"$E2E_TMP/pulse.log" &
    E2E_PIDS+=($!)
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && { sound="null sink"; break; }
        sleep 0.1
    done
fi

"$build/clock_cpu_probe" ready "$seconds" >"$E2E_TMP/ready.txt" 2>"$E2E_TMP/ready.log" &
ready=$!
E2E_PIDS+=($ready)
"$build/clock_cpu_probe" run "$seconds" >"$E2E_TMP/run.txt" 2>"$E2E_TMP/run.log" &
running=$!
E2E_PIDS+=($running)
"$build/clock_cpu_probe" emptytick "$seconds" >"$E2E_TMP/empty.txt" 2>"$E2E_TMP/empty.log" &
empty=$!
E2E_PIDS+=($empty)
wait "$ready" || fail "the Ready probe failed: $(cat "$E2E_TMP/ready.log")"
wait "$running" || fail "the running probe failed: $(cat "$E2E_TMP/run.log")"
wait "$empty" || fail "the empty-tick probe failed: $(cat "$E2E_TMP/empty.log")"

value() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
awk -v s="$seconds" -v sound="$sound" \
    -v rc="$(value cpu_ms_per_minute "$E2E_TMP/ready.txt")" \
    -v uc="$(value cpu_ms_per_minute "$E2E_TMP/run.txt")" \
    -v ec="$(value cpu_ms_per_minute "$E2E_TMP/empty.txt")" \
    -v ul="$(value label_paints_per_minute "$E2E_TMP/run.txt")" \
    -v uo="$(value other_paints_per_minute "$E2E_TMP/run.txt")" \
    -v rl="$(value label_paints_per_minute "$E2E_TMP/ready.txt")" \
    -v ro="$(value other_paints_per_minute "$E2E_TMP/ready.txt")" \
    -v text="$(value clock_text "$E2E_TMP/run.txt")" 'BEGIN {
    printf "measured:                  %d s each, three side by side; sound output: %s\n", s, sound
    printf "Ready (clock stopped):     %6.2f ms CPU per minute; paints/min: label %.2f, other %.2f\n", rc, rl, ro
    printf "Ready + empty 1 s tick:    %6.2f ms CPU per minute (the floor of any tick here)\n", ec
    printf "running (clock ticking):   %6.2f ms CPU per minute; paints/min: label %.2f, other %.2f\n", uc, ul, uo
    printf "cost of the clock:         %6.2f ms CPU per minute (clock read %s at the end)\n", uc - rc, text
    printf "of which above an empty tick: %6.2f ms CPU per minute\n", uc - ec
    printf "running / goal of 30 ms:   %6.2f\n", uc / 30
}'
