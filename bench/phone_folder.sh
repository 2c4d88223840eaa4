#!/usr/bin/env bash
# The grid on a phone's folder, a camera's folder and a big folder seen before, beside an
# earlier build of the program, with the window's loader on 2 workers (MIRTE_RENDER_WORKERS=2):
#
#   bench/phone_folder.sh [--base REV] [--count N] [--skip-base]
#
#   phone:   N (1,000) HEIC photos of 4032 x 3024 with a 320 x 240 thumbnail item (ten photos
#            encoded once by heif-enc -t 320, copied under distinct names), new and seen again
#   camera:  N camera JPEGs of 6000 x 4000 with a preview of 1920 x 1280 in their MPF data
#            (ten made once, linked under distinct names), new
#   revisit: 10,000 photos all in the cache, three loads
#
# Each load gives the time to the first screenful (every cell in view showing a picture, first
# images included), to every cell showing one, and to " 読込完了". The earlier build (REV,
# default the program before first images) is a worktree in build/bench-base-src built in
# build/bench-base with this bench_window.cpp; the photos are kept in build/bench-phone.
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../scripts/lib/common.sh"

base=503d06b
count=1000
skip_base=no
while [ $# -gt 0 ]; do
    case "$1" in
    --base) base=$2; shift ;;
    --count) count=$2; shift ;;
    --skip-base) skip_base=yes ;;
    *) echo "usage: bench/phone_folder.sh [--base REV] [--count N] [--skip-base]" >&2; exit 2 ;;
    esac
    shift
done

build=$MIRTE_ROOT/build
data=$build/bench-phone
export MIRTE_RENDER_WORKERS=2 QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" "$data"
cmake --build "$build" --target bench_window make_photos make_camera_jpeg >/dev/null

# Ten photos of each kind, made once; the folders of N are copies (HEIC) or links (JPEG).
if [ ! -f "$data/src/made" ]; then
    rm -rf "$data/src"
    mkdir -p "$data/src/heic" "$data/src/camera"
    "$build/bench/make_photos" --count 10 --first 0 --size 4032 3024 --quality 92 "$data/src/heic" >/dev/null
    "$build/bench/make_photos" --count 10 --first 0 --size 6000 4000 --quality 92 "$data/src/camera" \
        >/dev/null
    for i in $(seq 0 9); do
        name=$(printf 'photo_%02d' "$i")
        heif-enc -q 50 -t 320 "$data/src/heic/$name.jpg" -o "$data/src/heic/$name.heic" >/dev/null
        "$build/bench/make_camera_jpeg" "$data/src/camera/$name.jpg" "$data/src/camera/$name.mpf.jpg"
    done
    touch "$data/src/made"
fi
if [ ! -f "$data/made-$count" ]; then
    rm -rf "$data/phone" "$data/camera" "$data"/made-*
    mkdir -p "$data/phone" "$data/camera"
    for i in $(seq 0 $((count - 1))); do
        name=$(printf 'photo_%02d' $((i % 10)))
        cp "$data/src/heic/$name.heic" "$data/phone/$(printf 'IMG_%04d.HEIC' "$i")"
        ln "$data/src/camera/$name.mpf.jpg" "$data/camera/$(printf 'DSC%05d.JPG' "$i")"
    done
    touch "$data/made-$count"
fi

builds=(this)
if [ "$skip_base" = no ]; then
    base_src=$build/bench-base-src
    base_build=$build/bench-base
    if [ "$(git -C "$base_src" rev-parse HEAD 2>/dev/null)" != "$(git -C "$MIRTE_ROOT" rev-parse "$base")" ]; then
        git -C "$MIRTE_ROOT" worktree remove --force "$base_src" 2>/dev/null || rm -rf "$base_src"
        git -C "$MIRTE_ROOT" worktree add --detach "$base_src" "$base" >/dev/null
        rm -rf "$base_build"
    fi
    cp "$MIRTE_ROOT/bench/bench_window.cpp" "$base_src/bench/bench_window.cpp"
    if [ ! -f "$base_build/build.ninja" ]; then
        cmake -S "$base_src" -B "$base_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            >"$base_build.log" 2>&1 || { cat "$base_build.log"; exit 1; }
    fi
    cmake --build "$base_build" --target bench_window >/dev/null
    builds=(base this)
fi

window() { # BUILD ARGS...: bench_window of that build in a 1280 x 900 window
    local b=$build
    [ "$1" = base ] && b=$base_build
    shift
    "$b/bench/bench_window" --window 1280 900 "$@" 2>/dev/null | grep -E '^(run|median|filling)'
}

for which in "${builds[@]}"; do
    echo "== $which: $count phone photos (HEIC with a thumbnail item), new, then seen again =="
    window "$which" --folder "$data/phone" --cold --runs 2 --keep "$data/run-phone"
    echo "== $which: $count camera JPEGs of 24 MP with an MPF preview, new =="
    window "$which" --folder "$data/camera" --cold --runs 1 --keep "$data/run-camera"
done
# The big folder is filled once (by this build) and then loaded by each.
for which in "${builds[@]}"; do
    echo "== $which: 10,000 photos seen before =="
    window "$which" --count 10000 --size-kb 8000000 --runs 3 --keep "$data/revisit"
done
