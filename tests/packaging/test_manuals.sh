#!/usr/bin/env bash
# The manuals and the programs' own help agree with the README: every command and option of
# mirte-cli that the README lists is in mirte-cli(1) and in mirte-cli's help; mirte and mirte-cli
# answer --help and --version (the project's version) without a display, and mirte refuses an
# unknown option with status 2.
#   test_manuals.sh README MANDIR MIRTE MIRTE_CLI VERSION
set -uo pipefail
readme="$1" mandir="$2" mirte="$3" cli="$4" version="$5"
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

section="$(sed -n '/^## mirte-cli/,/^## [^m]/p' "$readme")"
mapfile -t options < <(grep -oE -- '--[a-z][a-z-]*' <<<"$section" | sort -u)
mapfile -t commands < <(grep -oE '`mirte-cli (print )?[a-z][a-z-]*' <<<"$section" | cut -c2- | sort -u)
[ "${#options[@]}" -gt 10 ] && [ "${#commands[@]}" -gt 6 ] ||
    fail "the README's mirte-cli section lists ${#options[@]} options, ${#commands[@]} commands"

manual="$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$mandir/mirte-cli.1")"
help="$("$cli" --help; "$cli" print --help 2>&1)"
for option in "${options[@]}"; do
    grep -qF -- "$option" <<<"$manual" || fail "mirte-cli(1) lacks $option"
    grep -qF -- "$option" <<<"$help" || fail "mirte-cli --help lacks $option"
done
for command in "${commands[@]}"; do
    words="${command#mirte-cli }"
    grep -qE "^\.B[IR]? \"?(mirte-cli )?${words}( |\"|$)" <<<"$manual" ||
        fail "mirte-cli(1) lacks the command \"$words\""
done

# No display: --help and --version must not need one.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
[ "$("${headless[@]}" "$mirte" --version)" = "mirte $version" ] || fail "mirte --version"
[ "$("${headless[@]}" "$cli" --version)" = "mirte-cli $version" ] || fail "mirte-cli --version"
"${headless[@]}" "$mirte" --help | grep -q '^usage: mirte \[FOLDER | PICTURE\]' || fail "mirte --help"
# A mistake on the line is told before the program needs a display.
mistake="$("${headless[@]}" "$mirte" --no-such-option 2>&1)"
[ $? -eq 2 ] || fail "mirte --no-such-option does not end with status 2 without a display"
grep -q 'Try "mirte --help"' <<<"$mistake" || fail "mirte --no-such-option: $mistake"
# The limit of --box that mirte-cli(1) gives is the program's: the largest side is taken, one
# more is refused.
box="$(grep -A1 -F -- '--box ' <<<"$manual" | grep -oE 'each 1 to [0-9]+' | grep -oE '[0-9]+$')"
if [ -z "$box" ]; then
    fail "mirte-cli(1) gives no limit of --box"
else
    scratch="$(mktemp -d)"
    said() { "$cli" thumb --box "$1" 1 --out "$scratch" "$scratch/none.jpg" 2>&1; }
    grep -q -- '--box' <<<"$(said "$box")" &&
        fail "mirte-cli thumb refuses --box $box, the limit mirte-cli(1) gives"
    grep -q -- '--box' <<<"$(said $((box + 1)))" ||
        fail "mirte-cli thumb takes --box $((box + 1)), past the limit mirte-cli(1) gives"
    rm -rf "$scratch"
fi
grep -qF -- '--version' <(sed 's/\\-/-/g' "$mandir/mirte.1") || fail "mirte(1) lacks --version"
exit $status
