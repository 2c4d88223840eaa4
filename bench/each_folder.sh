#!/bin/sh
# The index card of a tree, for each folder: `mirte-cli print index --each-folder` of 20 folders
# of 30 cached photos (1600 x 1200) each into a PDF, beside the same 600 photos printed as one
# folder (`print index FOLDER`), in turns, ROUNDS times each (5 unless given). Each is printed
# once first, untimed, so that every thumbnail is in the cache. Fails when a run of the tree
# takes longer than 2 seconds.
#   bench/each_folder.sh [BUILD] [ROUNDS]        (BUILD defaults to build/)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
rounds=${2:-5}
limit=2.00
photos=${TMPDIR:-/tmp}/mirte-layout-photos
work=$(mktemp -d "${TMPDIR:-/tmp}/mirte-each-folder.XXXXXX")
trap 'rm -rf "$work"' EXIT
cli=$build/src/cli/mirte-cli

cmake --build "$build" --target make_photos mirte-cli >/dev/null
if [ "$(ls "$photos" 2>/dev/null | wc -l)" -lt 600 ]; then
    mkdir -p "$photos"
    "$build/bench/make_photos" --count 1000 --size 1600 1200 --quality 90 "$photos"
fi
# The same 600 files twice, by hard links: as one folder, and 30 to a folder in a tree.
mkdir -p "$work/flat" "$work/tree"
i=0
for photo in $(ls "$photos" | head -n 600); do
    folder=$(printf "%s/tree/f%02d" "$work" $((i / 30 + 1)))
    mkdir -p "$folder"
    ln "$photos/$photo" "$work/flat/$photo"
    ln "$photos/$photo" "$folder/$photo"
    i=$((i + 1))
done
export QT_QPA_PLATFORM=offscreen

flat() { "$cli" print index "$work/flat" --cache "$work/cache" --pdf "$work/flat.pdf"; }
tree() { "$cli" print index --each-folder "$work/tree" --cache "$work/cache" --pdf "$work/tree.pdf"; }
seconds() {
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v n=$((end - start)) 'BEGIN { printf "%.2f", n / 1e9 }'
}

flat >/dev/null 2>&1
tree >/dev/null 2>&1
echo "pages: one folder $(pdfinfo "$work/flat.pdf" | awk '/^Pages/ { print $2 }')," \
    "each folder $(pdfinfo "$work/tree.pdf" | awk '/^Pages/ { print $2 }')"
flats=""
trees=""
round=1
while [ "$round" -le "$rounds" ]; do
    flats="$flats $(seconds flat)"
    trees="$trees $(seconds tree)"
    round=$((round + 1))
done
summary() {
    echo "$2" | tr ' ' '\n' | grep . | sort -n | awk -v name="$1" '{ t[NR] = $1 }
        END { printf "%-28s best %.2f s, median %.2f s, worst %.2f s\n", name, t[1],
              t[int((NR + 1) / 2)], t[NR] }'
}
echo "600 cached photos into a PDF, $rounds runs each:"
summary "print index FOLDER" "$flats"
summary "print index --each-folder" "$trees"
worst=$(echo "$trees" | tr ' ' '\n' | grep . | sort -n | tail -n 1)
if awk -v t="$worst" -v l="$limit" 'BEGIN { exit !(t > l) }'; then
    echo "FAIL: a run of the tree took $worst s, more than $limit s"
    exit 1
fi
