#!/usr/bin/env bash
# Pass rate on the real program: an empty sheet scored opens the verdict whose badge has band 6's
# colour; the key's answers scored open band 1's, in front of it.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$PROG"
exam_x=$E2E_X exam_y=$E2E_Y

pass_rate="64 432" score="64 248"

# No score yet: nothing opens.
e2e_click $pass_rate
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '合格ライン' 2>/dev/null || true)" ] ||
    fail "a verdict window opened before any Score"

# Badge colour inside the badge of the verdict window on top ($1 = name for messages, then r g b).
badge_pixels() {
    local win
    win=$(xdotool search --onlyvisible --name '合格ライン' | tail -n1)
    [ -n "$win" ] || fail "no verdict window after $1"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    E2E_X=$X E2E_Y=$Y
    e2e_screenshot "$E2E_TMP/verdict.png"
    e2e_count_colour "$E2E_TMP/verdict.png" 340 10 110 20 "$2" "$3" "$4"
    E2E_X=$exam_x E2E_Y=$exam_y
}

e2e_click $score
e2e_click $pass_rate
sleep 1
blue=$(badge_pixels "an empty sheet" 128 128 255)
echo "band 6 badge pixels: $blue"
[ "$blue" -gt 1000 ] || fail "the empty sheet's verdict badge is not band 6's light blue"

# The verdict window stands over the exam window's buttons; raise the exam window to go on.
xdotool windowraise "$(xdotool search --onlyvisible --name '問題' | head -n1)"
e2e_click_key_answers "$LAYOUT"
e2e_click $score
e2e_click $pass_rate
sleep 1
red=$(badge_pixels "the key's answers" 255 0 0)
echo "band 1 badge pixels: $red"
[ "$red" -gt 1000 ] || fail "full marks did not bring band 1's red badge"
echo "1 passed, 0 failed"
