#!/usr/bin/env bash
# scripts/check-layers over a small tree: the include cycles among the units (a header and its
# source) of picture and cache are each named, through a header or a source, directly or round
# several units; arrows that only go down, and cycles in a folder that may have them, are not.
set -uo pipefail
checker="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/check-layers"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{picture,cache,browse}
# picture: the table includes the reader, whose header includes the table's header.
printf '#include "reader.h"\n' >"$tree/picture/table.cpp"
printf '#include "row.h"\n' >"$tree/picture/table.h"
printf '#include "table.h"\n' >"$tree/picture/reader.h"
printf '#include "reader.h"\n#include "row.h"\n' >"$tree/picture/reader.cpp"
touch "$tree/picture/row.h"
# picture: a unit that includes itself and one below it only.
printf '#include "leaf.h"\n' >"$tree/picture/top.h"
printf '#include "top.h"\n#include "leaf.h"\n' >"$tree/picture/top.cpp"
touch "$tree/picture/leaf.h"
# cache: round three units, one arrow from a source, and a picture header from above.
printf '#include "b.h"\n' >"$tree/cache/a.h"
printf '#include "c.h"\n#include "picture/table.h"\n' >"$tree/cache/b.h"
printf '#include "c.h"\n#include "a.h"\n' >"$tree/cache/c.cpp"
touch "$tree/cache/c.h"
# browse is not checked for cycles.
printf '#include "y.h"\n' >"$tree/browse/x.h"
printf '#include "x.h"\n' >"$tree/browse/y.h"

expected="src/cache: include cycle: a.h includes b.h, b.h includes c.h, c.cpp includes a.h
src/picture: include cycle: reader.h includes table.h, table.cpp includes reader.h"
actual="$("$checker" "$tree")"
status=$?
if [ "$status" -ne 1 ] || [ "$actual" != "$expected" ]; then
    echo "check-layers exited $status and said:"
    echo "$actual"
    echo "expected exit 1 and:"
    echo "$expected"
    exit 1
fi
rm "$tree/cache/c.cpp" "$tree/picture/reader.h"
actual="$("$checker" "$tree")"
status=$?
if [ "$status" -ne 0 ] || [ -n "$actual" ]; then
    echo "with the cycles broken, check-layers exited $status and said:"
    echo "$actual"
    exit 1
fi
echo "check-layers named the two cycles, and nothing once they were broken"
