#!/usr/bin/env bash
# scripts/check-layers over a small tree: one wrong include in each spelling is reported, and the
# same spellings going the right way, or out to Qt and the system, are not.
set -uo pipefail
checker="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/check-layers"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{util,cache/sub,browse,shell}
touch "$tree/browse/grid.h" "$tree/util/paths.h"
cat >"$tree/cache/wrong.cpp" <<'CPP'
# include "browse/grid.h"
    #include "browse/grid.h"
#include "../browse/grid.h"
#include <browse/grid.h>
#	include <QWidget>
CPP
cat >"$tree/cache/sub/wrong.h" <<'CPP'
#include "../../browse/grid.h"
CPP
cat >"$tree/cache/right.cpp" <<'CPP'
# include "util/paths.h"
  #include "../util/paths.h"
#include <util/paths.h>
#include "sub/wrong.h"
#include <QImage>
#include <vector>
#include "generated/mirte_version.h"
CPP
cat >"$tree/shell/right.cpp" <<'CPP'
#include "../browse/grid.h"
#include <QWidget>
CPP

expected="src/cache/sub/wrong.h:1: cache may not include from browse: #include \"../../browse/grid.h\"
src/cache/wrong.cpp:1: cache may not include from browse: # include \"browse/grid.h\"
src/cache/wrong.cpp:2: cache may not include from browse: #include \"browse/grid.h\"
src/cache/wrong.cpp:3: cache may not include from browse: #include \"../browse/grid.h\"
src/cache/wrong.cpp:4: cache may not include from browse: #include <browse/grid.h>
src/cache/wrong.cpp:5: the core layer cache may not include #	include <QWidget>"
actual="$("$checker" "$tree")"
status=$?
if [ "$status" -ne 1 ] || [ "$actual" != "$expected" ]; then
    echo "check-layers exited $status and said:"
    echo "$actual"
    echo "expected exit 1 and:"
    echo "$expected"
    exit 1
fi
echo "check-layers found the six wrong includes and nothing else"
