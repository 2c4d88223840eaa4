#!/usr/bin/env bash
# The Debian package as a user gets it: lintian (no errors; its warnings shown), the desktop entry
# and the metainfo validated, the files and the dependencies it brings; then, unpacked into a
# scratch folder (dpkg-deb -x) with a scratch home, mirte-cli --version and a print index of a
# few generated photos into a PDF, and the unpacked mirte started offscreen with a folder, then
# once more with a picture of another folder (handed over to the first). An installed program
# keeps its files per user: settings in ~/.config/mirte, cache in ~/.cache/mirte, diagnostics in
# ~/.local/state/mirte; nothing beside the programs. Needs a printer (scripts/setup makes one).
#   tests/packaging/test_package.sh PACKAGE.deb
set -uo pipefail
deb="$(realpath "$1")"
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

scratch="$(mktemp -d)"
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# Waits up to a minute for a command to succeed.
wait_for() {
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

echo "-- lintian"
lintian --no-tag-display-limit "$deb" >"$scratch/lintian.txt" 2>&1
grep -E '^[EW]: ' "$scratch/lintian.txt"
grep -q '^E: ' "$scratch/lintian.txt" && fail "lintian reports errors"

echo "-- contents and dependencies"
root="$scratch/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
id="$(basename "$root"/usr/share/applications/*.desktop .desktop)"
expected=(usr/bin/mirte usr/bin/mirte-cli usr/share/applications/"$id".desktop
    usr/share/metainfo/"$id".metainfo.xml usr/share/icons/hicolor/scalable/apps/"$id".svg
    usr/share/man/man1/mirte.1.gz usr/share/man/man1/mirte-cli.1.gz
    usr/share/doc/mirte/ReadMe.txt usr/share/doc/mirte/ReadMe.en.txt
    usr/share/doc/mirte/copyright usr/share/doc/mirte/changelog.gz)
for size in 16 32 48 64 128 256; do
    expected+=(usr/share/icons/hicolor/${size}x${size}/apps/"$id".png)
done
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends: not from the programs"
for recommended in printer-driver-cups-pdf xdg-utils; do
    dpkg-deb -f "$deb" Recommends | grep -qw "$recommended" || fail "Recommends: lacks $recommended"
done

echo "-- desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$scratch/as.txt" 2>&1 ||
    fail "appstreamcli validate"
grep -E '^[EW]: ' "$scratch/as.txt" && fail "appstreamcli validate reports errors or warnings"

echo "-- the unpacked programs"
home="$scratch/home"
mkdir -p "$home"
# env execs the program: started in the background, $! is the program's own id, so that the
# cleanup ends the program itself (not a shell around it) before it removes the scratch home.
in_home=(env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME -u XDG_DATA_HOME
    HOME="$home" QT_QPA_PLATFORM=offscreen MIRTE_INSTANCE_NAME="mirte-package-test-$$")
run() { "${in_home[@]}" "$@"; }
bin="$root/usr/bin"
version="$(dpkg-deb -f "$deb" Version)"
[ "$(run "$bin/mirte-cli" --version)" = "mirte-cli $version" ] || fail "mirte-cli --version"

# The English translation travels inside the programs: an error in each language.
missing_folder_error() { # LANG
    run env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$1" "$bin/mirte-cli" list "$scratch/none" 2>&1 |
        cut -f2
}
[ "$(missing_folder_error ja_JP.UTF-8)" = "フォルダが存在しません。" ] ||
    fail "mirte-cli in Japanese: $(missing_folder_error ja_JP.UTF-8)"
english="$(missing_folder_error en_US.UTF-8)"
[[ -n "$english" && -z "$(LC_ALL=C tr -d '\0-\177' <<<"$english")" ]] ||
    fail "mirte-cli in English: $english"

photos() { # FOLDER NAME... : one small generated JPEG per name
    mkdir -p "$1"
    local folder="$1" hue=0
    shift
    for name in "$@"; do
        convert -size 320x240 "xc:hsl($((hue += 60)),60%,50%)" -fill white \
            -draw 'circle 160,120 160,60' "$folder/$name" || fail "convert $name"
    done
}
photos "$home/print" a.jpg b.jpg c.jpg
run "$bin/mirte-cli" print index "$home/print" --pdf "$scratch/index.pdf" >/dev/null ||
    fail "mirte-cli print index"
[ "$(pdfinfo "$scratch/index.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')" = 1 ] ||
    fail "print index did not make a one-page PDF"

table="$home/.cache/mirte/_TDB0200/_TDBCache.dat"
mkdir -p "$home/.local/state/mirte"
printf '[Debug]\r\nDebugLog=1\r\n' >"$home/.local/state/mirte/Debug.ini"
photos "$home/first" one.jpg two.jpg
photos "$home/second" three.jpg four.jpg
"${in_home[@]}" "$bin/mirte" "$home/first" 2>"$scratch/mirte.log" &
started+=("$!")
wait_for grep -q 'two\.jpg' "$table" || fail "mirte did not load the folder it was given"
# A second start with a picture hands it over and ends; the first shows the picture's folder.
run timeout 30 "$bin/mirte" "$home/second/four.jpg" 2>>"$scratch/mirte.log" ||
    fail "a second start with a picture"
wait_for grep -q 'four\.jpg' "$table" || fail "the running mirte did not load the picture's folder"

[ -f "$home/.config/mirte/Thumbnail.ini" ] || fail "no ~/.config/mirte/Thumbnail.ini"
compgen -G "$home/.local/state/mirte/Log/A*.log" >/dev/null || fail "no log in ~/.local/state/mirte"
[ "$(ls "$bin")" = "$(printf 'mirte\nmirte-cli')" ] || fail "files beside the programs: $(ls "$bin")"
if [ "$status" -eq 0 ]; then
    echo "the package passed"
else
    cat "$scratch/mirte.log" 2>/dev/null
fi
exit $status
