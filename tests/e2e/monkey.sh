#!/usr/bin/env bash
# monkey.sh PROGRAM XCLIENT [SEED] [EVENTS]
#
# Random events from a seeded generator against the real program under Xvfb, with its clock
# sped up sixty-fold so that whole exams run out: clicks anywhere on every open window, keys,
# the menus by their access keys, Start, Score and Pass rate at random moments, focusing,
# raising and closing windows, and pauses. After every event the program must still run (a
# clean end through Exit or its last window is followed by a fresh start) and no kind of
# window may be open twice; every few events it must answer a ping, and now and then a
# screenshot tells the open verdict windows apart by their badges. The same seed makes the same
# choices; the program's own timing can still make a state differ from one run to the next.
PROG=${1:?program} XCLIENT=${2:?e2e_xclient} SEED=${3:-1} EVENTS=${4:-300}
source "$(dirname "$0")/lib.sh"

EXAM_NAME='問題 （英語）' ABOUT_NAME='バージョン情報' VERDICT_NAME='合格ライン'
PING_EVERY=20 SHOT_EVERY=250

e2e_start_x
# An X server resets when its last client leaves, and a program started during the reset finds
# no display; a client that stays keeps it up between one run of the program and the next.
"$XCLIENT" hold &
E2E_PIDS+=($!)
# No sound server: the time signal must fail quietly, as it would on a silent machine.
export PULSE_SERVER=unix:/nonexistent/eigo-no-sound
libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1 || true)
[ -n "$libfaketime" ] || fail "libfaketime is not installed"

starts=0 exits=0 pings=0 slowest_ping=0 shots=0 most_windows=0
recent=()

start_program() {
    # env runs the program itself, so E2E_PID is the program and wait gives its own status.
    e2e_start_program env LD_PRELOAD="$libfaketime" FAKETIME="@2026-12-08 10:00:30 x60" "$PROG"
    starts=$((starts + 1))
}

note() {
    recent+=("$1")
    [ ${#recent[@]} -le 15 ] || recent=("${recent[@]:1}")
}

monkey_fail() {
    fail "seed $SEED, event $event: $1
recent events:
$(printf '  %s\n' "${recent[@]}")
program output:
$(tail -n 20 "$E2E_TMP/program.log")"
}

# Reads the program's visible windows into WIN_ID, WIN_X, WIN_Y, WIN_W, WIN_H and WIN_NAME
# (menus are named after the program), with one call to the X server for all of them.
refresh_windows() {
    local try lines
    for try in 1 2 3; do
        # A window that closes while it is being read spoils the answer; read again.
        lines=$(xdotool search --all --onlyvisible --pid "$E2E_PID" '' \
            getwindowgeometry --shell %@ getwindowname %@ 2>/dev/null |
            awk '{ l[NR] = $0 }
                 END {
                     for (n = 0; 6 * n + 1 <= NR && l[6 * n + 1] ~ /^WINDOW=/; n++) {}
                     if (NR != 7 * n) { print "bad"; exit }
                     for (k = 0; k < n; k++) {
                         b = 6 * k
                         printf "%s %s %s %s %s %s\n", substr(l[b + 1], 8), substr(l[b + 2], 3),
                             substr(l[b + 3], 3), substr(l[b + 4], 7), substr(l[b + 5], 8),
                             l[6 * n + 1 + k]
                     }
                 }') || true
        [ "$lines" = bad ] || break
    done
    WIN_ID=() WIN_X=() WIN_Y=() WIN_W=() WIN_H=() WIN_NAME=()
    [ "$lines" != bad ] || return 0
    local id x y w h name
    while read -r id x y w h name; do
        [ -n "$id" ] || continue
        WIN_ID+=("$id") WIN_X+=("$x") WIN_Y+=("$y") WIN_W+=("$w") WIN_H+=("$h") WIN_NAME+=("$name")
    done <<<"$lines"
}

# The index in WIN_ID of the window named $1, or nothing.
window_named() {
    local i
    for i in "${!WIN_ID[@]}"; do
        [ "${WIN_NAME[$i]}" != "$1" ] || { echo "$i"; return; }
    done
}

# Sets E2E_X, E2E_Y to the exam window's client area and prints its id; false when it is closed.
locate_exam() {
    local i
    i=$(window_named "$EXAM_NAME")
    [ -n "$i" ] || return 1
    E2E_X=${WIN_X[$i]} E2E_Y=$((WIN_Y[$i] + WIN_H[$i] - 554))
    echo "${WIN_ID[$i]}"
}

# A press and a release, without the pause xdotool's own click adds.
click_at() { xdotool mousemove "$1" "$2" mousedown 1 mouseup 1; }
click_exam() { click_at $((E2E_X + $1)) $((E2E_Y + $2)); }

KEYS=(space Tab shift+Tab Left Right Up Down ctrl+Tab ctrl+shift+Tab Return Escape alt+g alt+h
      Home End Next Prior Menu a b c g h q x)

# One random event; draws the same four numbers whatever it does.
act() {
    local r0=$RANDOM r1=$RANDOM r2=$RANDOM r3=$RANDOM n=${#WIN_ID[@]} i w
    local roll=$((r0 % 100))
    i=$((n > 0 ? r1 % n : 0))
    w=${WIN_ID[$i]:-}
    if [ $roll -lt 30 ]; then
        [ -n "$w" ] || { note "click: no window"; return; }
        note "click ${WIN_NAME[$i]} $w at +$((r2 % WIN_W[i])),+$((r3 % WIN_H[i]))"
        click_at $((WIN_X[i] + r2 % WIN_W[i])) $((WIN_Y[i] + r3 % WIN_H[i]))
    elif [ $roll -lt 56 ]; then
        note "key ${KEYS[$((r1 % ${#KEYS[@]}))]}"
        xdotool key -- "${KEYS[$((r1 % ${#KEYS[@]}))]}"
    elif [ $roll -lt 61 ]; then
        note "focus ${WIN_NAME[$i]:-} $w"
        xdotool windowfocus "$w"
    elif [ $roll -lt 64 ]; then
        note "raise ${WIN_NAME[$i]:-} $w"
        xdotool windowraise "$w"
    elif [ $roll -lt 79 ]; then
        local names=(Start Score 'Pass rate') points=("64 88" "64 248" "64 432")
        note "press ${names[$((r1 % 3))]}"
        locate_exam >/dev/null && click_exam ${points[$((r1 % 3))]}
    elif [ $roll -lt 83 ]; then
        note "About by Alt+H A"
        w=$(locate_exam) && xdotool windowfocus "$w" key alt+h sleep 0.1 key a
    elif [ $roll -lt 94 ]; then
        # Mostly a secondary window: closing the exam window alone ends the run early.
        if [ -n "$w" ] && [ "${WIN_NAME[$i]}" = "$EXAM_NAME" ] && [ $((r3 % 5)) -ne 0 ]; then
            i=$(((i + 1) % n))
            w=${WIN_ID[$i]}
            [ "${WIN_NAME[$i]}" != "$EXAM_NAME" ] || w=
        fi
        if [ -z "$w" ]; then
            note "close: no window"
        elif [ $((r2 % 2)) -eq 0 ]; then
            note "close ${WIN_NAME[$i]} $w by its close box"
            "$XCLIENT" close "$w"
        else
            note "close ${WIN_NAME[$i]} $w by Escape"
            xdotool windowfocus "$w" key Escape
        fi
    elif [ $roll -lt 95 ]; then
        note "Exit by Alt+G Q"
        w=$(locate_exam) && xdotool windowfocus "$w" key alt+g sleep 0.1 key q
    else
        note "pause $((r1 % 10))00 ms"
        sleep "0.$((r1 % 10))"
    fi
}

# The program still runs, or ended cleanly and starts again.
check_alive() {
    kill -0 "$E2E_PID" 2>/dev/null && return
    local status=0
    wait "$E2E_PID" || status=$?
    # Without its display the program must end; that is the test bed failing, not the program.
    xdotool getdisplaygeometry >/dev/null 2>&1 ||
        monkey_fail "the X server went away (the program ended with status $status)"
    [ "$status" -eq 0 ] || monkey_fail "the program died with status $status"
    exits=$((exits + 1))
    echo "event $event: the program ended cleanly after: ${recent[-1]}"
    note "(the program ended cleanly; starting it again)"
    start_program
}

# No kind of window is open twice (verdict windows share a caption: up to six of them).
check_window_kinds() {
    local exam=0 about=0 verdicts=0 name
    for name in "${WIN_NAME[@]}"; do
        case $name in
            "$EXAM_NAME") exam=$((exam + 1)) ;;
            "$ABOUT_NAME") about=$((about + 1)) ;;
            "$VERDICT_NAME") verdicts=$((verdicts + 1)) ;;
        esac
    done
    [ "$exam" -le 1 ] || monkey_fail "$exam exam windows"
    [ "$about" -le 1 ] || monkey_fail "$about About windows"
    [ "$verdicts" -le 6 ] || monkey_fail "$verdicts verdict windows"
    local total=$((exam + about + verdicts))
    [ $total -le $most_windows ] || most_windows=$total
}

# The program's event loop answers, through any of its windows that is still there.
check_responsive() {
    local w ms
    for w in "${WIN_ID[@]}"; do
        if ms=$("$XCLIENT" ping "$w" 5000 2>/dev/null); then
            pings=$((pings + 1))
            [ "$ms" -le "$slowest_ping" ] || slowest_ping=$ms
            return
        fi
    done
    kill -0 "$E2E_PID" 2>/dev/null || return 0
    refresh_windows
    [ ${#WIN_ID[@]} -gt 0 ] || return 0
    monkey_fail "the program answers no ping within 5 s"
}

# The band whose badge colour fills the top-left of the badge area of verdict window $1.
badge_band() {
    local rgb
    rgb=$(import -window "$1" -crop 100x16+345+12 +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
        sort -rn | head -n1 | sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p')
    [ -n "$rgb" ] || return 0
    awk -v c="$rgb" 'BEGIN {
        split(c, p, " ")
        split("255 0 0|255 192 128|255 255 128|128 255 128|128 255 255|128 128 255", bands, "|")
        for (b = 1; b <= 6; b++) {
            split(bands[b], q, " ")
            d = (p[1] - q[1]) ^ 2 + (p[2] - q[2]) ^ 2 + (p[3] - q[3]) ^ 2
            if (d < 30 * 30) { print b; exit }
        }
    }'
}

# A screenshot can be taken, and no two open verdict windows show the same band.
check_screen() {
    import -window root "$E2E_TMP/screen.png" || monkey_fail "no screenshot could be taken"
    shots=$((shots + 1))
    local i w band bands=" "
    for i in "${!WIN_ID[@]}"; do
        [ "${WIN_NAME[$i]}" = "$VERDICT_NAME" ] || continue
        w=${WIN_ID[$i]}
        xdotool windowraise "$w" 2>/dev/null || continue
        sleep 0.3
        band=$(badge_band "$w")
        [ -n "$band" ] || continue
        [[ "$bands" != *" $band "* ]] || monkey_fail "two verdict windows of band $band"
        bands+="$band "
    done
    note "(verdict bands open:$bands)"
}

echo "monkey: seed $SEED, $EVENTS events"
RANDOM=$SEED
began=$(date +%s.%N)
start_program
refresh_windows
for event in $(seq "$EVENTS"); do
    # An event may find its window gone before it lands; that is no fault of the program's.
    act 2>/dev/null || true
    sleep 0.03
    check_alive
    refresh_windows
    check_window_kinds
    [ $((event % PING_EVERY)) -ne 0 ] || check_responsive
    [ $((event % SHOT_EVERY)) -ne 0 ] || check_screen
done
check_alive
refresh_windows
check_responsive
check_screen
seconds=$(awk -v b="$began" -v e="$(date +%s.%N)" 'BEGIN { printf "%.0f", e - b }')
echo "monkey: seed $SEED, $EVENTS events in $seconds s: $starts starts, $exits clean ends," \
    "$pings pings answered (slowest $slowest_ping ms), $shots screenshots," \
    "at most $most_windows windows open at once"
echo "1 passed, 0 failed"
