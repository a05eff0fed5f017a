#!/usr/bin/env bash
# Golden test of the kelvane commands: runs each case below and compares
# the transcript (command, stdout, stderr, exit status) with
# golden/transcript.txt byte for byte. After a deliberate change of the
# output, rerun with KELVANE_UPDATE_GOLDEN=1 and review the difference.
#   golden_test.sh KELVANE GOLDEN_DIR
set -u
source "$(dirname "$0")/golden_compare.sh"
kelvane=$1
golden=$2/transcript.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
  printf '$ kelvane'
  printf ' %q' "$@"
  printf '\n'
  "$kelvane" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  cat "$work/out"
  sed 's|^|stderr: |' "$work/err"
  printf 'exit %d\n\n' "$status"
}

transcript() {
  # Searches: the status line, then reference, TAB, marked text.
  run search Jesus wept
  run search --any --range "Ps 23" shepherd TABLE
  run search --one --range "Ps 23" shepherd table
  run search --case LORD --range "Ps 117"
  run search --substring --range "1 Jo 4:7 - 1 Jo 4:8" love
  run search --substring "love ve" --range "Joh 3:16"
  run phrase --range Joh Jesus wept
  run phrase --range "Ge 1:1 - Ge 1:9" "And God said"
  run phrase --case --range "Isa 6" "Holy, holy, holy"
  run phrase --substring --range "Ge 1:1" God
  # Text bytes as stored, or as UTF-8; matches in colour.
  run show Ge 1:6
  run show --utf8 Ge 1:6
  run search --color=always --range Joh Jesus wept
  # References.
  run ref 1 John 3:16
  run ref genesis 1:1
  run ref " Ex 2:3"
  run ref Song of Solomon 2:1
  run ref --range Re - Ge
  run ref --range Ge 1:1-5
  run ref --range Ps 23
  run show Ps 117
  run words zeb
  run words ZEBU
  # Nothing found: exit 1 with the program's message.
  run search qqqzzz
  run search --wordlist qqqzzz
  run phrase "God qqqzzz"
  run search "123 !!"
  run words qqq
  # Bad usage or data: exit 2.
  run ref Jn 3:16
  run ref 1 Jn 3:16
  run ref --range Ge 0:1
  run search --range "Xyz 1" God
  run search
  run search --all --any God
  run search --bogus God
  run search --color=purple God
  run show
  run words
  run search --data /nonexistent/kelvane-data God
}

transcript >"$work/transcript.txt"
check_transcript "$work/transcript.txt" "$golden"
