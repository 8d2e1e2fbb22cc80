#!/usr/bin/env bash
# A whole exam with the keyboard alone: Tab to the answer sheet, arrows to turn its pages, Tab
# and Space to tick the key's answers, then Score and Pass rate from the keyboard. Full marks
# show as band 1's red badge, and the menus open by their access keys.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$PROG"
# There is no window manager to hand the keyboard to a window; give it as one would.
xdotool windowfocus --sync "$E2E_WIN"

keys() { xdotool key --delay 15 "$@"; }
repeat() { local n=$1 key=$2; [ "$n" -gt 0 ] && keys $(printf "$key %.0s" $(seq "$n")); return 0; }

# Focus starts on スタート; the chain runs 得　点, 合格率, the paper's tabs, the paper, the
# answer sheet's tabs, then the boxes of the page shown.
repeat 5 Tab

declare -A answers
while read -r _ _ _ _ q k; do answers[$q]="${answers[$q]:-} $k"; done < <("$LAYOUT" key)

for q in $(seq 1 46); do
    [ "$q" -gt 1 ] && keys Right
    at=0
    for k in ${answers[$q]}; do
        repeat $((k - at)) Tab
        keys space
        at=$k
    done
    repeat "$at" shift+Tab
done

# Back along the chain from the sheet's tabs: the paper, its tabs, 合格率, 得　点.
repeat 4 shift+Tab
keys space
keys Tab space
sleep 1
win=$(xdotool search --onlyvisible --name '合格ライン' 2>/dev/null | tail -n1 || true)
[ -n "$win" ] || fail "no verdict window after Score and Pass rate from the keyboard"
eval "$(xdotool getwindowgeometry --shell "$win")"
exam_x=$E2E_X exam_y=$E2E_Y
E2E_X=$X E2E_Y=$Y
e2e_screenshot "$E2E_TMP/verdict.png"
red=$(e2e_count_colour "$E2E_TMP/verdict.png" 340 10 110 20 255 0 0)
echo "band 1 badge pixels after a keyboard-only exam: $red"
[ "$red" -gt 1000 ] || fail "the keyboard-only exam did not reach full marks"

# Escape closes the verdict window; Alt+H, A opens the About window, Escape closes it.
xdotool windowfocus --sync "$win"
keys Escape
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '合格ライン' 2>/dev/null || true)" ] || fail "Escape left the verdict window open"
E2E_X=$exam_x E2E_Y=$exam_y
xdotool windowfocus --sync "$E2E_WIN"
keys alt+h a
sleep 1
about=$(xdotool search --onlyvisible --name 'バージョン情報' 2>/dev/null | head -n1 || true)
[ -n "$about" ] || fail "Alt+H, A did not open the About window"
xdotool windowfocus --sync "$about"
keys Escape
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name 'バージョン情報' 2>/dev/null || true)" ] || fail "Escape left the About window open"

# Alt+G, Q ends the program.
xdotool windowfocus --sync "$E2E_WIN"
keys alt+g q
for _ in $(seq 50); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "Alt+G, Q did not end the program"
echo "1 passed, 0 failed"
