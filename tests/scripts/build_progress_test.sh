#!/usr/bin/env bash
# What scripts/common.sh's build step says, with cmake stood in by a function that prints what make
# would: nothing for a build with nothing to do, a line and the percentage for one with work, and
# for a failed build its error lines ending with the first of them.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# shellcheck source=SCRIPTDIR/../../scripts/common.sh
source "$here/../../scripts/common.sh"
mkdir -p "$root/build/bin"
failures=0

fake_output=""
fake_status=0
cmake() {
  printf '%b' "$fake_output"
  return "$fake_status"
}

# check NAME EXPECTED_STATUS EXPECTED_STDERR: runs the build step off a terminal.
check() {
  local said status
  said=$(ondara_build 2>&1 >/dev/null)
  status=$?
  if [ "$status" != "$2" ] || [ "$said" != "$3" ]; then
    printf 'FAILED %s: status %s, said:\n%s\nexpected status %s, saying:\n%s\n' "$1" "$status" "$said" "$2" "$3"
    failures=$((failures + 1))
  fi
}

touch "$root/build/bin/ondara-host.exe"
fake_output='[ 50%] Built target a\n[100%] Built target b\n'
check "nothing to build" 0 ""

fake_output='[  3%] Built target a\n[ 12%] Building CXX object x.obj\n[ 19%] Building CXX object y.obj\n[ 55%] Linking CXX executable z.exe\n'
check "something to build" 0 $'building what changed ...\nbuilt 12%\nbuilt 55%'

rm "$root/build/bin/ondara-host.exe"
fake_output='[100%] Linking CXX executable z.exe\n'
check "the first build" 0 $'building, the first run takes a few minutes (more on a busy machine) ...\nbuilt 100%'

touch "$root/build/bin/ondara-host.exe"
fake_output='[ 40%] Building CXX object x.obj\nx.cpp:3:1: error: first\nx.cpp:9:1: error: second\n'
fake_status=2
check "a failed build" 1 $'building what changed ...\nbuilt 40%\nx.cpp:3:1: error: first\nx.cpp:9:1: error: second\nthe build failed (build/build.log); the first error:\nx.cpp:3:1: error: first'

# A build/ configured for the other processor goes, all but the lock the caller holds; one configured
# for this machine's stays as it is.
kept() { (cd "$root/build" && ls -A | tr '\n' ' '); }
touch "$root/build/.setup.lock"
echo "CMAKE_TOOLCHAIN_FILE:FILEPATH=$ondara_toolchain" >"$root/build/CMakeCache.txt"
before=$(kept)
ondara_forget_other_architecture 2>/dev/null
[ "$(kept)" = "$before" ] || { echo "FAILED a build/ for this machine was touched: $(kept)"; failures=$((failures + 1)); }
echo "CMAKE_TOOLCHAIN_FILE:FILEPATH=$root/cmake/mingw-other.cmake" >"$root/build/CMakeCache.txt"
ondara_forget_other_architecture 2>/dev/null
[ "$(kept)" = ".setup.lock " ] || { echo "FAILED a build/ for the other processor kept: $(kept)"; failures=$((failures + 1)); }

# Where no 32-bit code runs: the 64-bit toolchain, a 64-bit prefix and build/wine64 first on PATH, once however
# often it is decided; the wine there is Debian's 64-bit loader whatever prefix kind a tool asks for.
ondara_runs_32_bit() { return 1; }
ondara_choose_architecture
ondara_choose_architecture
[ "$ondara_toolchain" = "$root/cmake/mingw-x86_64.cmake" ] && [ "$WINEARCH" = win64 ] \
  && [ "${PATH%%:*}" = "$root/build/wine64" ] && [ "$(grep -o "$root/build/wine64" <<<"$PATH" | wc -l)" = 1 ] \
  || { echo "FAILED the 64-bit choice: $ondara_toolchain $WINEARCH $PATH"; failures=$((failures + 1)); }
ondara_make_wine64_commands
if [ -x /usr/lib/wine/wine64 ] && [ "$(WINEARCH=win32 wine --version 2>&1)" != "$(/usr/lib/wine/wine64 --version 2>&1)" ]; then
  echo "FAILED build/wine64/wine is not the 64-bit loader: $(WINEARCH=win32 wine --version 2>&1)"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "the build step says what it should" && exit 0
exit 1
