#!/usr/bin/env bash
# Fuzzes each target for MINUTES minutes (1 unless given), starting from its seeds, and reports
# per target the inputs run and the findings (crashes, leaks, timeouts, out-of-memory). Run by
# hand, not by CI: scripts/test only runs the targets over their seeds.
#   fuzz/run.sh [MINUTES] [TARGET...]      (targets: every fuzz/fuzz_TARGET.cpp unless given)
# Builds build-fuzz/ (clang) when needed. What each run finds stays in build-fuzz/runs/TARGET/:
# its corpus (the seeds plus what libFuzzer added) and the findings as crash-*, oom-*, ...
# A target that stops on a finding is started again until its time is up.
# libFuzzer looks at the time only between inputs, and its own limit for one input is 20
# minutes: an input that keeps a library busy (LibRaw and libheif are not instrumented, so
# nothing steers away from their slow paths) would hold the run past its time with nothing to
# show. So one input may take 10 seconds at most (unit_seconds): a longer one is a finding
# (timeout-*) and ends that start. A target that still does not end (at its exit, say) is
# stopped and reported as not ending in time.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$MIRTE_ROOT"

minutes="${1:-1}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do
        name="${source#fuzz/fuzz_}"
        targets+=("${name%.cpp}")
    done
fi
unit_seconds=10
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
    overran=0
    deadline=$((SECONDS + minutes * 60))
    echo "== fuzz_$target for $minutes minute(s)"
    while :; do
        # Taken once: -max_total_time=0 would mean no limit at all.
        left=$((deadline - SECONDS))
        [ "$left" -gt 0 ] || break
        timeout --kill-after=10 $((left + unit_seconds + 60)) \
            "$binary" -max_total_time="$left" -timeout="$unit_seconds" -print_final_stats=1 \
            -artifact_prefix="$work/findings/" "$work/corpus" >>"$log" 2>&1
        case $? in
        124 | 137)
            echo "fuzz_$target did not end $((unit_seconds + 60)) s after its time" >>"$log"
            overran=1
            status=1
            ;;
        esac
        done_runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -n 1 |
            grep -o '[0-9]*$')"
        runs=$((runs + ${done_runs:-0}))
        # Counted once per start: the next start's statistics follow in the same log.
        sed -i 's/stat::number_of_executed_units/counted_units/' "$log"
    done
    findings="$(find "$work/findings" -type f | wc -l)"
    [ "$findings" -eq 0 ] || status=1
    report+=("$(printf '%-12s %12d runs %4d findings%s' "$target" "$runs" "$findings" \
        "$([ "$overran" -eq 0 ] || echo ', did not end in time (see its fuzz.log)')")")
done

echo "== per target (findings in build-fuzz/runs/TARGET/findings/)"
printf '%s\n' "${report[@]}"
exit $status
