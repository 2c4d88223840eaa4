#!/usr/bin/env bash
# How fast mirte-cli makes thumbnails, beside vipsthumbnail and djpeg, on one core.
#
#   bench/thumbnails.sh [--quick] [--list] [--data DIR]
#
# Sets: the JPEG photographs that mate-backgrounds and plasma-workspace-wallpapers ship, 40
# photo-like 4000 x 3000 JPEGs made by bench/make_photos.cpp (quality 90, baseline), and the
# progressive JPEGs of both. Tools, each pinned to one core:
#   vipsthumbnail -s 512x512    one call over all files, writing PPM (uncompressed, as BMP is)
#   djpeg -scale 1/4 -bmp       one call per file
#   mirte-cli thumb --out DIR   one call over all files (fits into 512 x 512, writes BMP)
# Each time is the best of three runs (one with --quick). Then the peak memory of each on one
# 12-megapixel photo. The made photos are kept in DIR (default build/bench-data) for next time.
# MIRTE_CLI names another mirte-cli than build/src/cli/mirte-cli.
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../scripts/lib/common.sh"

runs=3
list=0
data="$MIRTE_ROOT/build/bench-data"
while [ $# -gt 0 ]; do
    case "$1" in
    --quick) runs=1 ;;
    --list) list=1 ;;
    --data)
        [ $# -ge 2 ] || {
            echo "thumbnails.sh: --data needs a folder" >&2
            exit 2
        }
        data="$2"
        shift
        ;;
    -h | --help)
        sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "${BASH_SOURCE[0]}"
        exit 0
        ;;
    *)
        echo "usage: bench/thumbnails.sh [--quick] [--list] [--data DIR]" >&2
        exit 2
        ;;
    esac
    shift
done
mkdir -p "$data"
data="$(cd "$data" && pwd)"
cli="${MIRTE_CLI:-$MIRTE_ROOT/build/src/cli/mirte-cli}"

# Whatever set-up starts (the print scheduler) is stopped again at the end, as are our files.
work="$(mktemp -d "${TMPDIR:-/tmp}/mirte-thumbnails.XXXXXX")"
MIRTE_PIDFILE="$work/started.pids"
export MIRTE_PIDFILE
: >"$MIRTE_PIDFILE"
finish() {
    while read -r pid; do
        [ -n "$pid" ] || continue
        as_root kill "$pid" 2>/dev/null || true
        while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
    done <"$MIRTE_PIDFILE"
    rm -rf "$work"
}
trap finish EXIT

"$MIRTE_ROOT/scripts/setup" --bench

# The first core we may run on (0 on an ordinary machine).
core="$(taskset -cp $$ | sed 's/.*: *//; s/[,-].*//')"
pin() { taskset -c "$core" "$@"; }

# --- the photo-like set, made once ---------------------------------------------------------
photos=40
progressive_copies=5
generated="$data/generated"
progressive="$data/progressive"
source_file="$MIRTE_ROOT/bench/make_photos.cpp"
stamp="make_photos $(sha256sum "$source_file" | cut -c1-16) count=$photos 4000x3000 q90"

made_count() { find "$1" -maxdepth 1 -name 'photo_*.jpg' 2>/dev/null | wc -l; }

if [ "$(cat "$generated/.made" 2>/dev/null)" != "$stamp" ] ||
    [ "$(made_count "$generated")" -ne "$photos" ]; then
    # Compiled here, optimised whatever the build is, so that no build of the program is needed.
    maker="$data/make_photos"
    if [ ! -x "$maker" ] || [ "$maker" -ot "$source_file" ]; then
        echo "thumbnails: compiling bench/make_photos.cpp"
        c++ -std=c++20 -O2 -pthread -o "$maker" "$source_file" -ljpeg
    fi
    echo "thumbnails: making $photos photos of 4000 x 3000 in $generated"
    rm -rf "$generated" "$progressive"
    mkdir -p "$generated"
    started=$EPOCHREALTIME
    "$maker" --count "$photos" --size 4000 3000 --quality 90 "$generated"
    echo "$stamp" >"$generated/.made"
    echo "thumbnails: made them in $(awk -v a="$started" -v b="$EPOCHREALTIME" \
        'BEGIN { printf "%.1f", b - a }') s"
fi
if [ "$(cat "$progressive/.made" 2>/dev/null)" != "$stamp" ] ||
    [ "$(made_count "$progressive")" -ne "$progressive_copies" ]; then
    rm -rf "$progressive"
    mkdir -p "$progressive"
    for i in $(seq 1 "$progressive_copies"); do
        name="$(printf 'photo_%02d.jpg' "$i")"
        jpegtran -progressive -copy all -outfile "$progressive/$name" "$generated/$name"
    done
    echo "$stamp" >"$progressive/.made"
fi

# --- the sets -----------------------------------------------------------------------------
# Each set is a folder of links with names unique in the set, so that every tool writes one
# output per input and the outputs can be counted.
declare -A width height interlace
facts() { # facts FILE: remembers its size and whether it is progressive
    local w h i
    read -r w h i < <(identify -ping -format '%w %h %[interlace]\n' "$1" 2>/dev/null | head -1)
    width[$1]="${w:-0}"
    height[$1]="${h:-0}"
    interlace[$1]="${i:-None}"
}
link() { # link SET FILE NAME
    mkdir -p "$work/sets/$1"
    ln -s "$2" "$work/sets/$1/$3"
}

shipped_dirs=()
for dir in /usr/share/backgrounds /usr/share/wallpapers; do
    [ -d "$dir" ] && shipped_dirs+=("$dir")
done
shipped=()
if [ ${#shipped_dirs[@]} -gt 0 ]; then
    # The wallpapers link one picture under many names: each file counts once.
    mapfile -t shipped < <(find -L "${shipped_dirs[@]}" -type f \
        \( -iname '*.jpg' -o -iname '*.jpeg' \) -print0 | xargs -0 -r realpath | sort -u)
fi
mkdir -p "$work/sets"
for file in "${shipped[@]}"; do
    facts "$file"
    name="$(sed 's|^/usr/share/||; s|/contents/images/|/|; s|/contents/|/|; s|/|_|g' <<<"$file")"
    link shipped "$file" "$name"
    [ "${interlace[$file]}" = "JPEG" ] && link progressive "$file" "$name"
done
for file in "$generated"/photo_*.jpg; do
    facts "$file"
    link photos "$file" "$(basename "$file")"
done
for file in "$progressive"/photo_*.jpg; do
    facts "$file"
    link progressive "$file" "made_$(basename "$file")"
done

set_files() { # set_files SET: prints the set's links, one a line
    [ -d "$work/sets/$1" ] && find "$work/sets/$1" -mindepth 1 -maxdepth 1 | sort
    return 0
}
describe() { # describe SET TITLE
    local file target count=0 progressives=0
    local -a lines=()
    while read -r file; do
        target="$(readlink "$file")"
        count=$((count + 1))
        [ "${interlace[$target]}" = "JPEG" ] && progressives=$((progressives + 1))
        lines+=("${width[$target]} ${height[$target]}")
    done < <(set_files "$1")
    if [ "$count" -eq 0 ]; then
        printf '%-12s none found\n' "$1"
        return
    fi
    printf '%s\n' "${lines[@]}" | awk -v set="$1" -v title="$2" -v n="$count" \
        -v p="$progressives" '
        { mp = $1 * $2 / 1e6; total += mp
          if (NR == 1 || mp < lo) lo = mp
          if (NR == 1 || mp > hi) hi = mp }
        END { printf "%-12s %3d JPEGs, %.1f to %.1f megapixels (%.0f in all), %d progressive; %s\n",
                     set, n, lo, hi, total, p, title }'
}

# --- measuring ----------------------------------------------------------------------------
# best SET TOOL: runs the tool over the set $runs times; prints the best wall time in seconds,
# or fails (with the reason in $work/why) when a run fails or misses an output.
best() {
    local set="$1" tool="$2" out="$work/out" best="" start end written
    local -a files
    mapfile -t files < <(set_files "$set")
    for _ in $(seq 1 "$runs"); do
        rm -rf "$out"
        mkdir -p "$out"
        start=$EPOCHREALTIME
        if ! "tool_$tool" "$out" "${files[@]}" >"$work/log" 2>&1; then
            echo "failed: $(grep -m1 . "$work/log" || echo "exit status only")" >"$work/why"
            return 1
        fi
        end=$EPOCHREALTIME
        written="$(find "$out" -type f | wc -l)"
        if [ "$written" -ne ${#files[@]} ]; then
            echo "wrote $written thumbnails for ${#files[@]} files" >"$work/why"
            return 1
        fi
        best="$(awk -v a="$start" -v b="$end" -v best="$best" \
            'BEGIN { t = b - a; if (best != "" && best < t) t = best; printf "%.4f", t }')"
    done
    echo "$best"
}
tool_vips() {
    local out="$1"
    shift
    pin env VIPS_CONCURRENCY=1 vipsthumbnail -s 512x512 -o "$out/%s.ppm" "$@"
}
tool_djpeg() {
    local out="$1"
    shift
    # shellcheck disable=SC2016 # expanded by the inner shell
    pin bash -c 'out="$1"; shift
        for f; do n="${f##*/}"; djpeg -scale 1/4 -bmp -outfile "$out/${n%.*}.bmp" "$f" || exit 1; done' \
        djpeg "$out" "$@"
}
tool_mirte() {
    local out="$1"
    shift
    pin "$cli" thumb --out "$out" "$@"
}

mirte_missing=""
if [ ! -x "$cli" ]; then
    mirte_missing="${cli#"$MIRTE_ROOT"/} is not built"
fi
# Which kind of build is measured: a debug one says little.
build_kind=""
cache="$(dirname "$(dirname "$(dirname "$cli")")")/CMakeCache.txt"
if [ -f "$cache" ]; then
    build_kind="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache")"
    build_kind=" (${build_kind:-no build type} build)"
fi
# Why a tool failed, once for each reason, with the sets it failed on.
declare -A note_sets=()
declare -a notes=()
note() { # note REASON SET
    if [ -z "${note_sets[$1]+set}" ]; then
        notes+=("$1")
        note_sets[$1]="$2"
    else
        note_sets[$1]+=", $2"
    fi
}

echo
echo "== sets"
describe shipped "${shipped_dirs[*]:-no /usr/share/backgrounds nor /usr/share/wallpapers}"
describe photos "$generated"
describe progressive "progressive ones of both (the made ones rewritten by jpegtran -progressive)"
if [ "$list" -eq 1 ] || [ ${#shipped[@]} -gt 0 ]; then
    echo
    if [ "$list" -eq 1 ]; then
        echo "shipped photographs:"
    else
        echo "progressive ones among the shipped photographs (all of them with --list):"
    fi
    for file in "${shipped[@]}"; do
        kind=baseline
        [ "${interlace[$file]}" = "JPEG" ] && kind=progressive
        [ "$list" -eq 1 ] || [ "$kind" = progressive ] || continue
        awk -v w="${width[$file]}" -v h="${height[$file]}" -v k="$kind" -v f="$file" \
            'BEGIN { printf "  %5d x %-5d %5.1f MP  %-11s %s\n", w, h, w * h / 1e6, k, f }'
    done
fi

load="$(cut -d' ' -f1 /proc/loadavg)"
echo
if [ "$runs" -eq 1 ]; then
    how="one run"
else
    how="best of $runs runs"
fi
echo "== wall time on core $core, $how (load average before: $load)"
echo "   mirte-cli: ${cli#"$MIRTE_ROOT"/}$build_kind"
if awk -v l="$load" 'BEGIN { exit !(l > 0.7) }'; then
    echo "   (other work is running on this machine: the times are less steady than they can be)"
fi
printf '%-12s %5s  %-22s %9s %9s %11s %11s\n' set files tool "best s" "ms/file" "mirte/vips" \
    "mirte/djpeg"
ratio() { # ratio SECONDS OTHER: how many times as long, or nothing without the other
    [ -z "$2" ] || awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'
}
declare -A took
for set in shipped photos progressive; do
    count="$(set_files "$set" | wc -l)"
    [ "$count" -gt 0 ] || continue
    took=()
    # Read once before timing, so that every tool finds the files in the page cache.
    set_files "$set" | xargs -d '\n' cat >/dev/null
    for tool in vips djpeg mirte; do
        case "$tool" in
        vips) label="vipsthumbnail" ;;
        djpeg) label="djpeg -scale 1/4" ;;
        mirte) label="mirte-cli thumb" ;;
        esac
        if [ "$tool" = mirte ] && [ -n "$mirte_missing" ]; then
            printf '%-12s %5d  %-22s %s\n' "$set" "$count" "$label" "mirte-cli thumb: not available"
            continue
        fi
        if ! seconds="$(best "$set" "$tool")"; then
            why="$(cat "$work/why")"
            if [ "$tool" = mirte ]; then
                printf '%-12s %5d  %-22s %s\n' "$set" "$count" "$label" \
                    "mirte-cli thumb: not available"
            else
                printf '%-12s %5d  %-22s %s\n' "$set" "$count" "$label" "$why"
            fi
            note "$label: $why" "$set"
            continue
        fi
        took[$tool]="$seconds"
        to_vips=""
        to_djpeg=""
        if [ "$tool" = mirte ]; then
            to_vips="$(ratio "$seconds" "${took[vips]:-}")"
            to_djpeg="$(ratio "$seconds" "${took[djpeg]:-}")"
        fi
        awk -v set="$set" -v n="$count" -v label="$label" -v s="$seconds" -v r1="$to_vips" \
            -v r2="$to_djpeg" 'BEGIN {
                line = sprintf("%-12s %5d  %-22s %9.3f %9.1f %11s %11s",
                               set, n, label, s, 1000 * s / n, r1, r2)
                sub(/ +$/, "", line)
                print line }'
    done
done
if [ -n "$mirte_missing" ]; then
    note "mirte-cli thumb: $mirte_missing" "all sets"
fi

# --- peak memory on one 12-megapixel photo ------------------------------------------------
one="$generated/photo_01.jpg"
echo
echo "== peak resident memory on one photo of $((${width[$one]} * ${height[$one]} / 1000000)) megapixels" \
    "(${width[$one]} x ${height[$one]})"
peak() { # peak LABEL COMMAND...: the command makes one output in $work/out
    local label="$1" out="$work/out"
    shift
    rm -rf "$out"
    mkdir -p "$out"
    if [ "$label" = "mirte-cli thumb" ] && [ -n "$mirte_missing" ]; then
        printf '  %-22s %s\n' "$label" "mirte-cli thumb: not available"
        return
    fi
    if pin /usr/bin/time -f %M -o "$work/peak" "$@" >"$work/log" 2>&1 &&
        [ "$(find "$out" -type f | wc -l)" -eq 1 ]; then
        awk -v k="$(tail -1 "$work/peak")" -v l="$label" \
            'BEGIN { printf "  %-22s %7.1f MiB\n", l, k / 1024 }'
    elif [ "$label" = "mirte-cli thumb" ]; then
        printf '  %-22s %s\n' "$label" "mirte-cli thumb: not available"
    else
        printf '  %-22s failed: %s\n' "$label" "$(grep -m1 . "$work/log" || true)"
    fi
}
peak "mirte-cli thumb" "$cli" thumb --out "$work/out" "$one"
peak "vipsthumbnail" env VIPS_CONCURRENCY=1 vipsthumbnail -s 512x512 -o "$work/out/%s.ppm" "$one"
peak "djpeg -scale 1/4" djpeg -scale 1/4 -bmp -outfile "$work/out/photo.bmp" "$one"

if [ ${#notes[@]} -gt 0 ]; then
    echo
    for reason in "${notes[@]}"; do
        echo "note: $reason (${note_sets[$reason]})"
    done
fi
