#!/usr/bin/env bash
# Whole-process benchmark of the kelvane tool against Debian's bible-kjv
# (its `bible` command), side by side in one hyperfine run, output to a pipe:
#   - the references of a search, as `kelvane search --refs` gives them and
#     as `bible` lists them after a search (`??WORD`, `?and WORD` or
#     `?or WORD`, then `?l`), for "the", "faith", and "faith hope" with all
#     and with any of the words;
#   - the start-up, `kelvane show "John 3:16"` against `bible "John 3:16"`.
# With BEFORE=path/to/an/older/kelvane, that program's start-up runs in the
# same hyperfine run, for a before/after comparison.
# A benchmark, not a test: it installs bible-kjv and hyperfine if they are
# missing (as root), and nothing of the build or the tests needs them.
#   bench/kelvane_vs_bible.sh [KELVANE] [MARKDOWN_FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kelvane=${1:-$root/build/native/tools/kelvane/kelvane}
markdown=${2:-$root/build/kelvane_vs_bible.md}
runs=${RUNS:-200}

if ! command -v bible >/dev/null || ! command -v hyperfine >/dev/null; then
  sudo=; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get install -y -qq --no-install-recommends bible-kjv hyperfine >/dev/null
fi
[ -x "$kelvane" ] || { echo "no kelvane at $kelvane: build it first" >&2; exit 1; }

# bible's commands for WORDS: "??" finds the first word's verses, "?and" (all
# words) or "?or" (any word) combines each further word, "?l" lists them.
bible_input() {
  local join=$1; shift
  local first=$1; shift
  printf '??%s\\n' "$first"
  for word in "$@"; do printf '?%s %s\\n' "$join" "$word"; done
  printf '?l\\n'
}

# Both programs must list the same verses, or the race means nothing.
same_verses() {
  local join=$1 option=$2; shift 2
  local ours theirs
  ours=$("$kelvane" search $option --refs "$@" 2>/dev/null | wc -l)
  theirs=$(printf "$(bible_input "$join" "$@")" | bible -f | sed -n 's/.*References \[\([0-9]*\)\].*/\1/p')
  [ "$ours" = "$theirs" ] || { echo "\"$*\": kelvane lists $ours verses, bible $theirs" >&2; exit 1; }
}

commands=()
names=()
add() { names+=("$1"); commands+=("$2"); }
race() {
  local join=$1 option=$2; shift 2
  same_verses "$join" "$option" "$@"
  local shown="$*${option:+ ($option)}"
  add "bible: $shown" "printf '$(bible_input "$join" "$@")' | bible -f"
  add "kelvane: $shown" "$kelvane search $option --refs $*"
}
race and "" the
race and "" faith
race and "" faith hope
race or --any faith hope
add "bible: John 3:16" "bible 'John 3:16'"
add "kelvane: John 3:16" "$kelvane show 'John 3:16'"
[ -n "${BEFORE:-}" ] && add "kelvane before: John 3:16" "$BEFORE show 'John 3:16'"

args=()
for i in "${!commands[@]}"; do args+=(-n "${names[$i]}" "${commands[$i]}"); done
hyperfine --output=pipe --warmup 20 --runs "$runs" --export-markdown "$markdown" "${args[@]}"
echo "table: $markdown"
