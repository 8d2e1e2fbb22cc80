#!/usr/bin/env bash
# Remakes every generated file in content/: the RTF documents from their UTF-8 sources (every
# content/*.txt whose first line is "@profile ..."), the house pictures, the paper's figures
# and the time signal.
# The generators are built first, in build/ (or $BUILD). Review the result with `git diff`, and
# after changing a document also remake the reader's goldens with tools/make-rtf-goldens.sh.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target rtfgen drawimages figures -j "${JOBS:-2}"

for source in "$root"/content/*.txt "$root"/content/*/*.txt; do
    head -n 1 "$source" | grep -q '^@profile ' || continue
    "$build/tools/rtfgen/rtfgen" "$source" "${source%.txt}.rtf"
    echo "wrote ${source#"$root"/}" | sed "s/\.txt$/.rtf/"
done

# The drawing tools need no screen.
export QT_QPA_PLATFORM=offscreen
"$build/tools/images/drawimages" "$root/content"
echo "wrote content/background.gif, background_tile.png, mark.png, icon.png, icon.svg"
"$build/tools/figures/figures" "$root/content"
echo "wrote content/figure1.jpg … figure3.jpg"
cmake --build "$build" --target zikan -j "${JOBS:-2}" >/dev/null
"$build/tools/zikan/zikan" "$root/content"
echo "wrote content/Zikan.wav"
