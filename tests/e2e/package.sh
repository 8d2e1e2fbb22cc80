#!/usr/bin/env bash
# package.sh BUILD_TREE VERSION
#
# Makes the Debian package from the build tree, unpacks it into a private root and checks what
# an installed system would get: the layout, the dependencies, the metadata, and the program
# itself started through its link in usr/bin, finding Zikan.wav beside its real path.
build=${1:?build tree} version=${2:?version}
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
for dep in fonts-ipafont-gothic libqt6widgets6 libqt6multimedia6 libc6; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" = \
    "Package: eigo-exam Version: $version Architecture: $arch " ] ||
    fail "unexpected control fields: $(dpkg-deb -f "$deb" Package Version Architecture)"

# --- layout --------------------------------------------------------------------------------
dpkg-deb -x "$deb" "$root"
for f in usr/lib/eigo-exam/eigo-exam usr/lib/eigo-exam/Zikan.wav \
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
e2e_start_x
# Which files the program opens, to see where it looks for the signal.
e2e_start_program strace -f -qq --seccomp-bpf -e trace=%file -o "$E2E_TMP/files.log" \
    "$root/usr/bin/eigo-exam"
program=$(pgrep -P "$E2E_PID" | head -n1 || true)
[ -n "$program" ] && E2E_PIDS=("$program" "${E2E_PIDS[@]}")
echo "exam window up from the unpacked tree"

grep -q 'Zikan\.wav' "$E2E_TMP/files.log" && fail "Zikan.wav was looked for before Start"
# Start: the clock's first tick opens the signal file.
e2e_click 60 88
wanted="$root/usr/lib/eigo-exam/Zikan.wav"
for i in $(seq 50); do
    grep -qF "\"$wanted\", O_RDONLY" "$E2E_TMP/files.log" && break
    sleep 0.1
done
grep -F 'Zikan.wav' "$E2E_TMP/files.log" | sed 's/^/  /' | head -n5
grep -F "\"$wanted\", O_RDONLY" "$E2E_TMP/files.log" | grep -qv '= -1' ||
    fail "the program did not open the Zikan.wav beside its real path"
kill -0 "${program:-$E2E_PID}" 2>/dev/null || fail "the program ended: $(cat "$E2E_TMP/program.log")"
echo "PASS"
