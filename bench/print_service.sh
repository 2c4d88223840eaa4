#!/bin/bash
# Printing through the render workers, beside a revision from before (built here, in a scratch
# worktree, as mirte-cli and bench_layouts only):
#  - bench_layouts of both on 1,000 cached photos (1600 x 1200): the dialogs' samples, preview
#    pages, the 1,000-picture index card PDF;
#  - a contact sheet (5 x 6, 3 pages) of 90 uncached 12-MP photos into a PDF by mirte-cli with
#    1 and 2 render workers, beside ImageMagick's montage of the same files;
#  - the back card of a 12-MP photo and a 1 x 1 index card page: time and resolution in the PDF.
# Needs scripts/setup --bench (ImageMagick, taskset) and poppler-utils.
#   bench/print_service.sh [BUILD] [REVISION]     (build/ and c762229 unless given)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
revision=${2:-c762229}
photos=${TMPDIR:-/tmp}/mirte-layout-photos
big=${TMPDIR:-/tmp}/mirte-print-photos
before=${TMPDIR:-/tmp}/mirte-print-before
work=$(mktemp -d "${TMPDIR:-/tmp}/mirte-print.XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target make_photos bench_layouts mirte-cli >/dev/null
if [ ! -x "$before/build/bench/bench_layouts" ]; then
    rm -rf "$before"
    git -C "$here" worktree add --detach --force "$before" "$revision" >/dev/null 2>&1
    cmake -S "$before" -B "$before/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$before/build" --target bench_layouts mirte-cli >/dev/null
fi
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 1000 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 1000 --size 1600 1200 --quality 90 "$photos"
fi
if [ "$(ls "$big" 2>/dev/null | wc -l)" -lt 90 ]; then
    mkdir -p "$big"
    "$build/bench/make_photos" --count 90 --size 4032 3024 --quality 92 "$big"
fi
export QT_QPA_PLATFORM=offscreen

for rev in before now; do
    bin=$build
    [ "$rev" = before ] && bin=$before/build
    echo "== bench_layouts, $rev"
    "$bin/bench/bench_layouts" --photos "$photos" --pdf "$work/card.pdf" \
        --contact-pdf "$work/sheet.pdf" | grep -E 'sample|preview|PDF of'
done

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v n=$((end - start)) 'BEGIN { printf "%.2f", n / 1e9 }'
}

echo "== a contact sheet of 90 uncached 12-MP photos, 5 x 6 into a PDF (seconds, best of 2)"
for rev in before now; do
    cli=$build/src/cli/mirte-cli
    [ "$rev" = before ] && cli=$before/build/src/cli/mirte-cli
    for workers in 1 2; do
        best=
        for round in 1 2; do
            rm -rf "$work/cache"
            t=$(MIRTE_RENDER_WORKERS=$workers seconds "$cli" print contact "$big" --layout 11 \
                --cache "$work/cache" --pdf "$work/contact.pdf")
            best=$(awk -v a="$t" -v b="${best:-1e9}" 'BEGIN { print (a < b) ? a : b }')
        done
        echo "  $rev, $workers worker(s): $best s"
    done
done
t=$(seconds montage -define jpeg:size=600x600 -tile 5x6 -geometry 300x300+4+4 -label '%f' \
    "$big"/*.jpg "$work/montage-%d.png")
echo "  ImageMagick montage (the same files, 3 sheets): $t s"

echo "== a 12-MP photo on paper (now): seconds, and the picture in the PDF"
one=$work/one
mkdir -p "$one"
cp "$(ls "$big"/*.jpg | head -1)" "$one/photo.jpg"
cli=$build/src/cli/mirte-cli
"$cli" thumb --out "$work" "$one/photo.jpg" >/dev/null # not the first run's start-up
for job in "jacket $one/photo.jpg" "index $one --layout 0"; do
    rm -rf "$work/cache"
    # shellcheck disable=SC2086
    t=$(seconds "$cli" print $job --cache "$work/cache" --pdf "$work/paper.pdf")
    pdfimages -list "$work/paper.pdf" | awk -v job="${job%% *}" -v t="$t" 'NR == 3 {
        printf "  %-7s %s s, %d x %d pixels at %d x %d ppi\n", job, t, $4, $5, $13, $14 }'
done
