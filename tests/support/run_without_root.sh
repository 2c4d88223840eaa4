#!/bin/sh
# Runs a test binary's *WithoutRoot tests as the user nobody, so that permissions bind.
# Exits 77 (skipped) when that cannot be done here: not root, no setpriv, or the binary is out of
# nobody's reach.
binary="$1"
[ "$(id -u)" -eq 0 ] || exit 77
command -v setpriv >/dev/null 2>&1 || exit 77
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp TMPDIR=/tmp "$@"; }
as_nobody test -x "$binary" || exit 77
exec setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp TMPDIR=/tmp \
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp "$binary" --gtest_filter='*WithoutRoot*'
