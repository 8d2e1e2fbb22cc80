#!/usr/bin/env bash
# Remakes tests/unit/rtf-golden/<name>.txt, the text another RTF reader (an office suite's
# headless text export) gets from every content/*.rtf and tests/unit/rtf-cases/*.rtf. The unit
# test tst_rtfgolden compares our reader's text with these. Run by hand after adding a case or
# changing a document; needs `soffice` (Debian: libreoffice-writer-nogui), which nothing else needs.
#
# The export is stored as UTF-8 without its byte-order mark and with LF line ends. A file the
# suite cannot open gets no golden and is reported.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/unit/rtf-golden"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

command -v soffice >/dev/null || { echo "soffice not found" >&2; exit 1; }
mkdir -p "$out"

shopt -s nullglob
sources=("$root"/content/*.rtf "$root"/tests/unit/rtf-cases/*.rtf)
# A private profile, so that a running office or the user's settings play no part.
HOME="$work/home" soffice --headless --convert-to "txt:Text (encoded):UTF8" \
    --outdir "$work/txt" "${sources[@]}" >"$work/log" 2>&1 || true

status=0
for source in "${sources[@]}"; do
    name=$(basename "$source" .rtf)
    if [ ! -f "$work/txt/$name.txt" ]; then
        echo "no golden: $source could not be converted" >&2
        status=1
        continue
    fi
    sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$work/txt/$name.txt" >"$out/$name.txt"
    echo "wrote tests/unit/rtf-golden/$name.txt"
done
exit $status
