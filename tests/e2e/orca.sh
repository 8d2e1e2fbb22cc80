#!/usr/bin/env bash
# The screen reader itself, not only the accessible tree: Debian's Orca runs against the real
# program under Xvfb with a small window manager, on a private accessibility bus, and its debug
# log (every line it speaks appears as "SPEECH OUTPUT: '…'") must show that it speaks the exam
# window, a sheet tab the keyboard moves to, a figure's description when its tab is chosen, and
# the 10-minute warning of a running exam, which faketime brings on in well under a minute.
PROG=${1:?program}
HERE=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_A11Y_SESSION:-}" ] || exec "$HERE/with_a11y_bus.sh" env E2E_A11Y_SESSION=1 "$0" "$@"
source "$HERE/lib.sh"
command -v orca >/dev/null || fail "orca is not installed (scripts/setup.sh test)"
command -v openbox >/dev/null || fail "openbox is not installed (scripts/setup.sh test)"

e2e_start_x_with_a11y
export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
# A speech server of the run's own whose only voice is silent: Orca logs what it would say.
speechd="$E2E_TMP/speechd"
mkdir -p "$speechd"
printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n' >"$speechd/speechd.conf"
speech-dispatcher -s -t 0 -C "$speechd" -c unix_socket \
    -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" >"$E2E_TMP/speechd.log" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break
    sleep 0.1
done
openbox >"$E2E_TMP/openbox.log" 2>&1 &
E2E_PIDS+=($!)
log=${ORCA_LOG:-$E2E_TMP/orca.log}
orca --replace --debug-file "$log" >"$E2E_TMP/orca.out" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 100); do
    grep -q "SPEECH OUTPUT" "$log" 2>/dev/null && break
    sleep 0.1
done
grep -q "SPEECH OUTPUT" "$log" 2>/dev/null ||
    fail "Orca did not speak: $(grep -a "SPEECH\|ERROR" "$log" | tail -n 4) $(tail -n 2 "$E2E_TMP/speechd.log")"

# 10:00:30 at start-up, 180 times faster: the 70 minutes to the warning pass in 23 seconds.
e2e_start_program faketime -f '@2026-12-08 10:00:30 x180' "$PROG"
heard() { # waits for a spoken line matching the pattern
    local i
    for i in $(seq "${2:-100}"); do
        grep -a "SPEECH OUTPUT: '" "$log" | grep -a -q -- "$1" && return 0
        sleep 0.1
    done
    return 1
}
heard "問題 （英語）.*frame" || fail "the exam window was not spoken"
# Start has the focus; Space presses it and the focus passes to 得　点. Two Tabs reach the
# paper's tabs, where Right chooses 図１; two more pass its picture and reach the sheet's tab.
xdotool key --delay 200 space Tab Tab
heard "問題 page tab" || fail "the paper's tab was not spoken"
xdotool key --delay 200 Right
heard "図１ page tab" || fail "図１'s tab was not spoken"
heard "notification 図１。.*五人" || fail "図１'s description was not spoken when its tab was chosen"
xdotool key --delay 200 Tab Tab
heard "1A-問1 page tab" || fail "the sheet's tab was not spoken"
heard "残り10分です" 600 || fail "the 10-minute warning was not spoken"
! grep -a "SPEECH OUTPUT: '" "$log" | grep -a -q "残り時間 [0-9]" || fail "the clock's minute-by-minute change was spoken"
grep -a "SPEECH OUTPUT: '" "$log" | grep -a -E "frame|1A-問1 page|図１|残り10分" | sed 's/^/heard: /' | cut -c1-100
echo "1 passed, 0 failed"
