#!/usr/bin/env bash
# The long random soak of the real windows under Wine: the soak test of
# shell/soak_test_win.cpp with many more actions than ./test gives it.
#   scripts/soak.sh [ACTIONS] [SEED]    default 10000 actions, seed 1795
# Builds win64 first. Prints what it did (actions by kind, dialogs, message
# boxes, time) and fails when the program did not come through whole; the
# output is also kept in build/soak.log.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$KV_ROOT/scripts/wine-env.sh"
cd "$KV_ROOT"

actions=${1:-10000}
seed=${2:-1795}

kv_build win64
kv_display_start
trap 'kv_wine_stop; kv_display_stop' EXIT
kv_wine_prefix "$KV_ROOT/build/win64"
kv_wine_warm "$KV_ROOT/build/win64"
kv_say "soak: $actions actions, seed $seed"
# The test's output goes to a file: a Wine process may keep a pipe open.
status=0
(cd build/win64 && KELVANE_SOAK_ACTIONS=$actions KELVANE_SOAK_SEED=$seed KELVANE_SOAK_TRACE=${KELVANE_SOAK_TRACE:-0} WINEDLLOVERRIDES="winhlp32.exe=d;winemenubuilder.exe=d" \
  "$KV_WINE" ./kelvane_win_tests.exe --gtest_filter='Soak.*' </dev/null >"$KV_ROOT/build/soak.log" 2>&1) || status=$?
cat build/soak.log
exit "$status"
