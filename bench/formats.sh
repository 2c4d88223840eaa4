#!/bin/bash
# Today's formats beside their own libraries' tools, each started once per picture on one core:
# HEIC into 512 x 512 (mirte-cli thumb against heif-thumbnailer -s 512), WebP (against dwebp
# -resize, libwebp's scaled decoding) and a DNG with a full-size JPEG preview (against LibRaw's
# half-size development, dcraw_emu -h); the threads each runs on; then a folder of 1,000 HEIC
# photos loaded cold by the loader on 2 render workers. The pictures are 4032 x 3024, made here
# from make_photos' JPEGs. Needs scripts/setup --bench.
#   bench/formats.sh [BUILD] [COUNT]     (BUILD defaults to build/, COUNT of the folder to 1000)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
count=${2:-1000}
photos=${TMPDIR:-/tmp}/mirte-format-photos
work=$(mktemp -d "${TMPDIR:-/tmp}/mirte-formats.XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target make_photos make_dng bench_browse mirte-cli >/dev/null
cli=$build/src/cli/mirte-cli
if [ "$(ls "$photos"/*.dng 2>/dev/null | wc -l)" -lt 4 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 4 --size 4032 3024 --quality 92 "$photos"
    for jpeg in "$photos"/photo_*.jpg; do
        base=${jpeg%.jpg}
        heif-enc -q 50 "$jpeg" -o "$base.heic" >/dev/null
        cwebp -quiet -q 80 "$jpeg" -o "$base.webp"
        "$build/bench/make_dng" "$jpeg" "$base.dng"
    done
fi
core=$(taskset -cp $$ | sed 's/.*: *//; s/[,-].*//')

# seconds for one run of the command, on one core
seconds() {
    local start end
    start=$(date +%s%N)
    taskset -c "$core" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000)) # microseconds
}

# The median over 3 rounds of every picture of a kind, in ms a picture, of a command given as
# a function of the picture's path.
median_ms() {
    local kind=$1 run=$2 times=() picture
    for round in 1 2 3; do
        for picture in "$photos"/photo_*."$kind"; do
            times+=("$($run "$picture")")
        done
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

mirte() { seconds "$cli" thumb --jobs 1 --out "$work" "$1"; }
heif_thumbnailer() { seconds heif-thumbnailer -s 512 "$1" "$work/h.png"; }
dwebp_resize() { seconds dwebp -resize 512 384 -ppm "$1" -o "$work/w.ppm"; }
dcraw_half() { seconds dcraw_emu -h -Z "$work/d.ppm" "$1"; }

compare() {
    local kind=$1 tool=$2 name=$3 ours theirs
    ours=$(median_ms "$kind" mirte)
    theirs=$(median_ms "$kind" "$tool")
    awk -v k="$kind" -v o="$ours" -v t="$theirs" -v n="$name" \
        'BEGIN { printf "  %-5s mirte-cli thumb %8.1f ms   %-28s %8.1f ms   ratio %.2f\n", k, o, n, t, o / t }'
}

echo "== one picture a process, one core (median ms a picture)"
compare heic heif_thumbnailer "heif-thumbnailer -s 512"
compare webp dwebp_resize "dwebp -resize 512 384"
compare dng dcraw_half "dcraw_emu -h"

# The most threads a run of mirte-cli thumb --jobs 1 had at once.
echo "== threads of mirte-cli thumb --jobs 1 (most at once; the main thread and the worker, and"
echo "   what the libraries add)"
for kind in heic webp dng; do
    picture=$(ls "$photos"/photo_*."$kind" | head -1)
    "$cli" thumb --jobs 1 --out "$work" "$picture" >/dev/null &
    pid=$!
    most=0
    while kill -0 $pid 2>/dev/null; do
        n=$(ls /proc/$pid/task 2>/dev/null | wc -l)
        [ "$n" -gt "$most" ] && most=$n
    done
    wait $pid || true
    echo "  $kind: $most"
done

echo "== a folder of $count HEIC photos, cold, the loader on 2 render workers"
mkdir -p "$work/heic"
ln "$photos"/photo_*.heic "$work/heic/"
MIRTE_RENDER_WORKERS=2 "$build/bench/bench_browse" --photos "$work/heic" --cold "$count" \
    --rounds 1 --cold-only --work "$work" | grep -E 'cold load'
