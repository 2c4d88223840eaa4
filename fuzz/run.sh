#!/usr/bin/env bash
# Fuzzes each target for MINUTES minutes (1 unless given), starting from its seeds, and reports
# per target the inputs run and the findings (crashes, leaks, timeouts, out-of-memory). Run by
# hand, not by CI: scripts/test only runs the targets over their seeds.
#   fuzz/run.sh [MINUTES] [TARGET...]      (targets: exif bmp headers record stored)
# Builds build-fuzz/ (clang) when needed. What each run finds stays in build-fuzz/runs/TARGET/:
# its corpus (the seeds plus what libFuzzer added) and the findings as crash-*, oom-*, ...
# A target that stops on a finding is started again until its time is up.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$MIRTE_ROOT"

minutes="${1:-1}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(exif bmp headers record stored)
if ! [[ "$minutes" =~ ^[0-9]+$ ]] || [ "$minutes" -lt 1 ]; then
    echo "usage: fuzz/run.sh [MINUTES] [TARGET...]" >&2
    exit 2
fi

mirte_build build-fuzz "${MIRTE_FUZZ_OPTIONS[@]}" >/dev/null || {
    echo "the fuzz build failed" >&2
    exit 1
}

report=()
status=0
for target in "${targets[@]}"; do
    binary="build-fuzz/fuzz/fuzz_$target"
    if [ ! -x "$binary" ] || [ ! -d "fuzz/corpus/$target" ]; then
        echo "no target $target" >&2
        exit 2
    fi
    work="build-fuzz/runs/$target"
    mkdir -p "$work/corpus" "$work/findings"
    cp -n "fuzz/corpus/$target"/* "$work/corpus/"
    log="$work/fuzz.log"
    : >"$log"
    runs=0
    deadline=$((SECONDS + minutes * 60))
    echo "== fuzz_$target for $minutes minute(s)"
    while [ $SECONDS -lt $deadline ]; do
        "$binary" -max_total_time=$((deadline - SECONDS)) -print_final_stats=1 \
            -artifact_prefix="$work/findings/" "$work/corpus" >>"$log" 2>&1
        done_runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -n 1 |
            grep -o '[0-9]*$')"
        runs=$((runs + ${done_runs:-0}))
        # Counted once per start: the next start's statistics follow in the same log.
        sed -i 's/stat::number_of_executed_units/counted_units/' "$log"
    done
    findings="$(find "$work/findings" -type f | wc -l)"
    [ "$findings" -eq 0 ] || status=1
    report+=("$(printf '%-8s %12d runs %4d findings' "$target" "$runs" "$findings")")
done

echo "== per target (findings in build-fuzz/runs/TARGET/findings/)"
printf '%s\n' "${report[@]}"
exit $status
