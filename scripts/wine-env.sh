# shellcheck shell=bash
# The Wine side of running and testing Kelvane95 on Linux. Sourced by ./run
# and ./test; it defines functions only and changes nothing until one is
# called:
#
#   kv_display_start          private Xvfb when DISPLAY is unset
#   kv_wine_prefix BUILD_DIR  the build's own prefix, made once (with the
#                             test printer: BUILD_DIR must hold the built
#                             kelvane_add_printer), and the WINE* variables
#   kv_wine_warm BUILD_DIR    server, boot and keeper up before ctest
#   kv_screenshot FILE        PNG of the whole screen
#   kv_wine_stop              ends everything in that prefix
#   kv_display_stop           ends the Xvfb kv_display_start started
#
# ./run sets WINEDLLOVERRIDES=winemenubuilder.exe=d after kv_wine_prefix so
# that help works; the tests keep winhlp32 disabled (a missing help file
# would block them on winhlp32's own box), except the help viewer tests
# (shell/help_viewer_test_win.cpp), which enable it for their own process
# after copying the help file into the program's folder.
#
# A typical test run:
#   source scripts/wine-env.sh
#   kv_display_start && kv_wine_warm build/win64 || exit 1
#   trap 'kv_wine_stop; kv_display_stop' EXIT
#   ctest --preset win64 -L win64
#
# Every background process started here has its output sent to a file or to
# /dev/null: one that inherits the caller's pipe keeps `./test | tee` (and
# ctest) waiting for it long after the work is done.

KV_WINE=${KV_WINE:-/usr/lib/wine/wine64}
KV_WINESERVER=${KV_WINESERVER:-/usr/lib/wine/wineserver}
KV_WINE_FONTS=${KV_WINE_FONTS:-/usr/share/wine/fonts}

# Written into the stamp file: raise it whenever the set-up below changes, so
# existing prefixes are made again instead of silently lacking the change.
KV_PREFIX_LAYOUT=2

# The registry of a prefix made for us. The virtual desktop gives windows
# real title bars and spares every hidden dialog a 2 s wait on bare Xvfb.
# The Liberation families (found through fontconfig) have the metrics of the
# fonts they stand in for.
# "MS Sans Serif", the font of our dialog templates, is drawn in Tahoma like
# Wine's own message boxes and dialogs, so that both look alike and measure
# alike; Wine applies a replacement only to a family it does not have, which
# is why its bitmap "MS Sans Serif" is left out of the Fonts folder below.
kv__prefix_reg() {
  cat <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Arial"="Liberation Sans"
"MS Sans Serif"="Tahoma"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
}

# Wine's fonts that make up its "MS Sans Serif" (see above).
kv__is_ms_sans_serif() {
  case "${1##*/}" in
    ms_sans_serif.ttf | sserif*.fon | ssee*.fon | ssef*.fon) return 0 ;;
  esac
  return 1
}

kv__abs_dir() {
  mkdir -p -- "$1" && (cd -- "$1" && pwd -P)
}

# kv_wine_prefix BUILD_DIR
# Makes BUILD_DIR/wineprefix unless a complete one is there (about 10 s the
# first time, a stat afterwards) and exports WINEPREFIX, WINEDEBUG and
# WINEDLLOVERRIDES for it. A prefix without our stamp (interrupted, or made
# by Wine itself when something ran before this function) is made again.
# Safe to call from several shells at once: they queue on a lock.
kv_wine_prefix() {
  local build
  if [ -z "${1:-}" ]; then
    echo "kv_wine_prefix: usage: kv_wine_prefix BUILD_DIR" >&2
    return 2
  fi
  build=$(kv__abs_dir "$1") || return 1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=fixme-all
  export WINEDLLOVERRIDES="winhlp32.exe=d;winemenubuilder.exe=d"

  local stamp="$WINEPREFIX/.kelvane-prefix"
  local want="layout $KV_PREFIX_LAYOUT, $("$KV_WINE" --version 2>/dev/null)"
  [ "$(cat "$stamp" 2>/dev/null)" = "$want" ] && return 0

  (
    flock 9 || exit 1
    # Another shell may have finished the prefix while this one waited.
    [ "$(cat "$stamp" 2>/dev/null)" = "$want" ] && exit 0
    kv__make_prefix "$build" "$want"
  ) 9>"$build/.wineprefix.lock"
}

# Builds the prefix under a temporary name and renames it into place once
# complete, so an interrupted run never leaves a half-made prefix that looks
# finished. Runs in a subshell: the WINEPREFIX it sets stays here.
kv__make_prefix() {
  local build=$1 want=$2
  local final="$build/wineprefix" tmp="$build/wineprefix.new"
  local log="$build/wineprefix.log"
  local adder="$build/kelvane_add_printer.exe" ppd="$build/kelvane_test_printer.ppd"

  # Checked first: a prefix without the printer would look finished.
  if [ ! -f "$adder" ] || [ ! -f "$ppd" ]; then
    echo "kv_wine_prefix: $adder or $ppd missing; build the target kelvane_add_printer first" >&2
    return 1
  fi
  echo "Making the Wine prefix $final (about 10 s) ..." >&2
  # A server may still run for an old prefix (one Wine made on its own).
  # (Both fail when no server runs, which must not end a caller under set -e.)
  if [ -d "$final" ]; then
    WINEPREFIX=$final "$KV_WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX=$final "$KV_WINESERVER" -w >/dev/null 2>&1 || true
  fi
  rm -rf -- "$tmp" "$final"

  export WINEPREFIX=$tmp
  : >"$log"
  if ! "$KV_WINE" wineboot --init </dev/null >>"$log" 2>&1; then
    echo "kv_wine_prefix: wineboot --init failed, see $log" >&2
    "$KV_WINESERVER" -k >/dev/null 2>&1
    return 1
  fi

  local reg="$build/wineprefix.reg"
  kv__prefix_reg >"$reg"
  # regedit wants a Windows path; Z: is the root of the Unix file system.
  if ! "$KV_WINE" regedit /S "Z:${reg//\//\\}" </dev/null >>"$log" 2>&1; then
    echo "kv_wine_prefix: regedit failed, see $log" >&2
    "$KV_WINESERVER" -k >/dev/null 2>&1
    return 1
  fi

  # The test printer (shell/testing/test_printer.h): printing tests need a
  # printer, and it prints to files only, without a spooler.
  if ! "$KV_WINE" "$adder" "Z:${ppd//\//\\}" </dev/null >>"$log" 2>&1; then
    echo "kv_wine_prefix: installing the test printer failed, see $log" >&2
    "$KV_WINESERVER" -k >/dev/null 2>&1
    return 1
  fi

  # This Wine looks for its own fonts in C:\windows\Fonts only: without them
  # Tahoma and Marlett (the title bar buttons) are missing.
  local fonts="$tmp/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  for f in "$KV_WINE_FONTS"/*; do
    kv__is_ms_sans_serif "$f" || ln -sf "$f" "$fonts/"
  done

  # The registry reaches the disk when the server ends; rename only then.
  # Ending it at once saves the desktop's idle seconds (5 s of the 15 s).
  "$KV_WINESERVER" -k >>"$log" 2>&1 || true
  "$KV_WINESERVER" -w >>"$log" 2>&1 || true
  if [ ! -s "$tmp/user.reg" ] || ! grep -q 'Liberation Serif' "$tmp/user.reg"; then
    echo "kv_wine_prefix: the registry set-up did not stick, see $log" >&2
    return 1
  fi
  if ! grep -qi '^"device"="Kelvane Test Printer,' "$tmp/user.reg"; then
    echo "kv_wine_prefix: the test printer is not the default printer, see $log" >&2
    return 1
  fi
  echo "$want" >"$tmp/.kelvane-prefix"
  mv -- "$tmp" "$final"
  rm -f -- "$reg"
}

# kv_display_start
# Leaves an existing DISPLAY alone; otherwise starts a private Xvfb on the
# first free display number (Xvfb picks it itself, so two runs at once cannot
# collide), waits until it accepts clients and exports DISPLAY.
kv_display_start() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local numfile log
  numfile=$(mktemp "${TMPDIR:-/tmp}/kv-xvfb.XXXXXX") || return 1
  log="$numfile.log"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" </dev/null >"$log" 2>&1 &
  KV_XVFB_PID=$!
  # Xvfb writes the number once it listens; give up after 10 s.
  local i num=""
  for ((i = 0; i < 200; i++)); do
    num=$(head -n1 "$numfile" 2>/dev/null)
    [ -n "$num" ] && break
    if ! kill -0 "$KV_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  rm -f -- "$numfile"
  if [ -z "$num" ]; then
    echo "kv_display_start: Xvfb did not start:" >&2
    cat "$log" >&2
    kill "$KV_XVFB_PID" 2>/dev/null
    wait "$KV_XVFB_PID" 2>/dev/null
    rm -f -- "$log"
    unset KV_XVFB_PID
    return 1
  fi
  rm -f -- "$log"
  export DISPLAY=":$num"
  KV_XVFB_DISPLAY=$DISPLAY
}

# kv_display_stop
# Ends the Xvfb started by kv_display_start in this shell, nothing else.
kv_display_stop() {
  [ -n "${KV_XVFB_PID:-}" ] || return 0
  kill "$KV_XVFB_PID" 2>/dev/null
  wait "$KV_XVFB_PID" 2>/dev/null
  if [ "${DISPLAY:-}" = "${KV_XVFB_DISPLAY:-}" ]; then
    unset DISPLAY
  fi
  unset KV_XVFB_PID KV_XVFB_DISPLAY
}

# kv_wine_warm BUILD_DIR
# Before ctest: a persistent server, one boot, and the keeper (built as
# BUILD_DIR/kelvane_keeper.exe) holding the virtual desktop. Without them
# each test process pays ~3.5 s for Wine's start-up and shut-down; with them
# ~0.2 s. The boot must come before anything runs against `wineserver -p`,
# or the first process hangs. Needs a display (kv_display_start).
kv_wine_warm() {
  kv_wine_prefix "${1:-}" || return
  local build
  build=$(kv__abs_dir "$1") || return 1
  local log="$build/wine-warm.log"
  : >"$log"
  "$KV_WINESERVER" -p </dev/null >>"$log" 2>&1
  "$KV_WINE" wineboot </dev/null >>"$log" 2>&1
  local keeper="$build/kelvane_keeper.exe"
  if [ ! -f "$keeper" ]; then
    echo "kv_wine_warm: $keeper not built; the tests will run slowly" >&2
    return 0
  fi
  # A keeper left from an earlier run quits at once; it never runs twice.
  "$KV_WINE" "$keeper" </dev/null >>"$log" 2>&1 &
  KV_KEEPER_PID=$!
  KV_KEEPER_EXE=$keeper
  # Until it is up, a test could be the one to start the desktop process,
  # which would then hold ctest's output pipe open for good.
  if ! "$KV_WINE" "$keeper" /wait </dev/null >>"$log" 2>&1; then
    if kill -0 "$KV_KEEPER_PID" 2>/dev/null; then
      echo "kv_wine_warm: the keeper did not come up, see $log" >&2
    else
      wait "$KV_KEEPER_PID"
      echo "kv_wine_warm: the keeper ended with status $?, see $log" >&2
    fi
    return 1
  fi
}

# kv_wine_stop
# Ends every Wine process of WINEPREFIX (and that prefix only), the keeper
# included, and waits until they are gone.
kv_wine_stop() {
  if [ -z "${WINEPREFIX:-}" ]; then
    return 0
  fi
  # Asked first, the keeper closes its window and ends like any program;
  # asking a keeper that is gone would only start a new server.
  if [ -n "${KV_KEEPER_PID:-}" ] && kill -0 "$KV_KEEPER_PID" 2>/dev/null; then
    "$KV_WINE" "$KV_KEEPER_EXE" /quit </dev/null >/dev/null 2>&1
  fi
  "$KV_WINESERVER" -k >/dev/null 2>&1
  "$KV_WINESERVER" -w >/dev/null 2>&1
  if [ -n "${KV_KEEPER_PID:-}" ]; then
    wait "$KV_KEEPER_PID" 2>/dev/null
  fi
  unset KV_KEEPER_PID KV_KEEPER_EXE
}

# kv_screenshot FILE
# The whole screen of DISPLAY (the virtual desktop) as an image; the format
# follows FILE's extension.
kv_screenshot() {
  if [ -z "${1:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "kv_screenshot: usage: kv_screenshot FILE (with DISPLAY set)" >&2
    return 2
  fi
  import -display "$DISPLAY" -window root "$1"
}
