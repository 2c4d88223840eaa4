#!/usr/bin/env bash
# scripts/check-translations over a small tree: a complete translation passes; a text without a
# translation, a translation of a text that went, and a text lupdate cannot read each fail.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src"
source "$root/scripts/lib/common.sh"

write_source() { # the texts of the program, one tr() each
    : >"$tree/src/texts.cpp"
    for text in "$@"; do
        echo "QString T() { return QCoreApplication::translate(\"Ctx\", \"$text\"); }" \
            >>"$tree/src/texts.cpp"
    done
}
# A translation file for the texts now in the tree, every text translated as "EN".
make_ts() {
    MIRTE_L10N_SRC="$tree/src" mirte_lupdate "$tree/en.ts" -no-obsolete
    sed -i 's|<translation type="unfinished"></translation>|<translation>EN</translation>|' \
        "$tree/en.ts"
}
failures=0
expect() { # expected status, case name
    local status=0
    "$root/scripts/check-translations" "$tree/en.ts" "$tree/src" 2>"$tree/err" || status=$?
    if [ "$status" -ne "$1" ]; then
        echo "FAIL: $2: status $status, expected $1"
        cat "$tree/err"
        failures=$((failures + 1))
    fi
}

write_source "読込完了" "再読込"
make_ts
expect 0 "every text translated"
write_source "読込完了" "再読込" "読込中止"
expect 1 "a new text"
grep -q "読込中止" "$tree/err" || { echo "FAIL: the new text is not named"; failures=$((failures + 1)); }
make_ts
write_source "読込完了"
expect 1 "a text that went"
make_ts
echo 'QString U() { return tr("テスト"); }' >>"$tree/src/texts.cpp" # no class, no context
expect 1 "a call lupdate cannot read"
exit $((failures > 0))
