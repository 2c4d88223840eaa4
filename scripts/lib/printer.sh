#!/usr/bin/env bash
# Makes sure a printer exists: starts the CUPS scheduler when it is not running and creates the
# PDF queue "PDF" when there is no printer. The program refuses to start without one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

if ! scheduler_running; then
    if [ -n "${MIRTE_PIDFILE:-}" ]; then
        # Kept in the foreground of a background job, so $! is the scheduler itself (or the sudo
        # that passes a stop on to it).
        if [ "$(id -u)" -eq 0 ]; then
            /usr/sbin/cupsd -f </dev/null >/tmp/mirte-cupsd.log 2>&1 &
        else
            sudo /usr/sbin/cupsd -f </dev/null >/tmp/mirte-cupsd.log 2>&1 &
        fi
        echo "$!" >>"$MIRTE_PIDFILE"
    else
        as_root /usr/sbin/cupsd # forks into the background and stays as a service
    fi
    for _ in $(seq 100); do
        scheduler_running && break
        sleep 0.1
    done
    scheduler_running || {
        echo "setup: the print scheduler (cupsd) did not start" >&2
        exit 1
    }
fi

if [ -z "$(lpstat -e 2>/dev/null)" ]; then
    # pdftocairo keeps the fonts as real fonts in the PDF (Ghostscript would make Type 3 glyphs).
    as_root lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o printer-is-shared=false -o pdftops-renderer-default=pdftocairo 2>/dev/null
    as_root lpadmin -d PDF
    echo "setup: created the PDF printer queue \"PDF\""
fi
