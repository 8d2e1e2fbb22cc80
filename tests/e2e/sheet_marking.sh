#!/usr/bin/env bash
# The real program, clicked like a person: tick the key's answers on all 46 tabs, press Score,
# and see the ring on the selected tab; untick one of its boxes, Score again, and see it gone.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$PROG"

e2e_screenshot "$E2E_TMP/start.png"
[ "$(e2e_count_colour "$E2E_TMP/start.png" 24 72 73 33 255 0 0)" -eq 0 ] || fail "red on the Start button?"

e2e_click_key_answers "$LAYOUT"

score_button="64 248"   # the middle of 得　点
e2e_click $score_button
read -r mx my mw mh < <("$LAYOUT" mark 46)
e2e_screenshot "$E2E_TMP/scored.png"
red=$(e2e_count_colour "$E2E_TMP/scored.png" "$mx" "$my" 32 32 255 0 0)
echo "red pixels in the ring of the selected tab after a full-key Score: $red"
[ "$red" -ge 40 ] || fail "no ring on tab 6B-(49) after scoring the key"

# The score label reads 200: not read from pixels here, but a blank label would leave the pink
# background untouched, so check that text was drawn there.
ink=$(e2e_count_colour "$E2E_TMP/scored.png" 48 296 28 19 255 128 255)
[ "$ink" -lt $((28 * 19)) ] || fail "the score label is blank after Score"

# Untick ③ of the selected group and score again: the ring goes.
read -r _ _ box_x box_y _ _ < <("$LAYOUT" key | awk '$5 == 46 && $6 == 3')
e2e_click "$box_x" "$box_y"
e2e_click $score_button
e2e_screenshot "$E2E_TMP/rescored.png"
red=$(e2e_count_colour "$E2E_TMP/rescored.png" "$mx" "$my" 32 32 255 0 0)
echo "red pixels there after unticking one box and scoring again: $red"
[ "$red" -eq 0 ] || fail "the ring stayed after the item became wrong"
echo "1 passed, 0 failed"
