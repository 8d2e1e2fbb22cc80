#!/usr/bin/env bash
# package.sh BUILD_TREE VERSION BURSTS_TOOL
#
# Makes the Debian package from the build tree, unpacks it into a private root and checks what
# an installed system would get: the layout, the dependencies, the metadata, and the program
# itself started through its link in usr/bin, finding Zikan.wav and its sound module beside its
# real path, and playing the time signal at the end of an exam sped up by the clock.
build=${1:?build tree} version=${2:?version} bursts=${3:?bursts tool}
source "$(dirname "$0")/lib.sh"

arch=$(dpkg --print-architecture)
deb="$E2E_TMP/out/eigo-exam_${version}_${arch}.deb"
root="$E2E_TMP/root"

cpack --config "$build/CPackConfig.cmake" -B "$E2E_TMP/out" >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$E2E_TMP/out")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- control data --------------------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The font is named by hand; the rest must come from the program's own links.
for dep in fonts-ipafont-gothic libqt6widgets6 libqt6multimedia6 libsndfile1 libc6; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" = \
    "Package: eigo-exam Version: $version Architecture: $arch " ] ||
    fail "unexpected control fields: $(dpkg-deb -f "$deb" Package Version Architecture)"

# --- layout --------------------------------------------------------------------------------
dpkg-deb -x "$deb" "$root"
for f in usr/lib/eigo-exam/eigo-exam usr/lib/eigo-exam/Zikan.wav usr/lib/eigo-exam/eigo-exam-sound.so \
    usr/share/applications/eigo-exam.desktop \
    usr/share/icons/hicolor/128x128/apps/eigo-exam.png \
    usr/share/icons/hicolor/scalable/apps/eigo-exam.svg \
    usr/share/doc/eigo-exam/copyright usr/share/doc/eigo-exam/changelog.gz \
    usr/share/man/man1/eigo-exam.1.gz; do
    [ -f "$root/$f" ] || fail "the package has no $f"
done
link=$(readlink "$root/usr/bin/eigo-exam") || fail "usr/bin/eigo-exam is not a link"
case $link in /*) fail "usr/bin/eigo-exam points at the absolute path $link" ;; esac
[ "$(readlink -f "$root/usr/bin/eigo-exam")" = "$root/usr/lib/eigo-exam/eigo-exam" ] ||
    fail "usr/bin/eigo-exam leads to $link, not the program"
[ -e "$root/usr/bin/Zikan.wav" ] && fail "Zikan.wav lies beside the link, so the link test proves nothing"
# The sound layer is the module's alone: the program starts without it.
needed=$(objdump -p "$root/usr/lib/eigo-exam/eigo-exam" | awk '$1 == "NEEDED" { print $2 }')
grep -q Multimedia <<<"$needed" && fail "the program itself links Qt Multimedia"
module_needed=$(objdump -p "$root/usr/lib/eigo-exam/eigo-exam-sound.so" | awk '$1 == "NEEDED" { print $2 }')
grep -q '^libQt6Multimedia' <<<"$module_needed" || fail "the sound module does not link Qt Multimedia"
[ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/128x128/apps/eigo-exam.png")" = 128x128 ] ||
    fail "the 128x128 icon is not 128 by 128"
[ "$(zcat "$root/usr/share/doc/eigo-exam/changelog.gz" | head -n1 | cut -d' ' -f2)" = "($version)" ] ||
    fail "the changelog's latest entry is not version $version"

desktop="$root/usr/share/applications/eigo-exam.desktop"
for line in 'Exec=eigo-exam' 'Icon=eigo-exam' 'Name\[ja\]=.*[^ -~]'; do
    grep -qx "$line" "$desktop" || fail "the menu entry has no line $line"
done

metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "no AppStream metainfo"
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "${metainfo[0]}")
[ "$(basename "${metainfo[0]}")" = "$id.metainfo.xml" ] || fail "the metainfo file is not named after its id $id"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net "$root" >"$E2E_TMP/appstream.log" 2>&1 ||
        fail "appstreamcli rejects the tree: $(cat "$E2E_TMP/appstream.log")"
    echo "appstreamcli: $(tail -n1 "$E2E_TMP/appstream.log")"
else
    echo "appstreamcli is not installed: metainfo not validated"
fi
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
        fail "lintian finds errors: $(cat "$E2E_TMP/lintian.log")"
    echo "lintian: $(grep -c '^[EWIPX]:' "$E2E_TMP/lintian.log" || true) remarks, no errors"
fi

# --- the program from the unpacked tree ----------------------------------------------------
# An exam of 80 minutes passes in eight seconds, heard through a private sound server.
speed=600
rate=22050
e2e_start_x
e2e_start_sound $rate
# Which files the program opens, to see where it looks for the signal and the module.
e2e_start_program strace -f -qq --seccomp-bpf -e trace=%file -o "$E2E_TMP/files.log" \
    faketime -f "@2026-12-08 10:00:30 x$speed" "$root/usr/bin/eigo-exam"
# strace runs faketime, which runs the program.
wrapper=$(pgrep -P "$E2E_PID" | head -n1 || true)
program=$( [ -n "$wrapper" ] && pgrep -P "$wrapper" | head -n1 || true)
[ -n "$program" ] && E2E_PIDS=("$program" "$wrapper" "${E2E_PIDS[@]}")
echo "exam window up from the unpacked tree"

grep -q 'Zikan\.wav' "$E2E_TMP/files.log" && fail "Zikan.wav was looked for before Start"
grep -q 'eigo-exam-sound' "$E2E_TMP/files.log" && fail "the sound module was loaded before Start"
# Start: the clock's first tick loads the module and opens the signal file.
heard_from=$(stat -c %s "$E2E_TMP/heard.raw")
e2e_click 60 88
wanted="$root/usr/lib/eigo-exam/Zikan.wav"
module="$root/usr/lib/eigo-exam/eigo-exam-sound.so"
# Whether the log shows FILE opened with success. awk reads it, not grep: grep once printed none
# of three opens in this log while strace was still writing it, most likely taking it for binary.
# A call that strace split around another thread's ends on its own "resumed" line.
opened() {
    awk -v file="\"$1\", O_" '
        index($0, file) {
            if ($0 ~ /\) = [0-9]+$/) ok = 1
            else if ($0 ~ /<unfinished \.\.\.>$/) pending[$1] = 1
        }
        $2 == "<..." && $3 == "openat" && pending[$1] {
            if ($0 ~ /\) = [0-9]+$/) ok = 1
            delete pending[$1]
        }
        END { exit !ok }' "$E2E_TMP/files.log"
}
for i in $(seq 50); do
    opened "$wanted" && opened "$module" && break
    sleep 0.1
done
awk '/openat/ && /Zikan\.wav|eigo-exam-sound\.so"/ && n++ < 4 { print "  " $0 }' "$E2E_TMP/files.log"
opened "$wanted" || fail "the program did not open the Zikan.wav beside its real path"
opened "$module" || fail "the program did not load the sound module beside its real path"

# The signal: three short pips and one long tone, once, after the eight seconds.
sleep 14
kill "$E2E_RECORDER"
wait "$E2E_RECORDER" 2>/dev/null || true
tail -c +$((heard_from + 1)) "$E2E_TMP/heard.raw" >"$E2E_TMP/after_start.raw"
"$bursts" "$E2E_TMP/after_start.raw" $rate >"$E2E_TMP/bursts.txt" 2>"$E2E_TMP/bursts.log" ||
    fail "cannot read the recording: $(cat "$E2E_TMP/bursts.log")"
echo "heard after Start (s, length s, Hz):"
sed 's/^/  /' "$E2E_TMP/bursts.txt"
[ "$(wc -l <"$E2E_TMP/bursts.txt")" -eq 4 ] || fail "expected the four tones of one signal"
[ "$(awk 'NR == 4 { print ($2 > 0.6) }' "$E2E_TMP/bursts.txt")" = 1 ] ||
    fail "the last tone is not the long one"
kill -0 "${program:-$E2E_PID}" 2>/dev/null || fail "the program ended: $(cat "$E2E_TMP/program.log")"
echo "PASS"
