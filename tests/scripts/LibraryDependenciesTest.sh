#!/usr/bin/env bash
# scripts/common.sh's check that each module library lists exactly the folders its sources
# include, and the layers inside a large folder the layers beside them: quiet over a tree that
# agrees, naming the folder over one with an include too many, a dependency too many or one not
# declared below it, and the file and line of an include not spelled from the repository root in
# quotes; failing over a tree it cannot enter or one that declares nothing; and the check of
# includes of the stand-in host, over a tree it cannot enter.
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
check "a dependency nothing includes" 1 "CMakeLists.txt: high builds on other, which is not declared below it
CMakeLists.txt: high lists [ low other ] but its sources include [ low ]"

printf 'ondara_module_library(low)\nondara_module_library(high low)\n' >"$root/CMakeLists.txt"
printf '#include "../high/B.h"\n' >"$root/low/E.cpp"
printf '#include "low/../high/B.h"\n' >"$root/high/inner/F.h"
printf '#include "./high/B.h"\n#include <high/B.h>\n#include <windows.h>\n#include <./high/B.h>\n' >"$root/low/G.h"
check "includes not spelled from the root in quotes" 1 "low includes by a relative path (spell it from the repository root):
low/E.cpp:1:#include \"../high/B.h\"
low/G.h:1:#include \"./high/B.h\"
low/G.h:4:#include <./high/B.h>
low includes a header of the repository in angle brackets (quote it):
low/G.h:2:#include <high/B.h>
CMakeLists.txt: low lists [ ] but its sources include [ high ]
high includes by a relative path (spell it from the repository root):
high/inner/F.h:1:#include \"low/../high/B.h\""

# high/ in layers: inner at the bottom, top/ above it, top/nested/ above both.
rm "$root/low/E.cpp" "$root/low/G.h" "$root/high/inner/F.h"
mkdir -p "$root/high/top/nested"
printf '#include "high/inner/C.h"\n' >"$root/high/top/T.cpp"
printf '#include "high/top/T.h"\n#include "high/inner/C.h"\n' >"$root/high/top/nested/N.cpp"
# Declared in high/'s own CMakeLists.txt, as host/ declares its layers.
printf 'ondara_layer(high inner)\nondara_layer(high top inner)\nondara_layer(high top/nested inner\n  top)\n' >"$root/high/CMakeLists.txt"
rm "$root/high/B.cpp" && printf '#include "high/inner/C.h"\n' >"$root/high/inner/B.cpp"
check "layers that agree" 0 ""

printf '#include "high/top/nested/N.h"\n' >"$root/high/inner/H.h"
printf 'int loose;\n' >"$root/high/L.cpp"
check "a lower layer including a higher one, a source in no layer" 1 "CMakeLists.txt: high/inner lists [ ] but its sources include [ high/top/nested ]
high is divided into layers, but these sources lie in none (declare their folder with ondara_layer):
high/L.cpp"

rm "$root/high/inner/H.h" "$root/high/L.cpp" "$root/high/CMakeLists.txt"
printf 'ondara_module_library(high low)\nondara_module_library(low)\nondara_layer(high inner top)\nondara_layer(high top inner)\n' >"$root/CMakeLists.txt"
check "folders declared above what they build on" 1 "CMakeLists.txt: high builds on low, which is not declared below it
CMakeLists.txt: high/inner builds on high/top, which is not declared below it
CMakeLists.txt: high/inner lists [ high/top ] but its sources include [ ]"

printf 'project(Empty)\n' >"$root/CMakeLists.txt"
check "no module library declared" 1 "CMakeLists.txt declares no module library"

expect_unenterable ondara_check_library_dependencies
expect_unenterable ondara_check_host_includes

[ "$failures" -eq 0 ] && echo "the library dependency check says what it should" && exit 0
exit 1
