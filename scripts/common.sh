# Shared by scripts/test and scripts/run: setup, build, Wine environment and display.
# shellcheck shell=bash
# shellcheck disable=SC2154  # root: the repository folder, set by the script that sources this

export WINEDEBUG=-all
# No add-on installers, and no debugger attaching to a crashing test (it would wait forever).
export WINEDLLOVERRIDES="mscoree=;mshtml=;winedbg.exe=d"
export WINEPREFIX="$root/build/wineprefix"
export WINEARCH=win32
ondara_toolchain="$root/cmake/mingw-i686.cmake"

# The host and the module are 32-bit programs. A kernel whose 32-bit emulation is off runs no 32-bit code
# at all, neither Debian's 32-bit Wine nor 32-bit code inside a 64-bit process ("Exec format error" from
# the 32-bit loader): there build/ holds the 64-bit build of the same sources, run by Debian's 64-bit Wine
# in a 64-bit prefix, and scripts/test also builds the 32-bit one, in build/i686, without running it.
ondara_runs_32_bit() {
  [ ! -e /lib/ld-linux.so.2 ] || /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Decided again after scripts/setup, which installs the 32-bit loader the decision reads.
ondara_choose_architecture() {
  ondara_runs_32_bit && return 0
  ondara_toolchain="$root/cmake/mingw-x86_64.cmake"
  export WINEARCH=win64
  case ":$PATH:" in *":$root/build/wine64:"*) ;; *) export PATH="$root/build/wine64:$PATH" ;; esac
}
ondara_choose_architecture

# What the scripts say about their steps goes to standard error, one line before each long step,
# so that standard output holds only what was asked for.
ondara_say() {
  echo "$*" >&2
}

# Runs started together in one checkout take turns here: one installs, builds and makes the prefix
# while the others wait for it, then find everything done.
ondara_setup_and_build() {
  mkdir -p "$root/build" || return 1
  (
    flock 9 || exit 1
    ondara_setup_and_build_now
  ) 9>"$root/build/.setup.lock"
}

ondara_setup_and_build_now() {
  "$root/scripts/setup" || return 1
  ondara_choose_architecture
  ondara_forget_other_architecture || return 1
  ondara_make_wine64_commands || return 1
  [ -f "$root/build/CMakeCache.txt" ] || ondara_say "configuring the build in build/ ..."
  cmake -S "$root" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$ondara_toolchain" \
        -DCMAKE_BUILD_TYPE=Release >"$root/build/configure.log" 2>&1 \
    || { cat "$root/build/configure.log"; return 1; }
  ondara_build || return 1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    ondara_say "making the Wine prefix build/wineprefix (once, about a minute) ..."
    wine wineboot -i >/dev/null 2>&1; wineserver -w
  fi
  # No window manager runs on the test display: Wine's top-level windows are left unmanaged,
  # so hiding or destroying one does not wait two seconds for a manager that never answers.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
  fi
  local dpi
  for dpi in 120 144 168 192; do ondara_make_dpi_prefix "$dpi" || return 1; done
  ondara_make_dpi_prefix 192 1366x768 || return 1
}

# A build/ made for the other architecture (its objects, programs and Wine prefixes) cannot be built
# on: it goes, all but the lock the caller holds.
ondara_forget_other_architecture() {
  local cache="$root/build/CMakeCache.txt"
  [ -f "$cache" ] || return 0
  grep -qF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$ondara_toolchain" "$cache" && return 0
  ondara_say "build/ was made for another architecture; making it again for $(basename "$ondara_toolchain" .cmake) ..."
  find "$root/build" -mindepth 1 -maxdepth 1 ! -name .setup.lock -exec rm -rf {} +
}

# Debian's 64-bit Wine under the names the scripts and the developers' tools call (wine, winepath),
# in build/wine64, which ondara_choose_architecture puts first on PATH. A tool that asks for a 32-bit
# prefix means the one the scripts made, which is 64-bit here; WINEARCH only matters for a new prefix.
ondara_make_wine64_commands() {
  ondara_runs_32_bit && return 0
  local dir="$root/build/wine64"
  [ -x "$dir/winepath" ] && return 0
  mkdir -p "$dir" || return 1
  printf '%s\n' '#!/bin/sh' 'unset WINEARCH' 'export WINELOADER=/usr/lib/wine/wine64' \
    'exec /usr/lib/wine/wine64 "$@"' >"$dir/wine" || return 1
  printf '%s\n' '#!/bin/sh' 'exec "$(dirname "$0")/wine" winepath.exe "$@"' >"$dir/winepath" || return 1
  chmod +x "$dir/wine" "$dir/winepath"
}

# Where the tests run the 64-bit build, the 32-bit one that users load is still built, in build/i686, so
# that it cannot stop building unseen.
ondara_build_unrun_32_bit() {
  ondara_runs_32_bit && return 0
  local dir="$root/build/i686"
  ondara_say "building the 32-bit module and host in build/i686, which this kernel cannot run ..."
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
        >"$root/build/i686-configure.log" 2>&1 || { cat "$root/build/i686-configure.log"; return 1; }
  cmake --build "$dir" -j "$(nproc)" >"$root/build/i686-build.log" 2>&1 && return 0
  grep -E 'error|Error' "$root/build/i686-build.log" | head -40 >&2
  echo "the 32-bit build failed (build/i686-build.log)" >&2
  return 1
}

# Builds everything into build/, the whole log in build/build.log. Nothing is said when there is
# nothing to build; otherwise one line says so, and the build's percentage follows: one line
# updated in place on a terminal, a plain line at every tenth otherwise. A failed build shows its
# error lines and ends with the first of them.
ondara_build() {
  local log="$root/build/build.log" first=0 status
  [ -f "$root/build/bin/ondara-host.exe" ] || first=1
  cmake --build "$root/build" -j "$(nproc)" 2>&1 \
    | tee "$log" | ondara_build_progress "$first" "$([ -t 2 ] && echo 1 || echo 0)"
  status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] && return 0
  grep -E 'error|Error' "$log" | head -40 >&2
  echo "the build failed (build/build.log); the first error:" >&2
  grep -m 1 -E 'error|Error' "$log" >&2
  return 1
}

# Reads the build's output; the percentage of make's "[ NN%] Building ..." lines.
ondara_build_progress() {
  awk -v first="$1" -v terminal="$2" '
    !/^\[ *[0-9]+%\] (Building|Linking)/ { next }
    {
      percent = $0; sub(/^\[ */, "", percent); sub(/%.*/, "", percent); percent += 0
      if (!started) {
        started = 1
        if (first) print "building, the first run takes a few minutes (more on a busy machine) ..." > "/dev/stderr"
        else print "building what changed ..." > "/dev/stderr"
      }
      if (terminal) { printf "\rbuilt %3d%%", percent > "/dev/stderr"; fflush("/dev/stderr") }
      else if (int(percent / 10) > shown) { shown = int(percent / 10); print "built " percent "%" > "/dev/stderr" }
    }
    END { if (started && terminal) printf "\n" > "/dev/stderr" }'
}

# The stock GUI font names "MS Shell Dlg", which the registry's font substitutes turn into Tahoma
# as on Windows; without that face a font asking for it falls back on its family, often a serif.
# Wine draws the title bars' buttons and scroll arrows as glyphs of the symbol font Marlett;
# without it they show as letters ("0 1 r"). Wine's own Tahoma and Marlett (Debian's fonts-wine)
# go into drive C, shared by every prefix made here.
ondara_add_gui_fonts() {
  local f dir="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$dir" || return 1
  for f in tahoma.ttf tahomabd.ttf marlett.ttf; do
    [ -f "$dir/$f" ] || cp "/usr/share/wine/fonts/$f" "$dir/" || return 1
  done
}

# A prefix beside the usual one whose screen has the given resolution: its own registry (a copy
# with the screen's LogPixels changed) over the usual prefix's drive C, so that it takes no time
# to make. Landing runs this before every suite, so it also brings the shared drive C's fonts up to date.
# Given a name as well (1366x768), the prefix is another of that resolution, for programs run on a
# display of that size (tests/scripts/OnScreenOfSize.sh): build/wineprefix192-1366x768.
ondara_make_dpi_prefix() {
  local dpi=$1 prefix="$root/build/wineprefix$1${2:+-$2}"
  local key='[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Software\\\\Fonts]'
  ondara_add_gui_fonts || return 1
  [ -f "$prefix/system.reg" ] && return 0
  rm -rf "$prefix" && mkdir -p "$prefix" || return 1
  ondara_link_prefix "$prefix" || return 1
  local value
  value="\"LogPixels\"=dword:$(printf '%08x' "$dpi")"
  awk -v key="$key" -v value="$value" '
    /^\[/ { inside = index($0, key) == 1 }
    inside && /^"LogPixels"=/ { $0 = value; done = 1 }
    { print }
    END { if (!done) { print ""; print key; print value } }' "$WINEPREFIX/system.reg" >"$prefix/system.reg.new" \
    && mv "$prefix/system.reg.new" "$prefix/system.reg"
}

# A check whose search cannot start in the repository folder fails rather than finding nothing:
# hits=$(ondara_enter_root; SEARCH) || ondara_root_refused || return. Only inside $( ): the
# subshell, not the script, ends when the folder cannot be entered.
ondara_enter_root() {
  cd "$root" 2>/dev/null || exit 2
}
ondara_root_refused() {
  echo "the repository folder cannot be entered: $root"
  return 1
}

# Module code reaches the host only through hostapi/.
ondara_check_host_includes() {
  local hits
  hits=$(ondara_enter_root
         grep -rln '#include "host/' --include='*.cpp' --include='*.h' . \
         | grep -vE '^\./(host|tests|bench|build)/' || true) || ondara_root_refused || return
  [ -z "$hits" ] && return 0
  echo "module code includes the stand-in host: $hits"
  return 1
}

# The module libraries CMakeLists.txt declares, one a line: the folder, then the folders it lists.
ondara_module_libraries() {
  sed -nE 's/^ondara_module_library\(([^)]*)\).*/\1/p' "$root/CMakeLists.txt"
}

# The layers inside large folders, one a line: the subfolder, then the subfolders beside it that it
# includes, all spelled from the repository root. CMakeLists.txt files declare them as
# ondara_layer(FOLDER SUBFOLDER [SUBFOLDERS IT INCLUDES...]), on one line or several.
ondara_layers() {
  cat "$root/CMakeLists.txt" "$root"/*/CMakeLists.txt 2>/dev/null | awk '
    /^ondara_layer\(/ {
      line = $0
      while (line !~ /\)/ && (getline more) > 0) line = line " " more
      sub(/^ondara_layer\(/, "", line); sub(/\).*/, "", line)
      gsub(/^[ \t]+|[ \t]+$/, "", line)
      n = split(line, word, /[ \t]+/)
      out = word[1] "/" word[2]
      for (i = 3; i <= n; i++) out = out " " word[1] "/" word[i]
      print out
    }'
}

# The includes of one folder line's sources, as the awk program below reads them: file:line:text.
# A layer's sources are those of its subfolder without the layers nested in it.
ondara_folder_includes() {
  local folder=$1 layers=$2
  grep -rnHE '^[[:space:]]*#[[:space:]]*include' "$root/$folder" --include='*.cpp' --include='*.h' \
    | awk -v root="$root/" -v folder="$folder" -v layers="$layers" '
        BEGIN { n = split(layers, layer, " ") }
        {
          for (i = 1; i <= n; i++)
            if (layer[i] != folder && index(layer[i], folder "/") == 1 && index($0, root layer[i] "/") == 1) next
          print substr($0, length(root) + 1)
        }' | sort -t : -k 1,1 -k 2,2n
}

# What one folder line's includes say, a line each: "relative FILE:LINE:TEXT" for a path with a "."
# or ".." part, "angle FILE:LINE:TEXT" for a repository header in angle brackets, and "folder F" for
# each folder included: for a module library the top folder, for a layer the layer (of its own top
# folder) that holds the header. $1: module or layer; $2: the folder; $3: the layers; $4: the
# repository's top folders.
ondara_read_includes() {
  awk -v kind="$1" -v folder="$2" -v layers="$3" -v tops="$4" '
    BEGIN {
      n = split(layers, layer, " ")
      split(tops, t, " "); for (i in t) top[t[i]] = 1
      split(folder, part, "/"); room = part[1]
    }
    {
      text = $0; sub(/^[^:]*:[0-9]+:/, "", text)
      if (!match(text, /include[ \t]*[<"][^>"]*[>"]/)) next
      spelled = substr(text, RSTART, RLENGTH); sub(/^include[ \t]*/, "", spelled)
      quote = substr(spelled, 1, 1); path = substr(spelled, 2, length(spelled) - 2)
      first = path; sub(/\/.*/, "", first)
      if (path ~ /(^|\/)\.\.?\//) { print "relative " $0; next }
      if (quote == "<" && !(first in top)) next
      if (quote == "<") print "angle " $0
      if (path !~ /\//) next
      if (kind == "module") { if (first != folder) print "folder " first; next }
      if (first != room) next
      owner = ""
      for (i = 1; i <= n; i++)
        if (index(path, layer[i] "/") == 1 && length(layer[i]) > length(owner)) owner = layer[i]
      if (owner == "") { owner = path; sub(/\/[^\/]*$/, "", owner) }
      if (owner != folder) print "folder " owner
    }'
}

# Each folder line in the CMakeLists.txt files lists exactly the folders its sources include, each
# declared on a line above its own, so no two folders include each other: the module libraries
# (top folders) and the layers inside large folders (enumerators/framework). Every include is spelled
# from the repository root in quotes: a relative path ("../", "./") or angle brackets would reach a
# folder the line does not list. The check fails when it cannot read the folder lines.
ondara_check_library_dependencies() {
  local modules layers tops kind folder listed dep said included status=0 declared="" previous=""
  modules=$(ondara_enter_root; ondara_module_libraries) || ondara_root_refused || return
  if [ -z "$modules" ]; then
    echo "CMakeLists.txt declares no module library"
    return 1
  fi
  layers=$(ondara_layers | cut -d ' ' -f 1 | tr '\n' ' ')
  tops=$(find "$root" -mindepth 1 -maxdepth 1 -type d -printf '%f ')
  while read -r kind folder listed; do
    [ "$kind" = "$previous" ] || declared=""
    previous=$kind
    for dep in $listed; do
      case " $declared " in *" $dep "*) continue ;; esac
      echo "CMakeLists.txt: $folder builds on $dep, which is not declared below it"
      status=1
    done
    declared="$declared $folder"
    # A module library's sources are all those below its folder; a layer's leave out nested layers.
    said=$(ondara_folder_includes "$folder" "$([ "$kind" = layer ] && echo "$layers")" \
           | ondara_read_includes "$kind" "$folder" "$layers" "$tops")
    if grep -q '^relative ' <<<"$said"; then
      echo "$folder includes by a relative path (spell it from the repository root):"
      sed -n 's/^relative //p' <<<"$said"
      status=1
    fi
    if grep -q '^angle ' <<<"$said"; then
      echo "$folder includes a header of the repository in angle brackets (quote it):"
      sed -n 's/^angle //p' <<<"$said"
      status=1
    fi
    # shellcheck disable=SC2086  # the list is split into its words on purpose
    listed=$(printf '%s\n' $listed | grep . | sort -u | tr '\n' ' ')
    included=$(sed -n 's/^folder //p' <<<"$said" | sort -u | tr '\n' ' ')
    [ "$listed" = "$included" ] && continue
    echo "CMakeLists.txt: $folder lists [ ${listed}] but its sources include [ ${included}]"
    status=1
  done < <(ondara_module_libraries | sed 's/^/module /'; ondara_layers | sed 's/^/layer /')
  ondara_check_unlayered "$layers" || status=1
  return "$status"
}

# A large folder divided into layers is divided whole: every source below it lies in a layer.
ondara_check_unlayered() {
  local rooms room loose status=0
  [ -n "$1" ] || return 0
  # shellcheck disable=SC2086  # one word per layer
  rooms=$(printf '%s\n' $1 | cut -d / -f 1 | sort -u)
  for room in $rooms; do
    loose=$(cd "$root" && find "$room" -name '*.cpp' -o -name '*.h' | sort | awk -v layers="$1" '
      BEGIN { n = split(layers, layer, " ") }
      { for (i = 1; i <= n; i++) if (index($0, layer[i] "/") == 1) next; print }')
    [ -z "$loose" ] && continue
    echo "$room is divided into layers, but these sources lie in none (declare their folder with ondara_layer):"
    echo "$loose"
    status=1
  done
  return "$status"
}

# Tests, benches and scripts read only what the repository holds: a user's clone has nothing beside it,
# so a path into a folder outside (a sibling folder, this machine's own folders, an absolute Wine path
# on drive Z: other than the system's devices, which every machine has) is refused with the lines that
# name it.
ondara_check_outside_paths() {
  local hits
  hits=$(ondara_enter_root
         grep -rnIP '\.\./shared|/wor[k]/|[Zz]:\\(?!\\?(dev|proc)\\)|["'"'"']shared["'"'"'] *, *["'"'"']data' \
           tests bench scripts cmake CMakeLists.txt data/*.py 2>/dev/null || true) || ondara_root_refused || return
  [ -z "$hits" ] && return 0
  echo "tests, benches and scripts name paths outside the repository:"
  echo "$hits"
  return 1
}

# The compiler refuses a bare number wherever module code takes a setting id (SettingId in
# document/SettingIds.h is no number and converts from none); what it cannot see is where a number
# is made into an id. SettingIdOf, the one way to do so, stands only where a stored stream or a host
# call carries the number: in SettingIds.h itself, in the settings stream (SettingsStoreStream.cpp)
# and in the document's scripting methods (ZRDoc.cpp). The line of any other use in module code is
# named. The stand-in host, the tests and the benches keep their own numbers.
ondara_check_setting_ids() {
  local folders hits
  local allowed='^document/(SettingIds\.h|SettingsStoreStream\.cpp|ZRDoc\.cpp):'
  folders=$(ondara_module_libraries 2>/dev/null | cut -d ' ' -f 1)
  # shellcheck disable=SC2086  # one word per folder
  hits=$(ondara_enter_root
         grep -rnw SettingIdOf --include='*.cpp' --include='*.h' $folders module 2>/dev/null \
         | grep -vE "$allowed|^[^:]+:[0-9]+:[[:space:]]*//" || true) || ondara_root_refused || return
  [ -z "$hits" ] && return 0
  echo "setting ids made from numbers away from the stored stream and the host's calls (name them in document/SettingIds.h):"
  echo "$hits"
  return 1
}

ondara_display_pid=""
# The server picks a free display number itself and writes it to descriptor 3 once it listens,
# so runs started side by side never share (or wait on) one display.
ondara_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local numfile n
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  ondara_display_pid=$!
  for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
  n=$(head -n 1 "$numfile"); rm -f "$numfile"
  [ -n "$n" ] || { echo "Xvfb did not start"; return 1; }
  export DISPLAY=":$n"
}

# A copy of the prefix's user registry and a link to its drive C in a folder of its own (the system
# registry is left for the caller to write): a prefix of its own that takes no time to make.
ondara_link_prefix() {
  local prefix=$1 drive
  drive=$(readlink -f "$WINEPREFIX/dosdevices/c:") || return 1
  mkdir -p "$prefix/dosdevices" || return 1
  ln -s "$drive" "$prefix/dosdevices/c:" && ln -s / "$prefix/dosdevices/z:" || return 1
  cp "$WINEPREFIX/.update-timestamp" "$WINEPREFIX/userdef.reg" "$WINEPREFIX/user.reg" "$prefix/"
}

ondara_own_prefix=""
# Each run gets a prefix of its own beside the usual one, and with it a Wine server of its own: runs
# side by side (scripts/run twice, or beside scripts/test) then never share the server that one of
# them stops at its end. The prefix goes again in ondara_stop_display.
ondara_use_own_prefix() {
  local prefix
  prefix=$(mktemp -d "$root/build/wineprefix-run.XXXXXX") || return 1
  if ! ondara_link_prefix "$prefix" || ! cp "$WINEPREFIX/system.reg" "$prefix/"; then
    rm -rf "$prefix"
    return 1
  fi
  ondara_own_prefix=$prefix
  export WINEPREFIX=$prefix
  # The first server of a new prefix is started here, alone: programs started together (the test
  # programs under ctest -j) would each begin one, and one of them then fails to find its server.
  wineserver
}

# Ends what this run started: its own prefix's Wine server with every process in it, and its
# display. Wine goes first, so that nothing is left talking to the display when it stops. A run
# without a prefix of its own ends no Wine server at all: it would end other runs' programs too.
ondara_stop_display() {
  if [ -n "$ondara_own_prefix" ]; then
    WINEPREFIX=$ondara_own_prefix wineserver -k 2>/dev/null
    WINEPREFIX=$ondara_own_prefix wineserver -w 2>/dev/null
    rm -rf "$ondara_own_prefix"
    ondara_own_prefix=""
  fi
  [ -n "$ondara_display_pid" ] && kill "$ondara_display_pid" 2>/dev/null
  ondara_display_pid=""
  return 0
}

# The status a run ends with: the host's, except that a host that ended with 0 but did not print
# what it was asked for (nothing, or output that stops inside a line: it was ended from outside)
# gives 1. $1: the host's status; $2: the file holding what it printed.
ondara_host_status() {
  local status=$1 output=$2
  if [ "$status" -eq 0 ] && { [ ! -s "$output" ] || [ -n "$(tail -c 1 "$output")" ]; }; then
    echo "the host ended without printing what was asked for" >&2
    return 1
  fi
  return "$status"
}
