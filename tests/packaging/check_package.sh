#!/usr/bin/env bash
# Builds the .deb from the build folder given, unpacks it into a scratch root
# and checks what a user's machine would get: the program beside its engine,
# the command in the search path, a valid desktop entry for the image types,
# the icon, the dependencies, and a program that starts.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb="$(ls "$work"/out/fulltextrecognition_*.deb)"
dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"

test -x "$root/lib/fulltextrecognition/FullTextRecognition"
test -x "$root/lib/fulltextrecognition/fulltext-ocr"
"$root/bin/fulltext-ocr" --help | grep -q 'usage: fulltext-ocr'
test -f "$root/lib/fulltextrecognition/libKorvexOCR.so"
test "$(readlink -f "$root/bin/fulltextrecognition")" = \
    "$(readlink -f "$root/lib/fulltextrecognition/FullTextRecognition")"
desktop-file-validate "$root/share/applications/fulltextrecognition.desktop"
grep -q '^Exec=fulltextrecognition %f$' "$root/share/applications/fulltextrecognition.desktop"
grep -q 'application/pdf;image/png;' "$root/share/applications/fulltextrecognition.desktop"
test -s "$root/share/icons/hicolor/scalable/apps/fulltextrecognition.svg"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in tesseract-ocr-script-hang libqt6widgets6 fonts-nanum; do
    case "$depends" in *"$needed"*) ;; *) echo "Depends lacks $needed: $depends"; exit 1 ;; esac
done

# The unpacked program starts (and keeps running until it is stopped): a
# missing library would end it at once.
export QT_QPA_PLATFORM=offscreen FTR_MESSAGE_BOXES=stderr XDG_RUNTIME_DIR="$work"
status=0
timeout 3 "$root/bin/fulltextrecognition" > "$work/log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    echo "the installed program ended with $status:"; cat "$work/log"; exit 1
fi
echo "package $(basename "$deb") checked"
