#!/usr/bin/env bash
# Golden test of the kelvane commands: runs each case below and compares
# the transcript (command, stdout, stderr, exit status) with
# golden/transcript.txt byte for byte. After a deliberate change of the
# output, rerun with KELVANE_UPDATE_GOLDEN=1 and review the difference.
#   golden_test.sh KELVANE GOLDEN_DIR DATA_DIR
set -u
source "$(dirname "$0")/golden_compare.sh"
kelvane=$(realpath "$1")
golden=$(cd "$2" && pwd)/transcript.txt
data=$(cd "$3" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# label=TEXT run ...: TEXT stands for the arguments in the transcript (for
# an argument of 10,000 characters).
run() {
  printf '$ kelvane'
  if [ -n "${label:-}" ]; then printf ' %s' "$label"; else printf ' %q' "$@"; fi
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
  # The tool itself: its version, the commands' help, unknown names and
  # options without their values, each in one line with exit 2.
  run --version
  run ref --help
  run bogus
  run --bogus
  run search God --range
  run search --data
  # "--" ends the options of every command: what follows is text.
  run search -- ---
  run search --range "Ps 23" -- --shepherd
  run search --refs --range "Ps 23" -- shepherd --refs
  run phrase --range Joh -- --Jesus wept
  run ref -- "Ge 1:1"
  run ref -- "-"
  run ref --range -- "Ps 23"
  run show -- "Ps 117:1"
  run words -- -zeb
  run words -- zebu
  run xref -- "#Ro 3:23"
  # --refs: one short reference a line on stdout; the status on stderr.
  run search --refs Jesus wept
  run search --refs --any --range "Ps 23" shepherd table
  run search --refs qqqzzz
  run search --refs --wordlist qqqzzz
  run phrase --refs --range "Ge 1:1 - Ge 1:9" "And God said"
  run phrase --refs "God qqqzzz"
  run xref --refs "#Ro 3:23 6:23 1Co 13:13"
  run xref --refs "no cross-reference here"
  # A message is one line: control bytes escaped, long arguments cut.
  run words $'lord\nGod'
  run words $'\e[31mred\e[0m'
  run search $'--x\ny' God
  run $'bogus\rcommand'
  label='words <a 10,000 times>' run words "$(printf 'a%.0s' {1..10000})"
  label='search --<x 10,000 times> God' run search "--$(printf 'x%.0s' {1..10000})" God
  run words $'\xc2\x9b31mC1'
  run words "$(printf '\xc3\xa9%.0s' {1..40})"
  # Damaged data is refused, whatever the command: one NUL of the word list
  # made 0x01 merges "aaron" and "aaronites", and every later word would
  # have the verses of its neighbour.
  mkdir "$work/merged"
  cp "$data"/_av*.dat "$work/merged/"
  printf '\001' | dd of="$work/merged/_avwrds.dat" bs=1 seek=7 conv=notrunc status=none
  cd "$work" || exit 1
  run search --data merged abaddon
  run show --data merged "Ge 1:1"
}

transcript >"$work/transcript.txt"
check_transcript "$work/transcript.txt" "$golden"
