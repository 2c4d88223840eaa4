#!/bin/bash
# Today's formats beside their own libraries' tools on one core: HEIC into 512 x 512 (against
# heif-thumbnailer -s 512), WebP (against dwebp -resize, libwebp's scaled decoding) and a DNG
# with a full-size JPEG preview (against LibRaw's half-size development, dcraw_emu -h). The tools
# are started once per picture; mirte-cli thumb once for all the pictures of a kind (as the
# window works, the start-up paid once) and once per picture. Then the threads each run has, and
# a folder of 1,000 HEIC photos loaded cold by the loader on 2 render workers. The pictures are
# 4032 x 3024, made here from make_photos' JPEGs. Needs scripts/setup --bench.
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

# mirte-cli thumb over all pictures of a kind in one process: the median of 3 runs, in ms a
# picture.
mirte_batch_ms() {
    local kind=$1 times=() n
    set -- "$photos"/photo_*."$kind"
    n=$#
    for round in 1 2 3; do
        times+=("$(seconds "$cli" thumb --jobs 1 --out "$work" "$@")")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$n" '{ a[NR] = $1 } END { printf "%.1f", a[2] / 1000 / n }'
}
heif_thumbnailer() { seconds heif-thumbnailer -s 512 "$1" "$work/h.png"; }
dwebp_resize() { seconds dwebp -resize 512 384 -ppm "$1" -o "$work/w.ppm"; }
dcraw_half() { seconds dcraw_emu -h -Z "$work/d.ppm" "$1"; }

compare() {
    local kind=$1 tool=$2 name=$3 batch single theirs
    batch=$(mirte_batch_ms "$kind")
    single=$(median_ms "$kind" mirte)
    theirs=$(median_ms "$kind" "$tool")
    awk -v k="$kind" -v b="$batch" -v s="$single" -v t="$theirs" -v n="$name" \
        'BEGIN { printf "  %-5s %-26s %7.1f ms | mirte-cli thumb %7.1f ms (%.2f x), a process each %7.1f ms (%.2f x)\n", k, n, t, b, b / t, s, s / t }'
}

echo "== ms a picture, one core (medians): the tool once per picture | mirte-cli thumb"
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
