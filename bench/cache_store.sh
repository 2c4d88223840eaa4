#!/bin/sh
# The thumbnail store on disk, JPEG beside the BMP store it replaced, in one run:
#   1. bench_window of both (a revisited folder of 1,000 photos: first screenful and
#      " 読込完了"), with the default cache limit (--size-kb -1) and with room for everything;
#   2. bench_store over photo-like pictures and real photographs: stored size against the
#      BMP's, PSNR against the uncompressed thumbnail, the write's share of a cold thumbnail,
#      and reading a stored thumbnail whole and at a quarter.
#   bench/cache_store.sh [--base REV] [--runs R] [--photos DIR]
# REV is the revision whose bench_window stands for the BMP store (default: the last one that
# stored BMPs); it is checked out under build/bench-bmp-src and built in build/bench-bmp-store.
# --photos names a folder of real photographs (default: the wallpapers scripts/setup --bench
# installs).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
base=4a1f96e
runs=5
real=""
while [ $# -gt 0 ]; do
    case "$1" in
    --base) base=$2; shift ;;
    --runs) runs=$2; shift ;;
    --photos) real=$2; shift ;;
    *) echo "usage: bench/cache_store.sh [--base REV] [--runs R] [--photos DIR]" >&2; exit 2 ;;
    esac
    shift
done
build=$here/build
old_src=$build/bench-bmp-src
old_build=$build/bench-bmp-store

cmake --build "$build" --target bench_window bench_store make_photos >/dev/null
if [ ! -d "$old_src" ]; then
    git -C "$here" worktree add --detach "$old_src" "$base" >/dev/null
fi
if [ ! -f "$old_build/build.ninja" ]; then
    cmake -S "$old_src" -B "$old_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        >"$old_build.log" 2>&1 || { cat "$old_build.log"; exit 1; }
fi
cmake --build "$old_build" --target bench_window >/dev/null

for limit in -1 4096000; do
    echo "== revisited folder, cache limit $limit KB (-1: the program's default) =="
    # Alternating, twice: this machine's speed drifts.
    for round in 1 2; do
        printf 'BMP store:  '
        "$old_build/bench/bench_window" --runs "$runs" --size-kb "$limit" 2>/dev/null | tail -n 1
        printf 'JPEG store: '
        "$build/bench/bench_window" --runs "$runs" --size-kb "$limit" 2>/dev/null | tail -n 1
    done
done

photos=${TMPDIR:-/tmp}/mirte-store-photos
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 40 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 40 --size 4000 3000 --quality 90 "$photos"
fi
echo "== photo-like pictures (make_photos, 4000 x 3000) =="
"$build/bench/bench_store" "$photos"
if [ -z "$real" ]; then
    # The wallpapers link one picture under many names: each file counts once.
    real=$(find -L /usr/share/backgrounds /usr/share/wallpapers -type f -iname '*.jpg' \
        -exec realpath {} + 2>/dev/null | sort -u | tr '\n' ' ')
fi
if [ -n "$real" ]; then
    echo "== real photographs =="
    # shellcheck disable=SC2086
    "$build/bench/bench_store" $real
fi
