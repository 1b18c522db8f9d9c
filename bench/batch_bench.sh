#!/usr/bin/env bash
# Pages per minute of the batch command against the tesseract command over
# the same pages, in the same run: N pages of each kind the OCR bench draws
# (default 3), all cores for both (fulltext-ocr -j, tesseract through
# xargs -P). Usage: bench/batch_bench.sh BUILD_DIR [PAGES_PER_KIND]
set -euo pipefail
build="$1"
per_kind="${2:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cores="$(nproc)"

/usr/bin/python3 "$(dirname "$0")/ocr/render_pages.py" "$work/pages" --pages "$per_kind" >/dev/null
rm -f "$work"/pages/*.gt.txt
pages="$(ls "$work"/pages | wc -l)"

start=$(date +%s.%N)
"$build/app/fulltext-ocr" -q -j "$cores" "$work/pages" >/dev/null || true
engine=$(echo "$(date +%s.%N) - $start" | bc)

start=$(date +%s.%N)
ls "$work"/pages/*.png "$work"/pages/*.jpg | xargs -P "$cores" -I{} \
    tesseract {} {}.tess -l Hangul+eng --psm 6 >/dev/null 2>&1
tess=$(echo "$(date +%s.%N) - $start" | bc)

printf '| %s pages | fulltext-ocr -j %s | %.1f s | %.1f pages/min |\n' \
    "$pages" "$cores" "$engine" "$(echo "$pages * 60 / $engine" | bc -l)"
printf '| %s pages | tesseract -l Hangul+eng --psm 6, xargs -P %s | %.1f s | %.1f pages/min |\n' \
    "$pages" "$cores" "$tess" "$(echo "$pages * 60 / $tess" | bc -l)"
