#!/usr/bin/env bash
# time_signal.sh PROGRAM BURSTS_TOOL WATCH_TOOL [LENGTH SPEED]
#
# Runs a whole exam with the wall clock sped up sixty-fold, three times side by side: once with
# Zikan.wav and the sound module beside the program, in a folder whose name is not UTF-8; once
# with Zikan.wav but no module; and once with the program alone in a folder of its own. A private sound server plays into a null sink
# that is recorded; the recording must hold the signal once, within a few seconds of the 80th
# full minute after Start and not before. Given another LENGTH (104 or 120, chosen from the
# ゲーム → 試験時間 menu by the keyboard before Start) and SPEED, the clock must read it at Start
# and the signal come at its last full minute. All runs must end the same way: the clock at 0:00,
# Start disabled, only the exam window open.
prog=${1:?program}
bursts=${2:?bursts tool}
watch=${3:?screen watcher}
source "$(dirname "$0")/lib.sh"

length=${4:-80}
speed=${5:-60}
rate=22050
fake_start='2026-12-08 10:00:30'
[ "$length" = 80 ] || fake_start='2026-12-08 10:00:01'

e2e_start_x

# --- a private sound server with a null sink ---------------------------------------------
e2e_start_sound $rate
recorder=$E2E_RECORDER
# Prints the real time of the recording's first sample, judged by its length now.
recording_origin() {
    local now bytes
    now=$(date +%s.%N)
    bytes=$(stat -c %s "$E2E_TMP/heard.raw")
    awk -v now="$now" -v b="$bytes" -v r=$rate 'BEGIN { printf "%.3f", now - b / (2 * r) }'
}
origin_early=$(recording_origin)

# --- three programs: with everything, without the sound module, alone --------------------
[ -f "$(dirname "$prog")/Zikan.wav" ] || fail "Zikan.wav is not beside $prog"
[ -f "$(dirname "$prog")/eigo-exam-sound.so" ] || fail "the sound module is not beside $prog"
# The one with everything lies in a folder whose name is not UTF-8 (the bytes ff fe).
with_dir="$E2E_TMP/$(printf '\377\376')"
mkdir "$with_dir" "$E2E_TMP/alone" "$E2E_TMP/nomodule"
cp "$prog" "$(dirname "$prog")/Zikan.wav" "$(dirname "$prog")/eigo-exam-sound.so" "$with_dir/"
cp "$prog" "$E2E_TMP/alone/eigo-exam"
cp "$prog" "$(dirname "$prog")/Zikan.wav" "$E2E_TMP/nomodule/"

# Starts $2 under the sped-up clock; sets <name>_pid.
# faketime runs the program as its child, and that child is the one that owns the window.
launch() {
    local name=$1 path=$2 wrapper child= i
    faketime -f "@$fake_start x$speed" "$path" >"$E2E_TMP/$name.log" 2>&1 &
    wrapper=$!
    E2E_PIDS+=($wrapper)
    for i in $(seq 50); do
        child=$(pgrep -P "$wrapper" | head -n1 || true)
        [ -n "$child" ] && break
        sleep 0.1
    done
    [ -n "$child" ] || fail "$name did not start"
    E2E_PIDS+=($child)
    printf -v "${name}_pid" '%s' "$child"
}
launched=$(date +%s.%N) # the sped-up clock of "with" reads fake_start then
launch with "$with_dir/$(basename "$prog")"
launch alone "$E2E_TMP/alone/eigo-exam"
launch nomodule "$E2E_TMP/nomodule/eigo-exam"

# Waits for the exam window of pid $2, moves it to x = $3, y = $4, and sets <name>_win, <name>_x
# and <name>_y (the client area's origin on the screen).
find_window() {
    local name=$1 pid=$2 left=$3 top=$4 win= i
    for i in $(seq 150); do
        win=$(xdotool search --all --onlyvisible --pid "$pid" --name '問題' 2>/dev/null | head -n1 || true)
        [ -n "$win" ] && break
        kill -0 "$pid" 2>/dev/null || fail "$name ended at start-up: $(cat "$E2E_TMP/$name.log")"
        sleep 0.1
    done
    [ -n "$win" ] || fail "no exam window for $name"
    xdotool windowmove --sync "$win" "$left" "$top"
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$win")"
    printf -v "${name}_win" '%s' "$win"
    printf -v "${name}_x" '%s' "$X"
    printf -v "${name}_y" '%s' $((Y + HEIGHT - 554))
}
find_window with "$with_pid" 0 0
# The other windows hang off the right and bottom edges; only their left column needs to be
# seen, and none may cover another's.
find_window alone "$alone_pid" 820 0
find_window nomodule "$nomodule_pid" 0 620

# Saves region x y w h of the client area of <name> from screenshot $2 into $3.
crop() {
    local name=$1 shot=$2 out=$3 x=$4 y=$5 w=$6 h=$7
    local ox=${name}_x oy=${name}_y
    convert "$shot" -crop "${w}x${h}+$((${!ox} + x))+$((${!oy} + y))" +repage "$out"
}
# Whether two images are identical, pixel for pixel.
same() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}
start_button=(24 72 73 33)
clock_label=(48 120 49 25)

# Another length, from the menu: 試験時間 is reached by its access key, and Up from its first item
# comes round to the last ones.
if [ "$length" != 80 ]; then
    case $length in 104) ups="Up Up" ;; 120) ups="Up" ;; *) fail "no length $length on the menu" ;; esac
    for name in with alone nomodule; do
        win=${name}_win
        xdotool windowfocus --sync "${!win}" key --delay 150 alt+g t $ups Return
    done
    sleep 0.3
fi

import -window root "$E2E_TMP/ready.png"
crop with "$E2E_TMP/ready.png" "$E2E_TMP/start_enabled.png" "${start_button[@]}"

click_start() {
    local ox=${1}_x oy=${1}_y
    xdotool mousemove --sync $((${!ox} + 60)) $((${!oy} + 88)) click 1
}
# The clock label is watched from just before Start: its first change is Start itself, the
# next ones are the full minutes of the program's own (sped-up) wall clock, one a real second.
"$watch" $((with_x + clock_label[0])) $((with_y + clock_label[1])) "${clock_label[2]}" \
    "${clock_label[3]}" 3.5 >"$E2E_TMP/changes.txt" 2>"$E2E_TMP/watch.log" &
watcher=$!
sleep 0.5
if [ "$length" != 80 ]; then
    # Start just after a full minute of the sped-up clock, so that the screenshot below comes
    # before the next one: fake_start is a second past a minute.
    now=$(date +%s.%N)
    sleep "$(awk -v l="$launched" -v n="$now" -v s=$speed 'BEGIN {
        m = 60 / s; first = l + 59 / s; k = int((n + 0.2 - first) / m) + 1
        printf "%.3f", first + k * m + 0.03 - n }')"
fi
click_start with
import -window root "$E2E_TMP/at_start.png"
click_start alone
click_start nomodule
wait "$watcher" || fail "cannot watch the screen: $(cat "$E2E_TMP/watch.log")"
echo "clock label changed at (real s after Start, ± s):"
awk 'NR == 1 { s = $1 } { printf "  %.3f ± %.3f\n", $1 - s, $2 }' "$E2E_TMP/changes.txt"
[ "$(wc -l <"$E2E_TMP/changes.txt")" -ge 3 ] || fail "the clock label did not change every real second"
first_minute=$(awk 'NR == 2 { print $1 }' "$E2E_TMP/changes.txt")
awk -v iv="$(awk -v s=$speed 'BEGIN { print 60 / s }')" '
     NR == 1 { s = $1 } NR == 2 { m = $1; ok = (m - s > 0 && m - s <= 1.1 * iv) }
     NR == 3 { ok = ok && ($1 - m > 0.9 * iv && $1 - m < 1.1 * iv) } END { exit !ok }' "$E2E_TMP/changes.txt" ||
    fail "the clock label does not change once per full minute"

import -window root "$E2E_TMP/running.png"
crop with "$E2E_TMP/running.png" "$E2E_TMP/start_running.png" "${start_button[@]}"
crop with "$E2E_TMP/running.png" "$E2E_TMP/clock_running.png" "${clock_label[@]}"
same "$E2E_TMP/start_enabled.png" "$E2E_TMP/start_running.png" && fail "Start still looks enabled"
if [ "$length" != 80 ]; then
    # Read off the screenshot taken just after Start, before its first full minute.
    crop with "$E2E_TMP/at_start.png" "$E2E_TMP/clock_at_start.png" "${clock_label[@]}"
    convert "$E2E_TMP/clock_at_start.png" -colorspace Gray -resize 400% -threshold 60% "$E2E_TMP/ocr.png"
    read_clock=$(tesseract "$E2E_TMP/ocr.png" - --psm 7 -c tessedit_char_whitelist=0123456789: 2>/dev/null | tr -d ' \n')
    want=$(printf '%d:%02d' $((length / 60)) $((length % 60)))
    echo "the clock read $read_clock at Start"
    [ "$read_clock" = "$want" ] || fail "the clock read $read_clock at Start, not $want"
fi

# The first full minute was the label's second change; the last comes length - 1 of them later.
expected=$(awk -v m="$first_minute" -v speed=$speed -v n=$length 'BEGIN { printf "%.3f", m + (n - 1) * 60 / speed }')
wait_for=$(awk -v e="$expected" -v now="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - now + 5 }')
awk -v w="$wait_for" 'BEGIN { exit !(w > 12) }' || fail "too slow to see the whole run"
sleep "$(awk -v w="$wait_for" 'BEGIN { print w - 10 }')"
origin_late=$(recording_origin)
sleep 10
origin_end=$(recording_origin)
echo "recording began at $origin_early (judged at its start), $origin_late (before the signal)," \
    "$origin_end (at the end)"
recording_started=$origin_late

kill "$recorder"
wait "$recorder" 2>/dev/null || true
"$bursts" "$E2E_TMP/heard.raw" $rate >"$E2E_TMP/bursts.txt" 2>"$E2E_TMP/bursts.log" ||
    fail "cannot read the recording: $(cat "$E2E_TMP/bursts.log")"
echo "heard (s into the recording, length s, Hz):"
sed 's/^/  /' "$E2E_TMP/bursts.txt"

# --- what was heard ------------------------------------------------------------------------
# One signal: three short pips and one long tone, so four bursts, the first being the start.
[ "$(wc -l <"$E2E_TMP/bursts.txt")" -eq 4 ] || fail "expected the four tones of one signal"
long=$(awk 'NR == 4 { print ($2 > 0.6) }' "$E2E_TMP/bursts.txt")
[ "$long" = 1 ] || fail "the last tone is not the long one"
onset=$(awk -v r="$recording_started" 'NR == 1 { printf "%.3f", r + $1 }' "$E2E_TMP/bursts.txt")
late=$(awk -v o="$onset" -v e="$expected" 'BEGIN { printf "%.2f", o - e }')
echo "signal began $late s (real) after full minute $length"

# A minute counted twice would bring it a real second early, one missed a second late.
awk -v d="$late" 'BEGIN { exit !(d >= -0.3 && d <= 2.0) }' ||
    fail "the signal came $late s from full minute $length"

# --- how the runs ended --------------------------------------------------------------------
kill -0 "$with_pid" 2>/dev/null || fail "the program with the signal file ended: $(cat "$E2E_TMP/with.log")"
kill -0 "$alone_pid" 2>/dev/null || fail "the program without it ended: $(cat "$E2E_TMP/alone.log")"
kill -0 "$nomodule_pid" 2>/dev/null ||
    fail "the program without the sound module ended: $(cat "$E2E_TMP/nomodule.log")"
import -window root "$E2E_TMP/ended.png"
for name in with alone nomodule; do
    crop $name "$E2E_TMP/ended.png" "$E2E_TMP/${name}_start.png" "${start_button[@]}"
    crop $name "$E2E_TMP/ended.png" "$E2E_TMP/${name}_clock.png" "${clock_label[@]}"
    same "$E2E_TMP/${name}_start.png" "$E2E_TMP/start_running.png" ||
        fail "$name: Start does not look disabled at the end"
    pid=${name}_pid
    windows=$(xdotool search --all --onlyvisible --pid "${!pid}" --class eigo-exam 2>/dev/null || true)
    if [ "$(echo "$windows" | wc -w)" -ne 1 ]; then
        for w in $windows; do
            echo "  window $w: '$(xdotool getwindowname "$w")' $(xdotool getwindowgeometry "$w" | tail -n1)"
            xprop -id "$w" _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR | sed 's/^/    /'
        done
        fail "$name: not only the exam window is open"
    fi
    if grep -iE 'sound|audio|pulse|wav' "$E2E_TMP/$name.log"; then
        fail "$name printed a message about the sound"
    fi
done
same "$E2E_TMP/with_clock.png" "$E2E_TMP/clock_running.png" && fail "the clock never moved"
same "$E2E_TMP/with_clock.png" "$E2E_TMP/alone_clock.png" ||
    fail "the run without Zikan.wav does not end showing what the other shows"
same "$E2E_TMP/with_clock.png" "$E2E_TMP/nomodule_clock.png" ||
    fail "the run without the sound module does not end showing what the other shows"
echo "PASS"
