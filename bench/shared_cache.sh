#!/bin/sh
# Programs sharing one cache folder, in one run:
#   1. the grid's cold and warm load (bench_browse: 1,000 photos of 4000 x 3000, the first
#      screenful and the whole load) of this build beside BASE's, alternating;
#   2. two `mirte-cli cache get` runs of 60 different 12-MP photos each, 2 workers each, alone
#      and started together on one cache (the records in the table after);
#   3. a run of 10 photos alone, and started while a run of 300 is working on the same cache
#      (the 10 records stored);
#   4. the longest step that holds the folder's lock: bench_cache's merge and save of a table
#      of 20,000 records that another program wrote meanwhile.
#   bench/shared_cache.sh [--base REV] [--skip-grid]
# REV (default 7037e96, before the folder was shared) is checked out under
# build/bench-base-src and built in build/bench-base.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
base=7037e96
grid=yes
while [ $# -gt 0 ]; do
    case "$1" in
    --base) base=$2; shift ;;
    --skip-grid) grid=no ;;
    *) echo "usage: bench/shared_cache.sh [--base REV] [--skip-grid]" >&2; exit 2 ;;
    esac
    shift
done
build=$here/build
cli=$build/src/cli/mirte-cli
cmake --build "$build" --target make_photos mirte-cli bench_browse bench_cache >/dev/null
photos=${TMPDIR:-/tmp}/mirte-worker-photos
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 40 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 40 --size 4000 3000 --quality 90 "$photos"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/mirte-shared.XXXXXX")
trap 'rm -rf "$work"' EXIT

# links DIR N: N names in DIR, hard links to the photos in turn (each name its own picture to
# the cache, decoded on its own).
links() {
    mkdir -p "$1"
    i=0
    while [ "$i" -lt "$2" ]; do
        ln "$photos/photo_$(printf %02d $((i % 40 + 1))).jpg" "$1/IMG_$i.jpg"
        i=$((i + 1))
    done
}
now() { date +%s.%N; }
# timed OUT CACHE DIR: one cache get of DIR's photos with 2 workers; its seconds go to OUT.
timed() {
    start=$(now)
    "$cli" cache --dir "$2" --jobs 2 get "$3"/*.jpg >/dev/null
    echo "$(now) $start" | awk '{ printf "%.2f\n", $1 - $2 }' >"$1"
}
records() { "$cli" cache --dir "$1" list | wc -l; }

if [ "$grid" = yes ]; then
    base_src=$build/bench-base-src
    base_build=$build/bench-base
    [ -d "$base_src" ] || git -C "$here" worktree add --detach "$base_src" "$base" >/dev/null
    if [ ! -f "$base_build/build.ninja" ]; then
        cmake -S "$base_src" -B "$base_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            >"$base_build.log" 2>&1 || { cat "$base_build.log"; exit 1; }
    fi
    cmake --build "$base_build" --target bench_browse >/dev/null
    echo "== the grid's loads, 1,000 photos (the best of 3 rounds each) =="
    for round in 1 2; do
        for which in base this; do
            [ "$which" = base ] && b=$base_build || b=$build
            printf '%s (round %s):\n' "$which" "$round"
            "$b/bench/bench_browse" --photos "$photos" --cold 200 --work "$work" 2>/dev/null |
                grep -E 'first screenful|whole|cold|warm|cached' | sed 's/^/  /'
        done
    done
fi

links "$work/a" 60
links "$work/b" 60
echo "== two runs of 60 photos, 2 workers each =="
timed "$work/a.alone" "$work/cache-a" "$work/a"
timed "$work/b.alone" "$work/cache-b" "$work/b"
timed "$work/a.shared" "$work/cache-ab" "$work/a" &
timed "$work/b.shared" "$work/cache-ab" "$work/b" &
wait
echo "alone: $(cat "$work/a.alone") s and $(cat "$work/b.alone") s;" \
    "together: $(cat "$work/a.shared") s and $(cat "$work/b.shared") s;" \
    "records after: $(records "$work/cache-ab")"
awk -v a="$(cat "$work/a.alone")" -v b="$(cat "$work/b.alone")" \
    -v x="$(cat "$work/a.shared")" -v y="$(cat "$work/b.shared")" 'BEGIN {
        longer = a > b ? a : b; last = x > y ? x : y
        printf "together / longer alone: %.2f (asked: 1.3); together / both alone: %.2f\n",
            last / longer, last / (a + b) }'

links "$work/small" 10
links "$work/large" 300
echo "== 10 photos while 300 are made on the same cache =="
timed "$work/small.alone" "$work/cache-small" "$work/small"
timed "$work/large.shared" "$work/cache-both" "$work/large" &
sleep 2 # the large run is well under way
timed "$work/small.shared" "$work/cache-both" "$work/small"
small_records=$("$cli" cache --dir "$work/cache-both" list | grep -c "$work/small/" || true)
wait
echo "10 alone: $(cat "$work/small.alone") s; beside the 300: $(cat "$work/small.shared") s" \
    "(the 300: $(cat "$work/large.shared") s); of the 10 stored when they ended: $small_records;" \
    "records after both: $(records "$work/cache-both")"
awk -v a="$(cat "$work/small.alone")" -v s="$(cat "$work/small.shared")" 'BEGIN {
        printf "beside the 300: %.2f s, asked: at most %.2f s (twice alone + 0.5 s)\n", s, 2 * a + 0.5 }'

echo "== the longest step under the lock =="
"$build/bench/bench_cache" --benchmark_filter='Table20000' 2>/dev/null | grep -E 'Table20000'
