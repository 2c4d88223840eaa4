#!/bin/sh
# The report engine's speed: makes 2,000 photo-like thumbnails (512 x 384, the cache's size) once,
# then times a preview page of 100 picture cells and a 20-page PDF of 100 pictures a page.
#   bench/report.sh [BUILD]        (BUILD defaults to build/)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
photos=${TMPDIR:-/tmp}/mirte-report-photos
cmake --build "$build" --target make_photos bench_report >/dev/null
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 2000 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 2000 --size 512 384 --quality 90 "$photos"
fi
"$build/bench/bench_report" "$photos"
