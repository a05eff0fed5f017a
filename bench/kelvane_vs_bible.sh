#!/usr/bin/env bash
# Whole-process benchmark of the kelvane tool against Debian's bible-kjv
# (its `bible` command), side by side in one hyperfine run, output to a pipe:
#   - the references of a search, as `kelvane search --refs` gives them and
#     as `bible` lists them after a search (`??WORDS` then `?l`), for "the",
#     "faith" and "faith hope" (all words: both; any word: kelvane --any);
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

# Both programs must list the same verses, or the race means nothing.
same_verses() {
  local words=$1 ours theirs
  ours=$("$kelvane" search --refs $words 2>/dev/null | wc -l)
  theirs=$(printf '??%s\n?l\n' "$words" | bible -f | sed -n 's/.*References \[\([0-9]*\)\].*/\1/p')
  [ "$ours" = "$theirs" ] || { echo "\"$words\": kelvane lists $ours verses, bible $theirs" >&2; exit 1; }
}
same_verses the
same_verses faith
same_verses "faith hope"

commands=()
names=()
add() { names+=("$1"); commands+=("$2"); }
for words in the faith "faith hope"; do
  add "bible: $words" "printf '??$words\n?l\n' | bible -f"
  add "kelvane: $words" "$kelvane search --refs $words"
done
add "kelvane --any: faith hope" "$kelvane search --any --refs faith hope"
add "bible: John 3:16" "bible 'John 3:16'"
add "kelvane: John 3:16" "$kelvane show 'John 3:16'"
[ -n "${BEFORE:-}" ] && add "kelvane before: John 3:16" "$BEFORE show 'John 3:16'"

args=()
for i in "${!commands[@]}"; do args+=(-n "${names[$i]}" "${commands[$i]}"); done
hyperfine --output=pipe --warmup 20 --runs "$runs" --export-markdown "$markdown" "${args[@]}"
echo "table: $markdown"
