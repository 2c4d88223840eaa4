#!/bin/sh
# The print layouts' speed: makes 1,000 photo-like JPEGs (1600 x 1200) once, then times the
# dialogs' samples, preview pages, a turn of the back card's picture and the 1,000-picture PDFs
# of the index card and the contact sheet with bench_layouts, and lists the pictures in those
# PDFs (pdfimages): none may be finer than 300 pixels an inch.
#   bench/layouts.sh [BUILD]        (BUILD defaults to build/)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
photos=${TMPDIR:-/tmp}/mirte-layout-photos
pdf=${TMPDIR:-/tmp}/mirte-layout-bench.pdf
sheet=${TMPDIR:-/tmp}/mirte-layout-bench-sheet.pdf
cmake --build "$build" --target make_photos bench_layouts >/dev/null
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 1000 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 1000 --size 1600 1200 --quality 90 "$photos"
fi
"$build/bench/bench_layouts" --photos "$photos" --pdf "$pdf" --contact-pdf "$sheet"
for file in "$pdf" "$sheet"; do
    pdfimages -list "$file" | awk -v name="$(basename "$file")" 'NR > 2 { n++;
        if ($4 > w) w = $4; if ($5 > h) h = $5; if ($13 > p) p = $13 }
        END { printf "pictures in %s: %d, at most %d x %d pixels, at most %d ppi\n",
              name, n, w, h, p }'
done
rm -f "$pdf" "$sheet"
