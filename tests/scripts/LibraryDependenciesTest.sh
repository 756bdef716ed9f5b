#!/usr/bin/env bash
# scripts/common.sh's check that each module library lists exactly the folders its sources
# include: quiet over a tree that agrees, naming the folder over one with an include too many or
# a dependency too many, and the file and line of an include that climbs out of its folder; and
# the check of includes of the stand-in host, over a tree it cannot enter.
set -u
# shellcheck source=SCRIPTDIR/CheckFixture.sh
source "$(dirname "$0")/CheckFixture.sh"

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT
check() { expect_said ondara_check_library_dependencies "$@"; }

mkdir -p "$root/low" "$root/high/inner"
printf 'ondara_module_library(low)\nondara_module_library(high low)\n' >"$root/CMakeLists.txt"
printf '#include "low/A.h"\n#include <vector>\n' >"$root/low/A.cpp"
printf '#include "high/B.h"\n' >"$root/high/B.cpp"
printf '#pragma once\n#include "low/A.h"\n' >"$root/high/inner/C.h"
check "lists agree" 0 ""

printf '#if 1\n  #  include "high/B.h"\n#endif\n' >"$root/low/D.h"
check "a lower folder including a higher one" 1 "CMakeLists.txt: low lists [ ] but its sources include [ high ]"

rm "$root/low/D.h"
printf 'ondara_module_library(low)\nondara_module_library(high low other)\n' >"$root/CMakeLists.txt"
check "a dependency nothing includes" 1 "CMakeLists.txt: high lists [ low other ] but its sources include [ low ]"

printf 'ondara_module_library(low)\nondara_module_library(high low)\n' >"$root/CMakeLists.txt"
printf '#include "../high/B.h"\n' >"$root/low/E.cpp"
printf '#include "low/../high/B.h"\n' >"$root/high/inner/F.h"
check "includes that climb out of their folder" 1 "low includes by a path that leaves its folder (spell it from the repository root):
low/E.cpp:1:#include \"../high/B.h\"
high includes by a path that leaves its folder (spell it from the repository root):
high/inner/F.h:1:#include \"low/../high/B.h\""

expect_unenterable ondara_check_host_includes

[ "$failures" -eq 0 ] && echo "the library dependency check says what it should" && exit 0
exit 1
