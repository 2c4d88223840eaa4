#!/bin/sh
# The render workers: the loader's cold load (bench_browse --cold-only: 200 photos of
# 4000 x 3000, whole load and first screenful) and mirte-cli thumb over the same photos, with
# 1, 2 and 4 workers (MIRTE_RENDER_WORKERS), beside vipsthumbnail started once per picture on
# one core. Needs scripts/setup --bench (vipsthumbnail, taskset).
#   bench/workers.sh [BUILD] [COLD]        (BUILD defaults to build/, COLD to 200)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
cold=${2:-200}
photos=${TMPDIR:-/tmp}/mirte-worker-photos
work=$(mktemp -d "${TMPDIR:-/tmp}/mirte-workers.XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target make_photos bench_browse mirte-cli >/dev/null
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 40 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 40 --size 4000 3000 --quality 90 "$photos"
fi
for workers in 1 2 4; do
    echo "== $workers render worker(s)"
    MIRTE_RENDER_WORKERS=$workers "$build/bench/bench_browse" --photos "$photos" --cold "$cold" \
        --cold-only --cli "$build/src/cli/mirte-cli" --work "$work" | grep -E 'cold|ratio'
done
# vipsthumbnail once per picture on one core, over the same number of pictures (the made ones
# again and again, as bench_browse's links are).
echo "== vipsthumbnail -s 512x512, one picture at a time on one core"
core=$(taskset -cp $$ | sed 's/.*: *//; s/[,-].*//')
set -- "$photos"/photo_*.jpg
start=$(date +%s.%N)
i=0
while [ $i -lt "$cold" ]; do
    for photo in "$@"; do
        [ $i -lt "$cold" ] || break
        taskset -c "$core" vipsthumbnail -s 512x512 -o "$work/v$i.ppm" "$photo"
        i=$((i + 1))
    done
done
end=$(date +%s.%N)
awk -v a="$start" -v b="$end" -v n="$cold" \
    'BEGIN { printf "  vipsthumbnail: %.3f s (%.1f ms a photo)\n", b - a, 1000 * (b - a) / n }'
