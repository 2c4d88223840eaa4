#!/bin/sh
# Runs the named functions of a Qt Test binary as the user nobody, so that permissions bind.
# Exits 77 (skipped) when that cannot be done here: not root, no setpriv, or the binary is out of
# nobody's reach.
binary="$1"
shift
[ "$(id -u)" -eq 0 ] || exit 77
command -v setpriv >/dev/null 2>&1 || exit 77
as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp TMPDIR=/tmp \
        QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp "$@"
}
as_nobody test -x "$binary" || exit 77
as_nobody "$binary" "$@"
