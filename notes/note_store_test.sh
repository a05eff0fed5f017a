#!/usr/bin/env bash
# The note store as a user meets it through the real `kelvane` binary: saves
# next to leftovers of an interrupted save (a second name of the data file, a
# symbolic link), a save stopped or failed inside a move, an index file of
# the wrong size, and a notes folder that cannot be listed.
#   note_store_test.sh KELVANE
set -uo pipefail
kelvane=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-notes-XXXXXX")
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A folder holding the set "Study" with one note on Genesis 1:1.
new_study() {
  rm -rf "$work/d"; mkdir "$work/d"
  "$kelvane" note new Study --dir "$work/d" >/dev/null 2>&1 || fail "note new"
  "$kelvane" note set --set Study "Ge 1:1" "precious note" --dir "$work/d" >/dev/null 2>&1 || fail "first note"
}

# The notes of Study as `note get` shows them, one "REF=TEXT" line per note.
notes_of() {
  local ref
  for ref in $("$kelvane" note list --set Study --dir "$work/d" 2>/dev/null | tr ' ' '_'); do
    ref=${ref//_/ }
    printf '%s=%s\n' "$ref" "$("$kelvane" note get --set Study "$ref" --dir "$work/d" 2>/dev/null)"
  done
}

expect_notes() {  # what, expected lines
  local got
  got=$(notes_of)
  [ "$got" = "$2" ] || fail "$1: notes are
$got
expected
$2"
}

no_leftovers() {
  local left
  left=$(cd "$work/d" && ls -A | grep -c '\.temp$')
  [ "$left" = 0 ] || fail "$1: leftover temporaries: $(cd "$work/d" && ls -A)"
}

# 1. A leftover second name of the data file is never written through.
new_study
ln "$work/d/Study.nmd" "$work/d/Study.nmd.temp"
"$kelvane" note set --set Study "Joh 3:16" "third note" --dir "$work/d" >/dev/null 2>"$work/err" ||
  fail "save beside a hard-linked leftover: $(cat "$work/err")"
expect_notes "hard-linked leftover" "Ge 1:1=precious note
Joh 3:16=third note"
[ "$(stat -c %h "$work/d/Study.nmd")" = 1 ] || fail "hard-linked leftover: Study.nmd keeps a second name"

# 1. A save killed, or failed, where the old version's move left two names.
if command -v strace >/dev/null; then
  for inject in {unlink,rename}:{signal=KILL,error=EIO}:when={1,2}; do
    new_study
    # In a subshell of its own, so that the kill is not reported here.
    status=$( (strace -f -qq -o /dev/null -e trace=unlink,rename -e inject="$inject" \
      "$kelvane" note set --set Study "Ps 23:1" "second note" --dir "$work/d" >/dev/null 2>&1; echo $?) 2>/dev/null)
    "$kelvane" note set --set Study "Joh 3:16" "third note" --dir "$work/d" >/dev/null 2>"$work/err" ||
      fail "$inject: the next save fails: $(cat "$work/err")"
    got=$(notes_of)
    # A save that said it worked kept its note.
    [ $status != 0 ] && [ "$got" = "Ge 1:1=precious note
Joh 3:16=third note" ] || [ "$got" = "Ge 1:1=precious note
Ps 23:1=second note
Joh 3:16=third note" ] || fail "$inject: the save exited $status, and the notes are
$got"
    [ "$(stat -c %h "$work/d/Study.nmd")" = 1 ] || fail "$inject: Study.nmd keeps a second name"
    no_leftovers "$inject"
  done
else
  echo "strace is not installed: the injected moves are not tried" >&2
  failures=$((failures + 1))
fi

# 2. A leftover temporary that is a symbolic link is removed, not followed.
new_study
echo "not a note" >"$work/d/victim.txt"
ln -s victim.txt "$work/d/Study.nmd.temp"
ln -s victim.txt "$work/d/Study.nmi.temp"
"$kelvane" note set --set Study "Ge 1:2" "x" --dir "$work/d" >/dev/null 2>"$work/err" ||
  fail "save beside a symbolic link: $(cat "$work/err")"
[ "$(cat "$work/d/victim.txt")" = "not a note" ] || fail "the save wrote through a symbolic link"
[ ! -L "$work/d/Study.nmd" ] && [ ! -L "$work/d/Study.nmi" ] || fail "a note file became a symbolic link"
expect_notes "symbolic link leftover" "Ge 1:1=precious note
Ge 1:2=x"

# 3. A huge index file is refused as that one set, without reading it.
new_study
"$kelvane" note new Other --dir "$work/d" >/dev/null 2>&1
truncate -s 2147483648 "$work/d/Study.nmi"
out=$( (ulimit -v 1000000; "$kelvane" note list --dir "$work/d") 2>"$work/err")
status=$?
[ $status = 0 ] || fail "note list beside a huge index exits $status: $(cat "$work/err")"
[ "$(sort <<<"$out")" = "My Notes
Other" ] || fail "note list beside a huge index lists: $out"
grep -q '"Study.nmi" and "Study.nmd" do not match' "$work/err" || fail "no message for the huge index: $(cat "$work/err")"
[ "$(stat -c %s "$work/d/Study.nmi")" = 2147483648 ] || fail "the huge index was changed"

# 4. A notes folder that cannot be listed is reported and nothing is created.
out=$("$kelvane" note list --dir "$work/nonexistent/x" 2>"$work/err")
status=$?
[ $status != 0 ] || fail "note list of a missing folder exits 0"
[ -z "$out" ] || fail "note list of a missing folder lists: $out"
[ "$(wc -l <"$work/err")" = 1 ] || fail "note list of a missing folder says: $(cat "$work/err")"
if command -v strace >/dev/null; then
  new_study
  before=$(cd "$work/d" && ls -A)
  out=$(strace -f -qq -o /dev/null -e trace=getdents64 -e inject=getdents64:error=EIO \
        "$kelvane" note list --dir "$work/d" 2>"$work/err")
  status=$?
  [ $status != 0 ] || fail "note list of an unreadable folder exits 0"
  [ -z "$out" ] || fail "note list of an unreadable folder lists: $out"
  [ "$(cd "$work/d" && ls -A)" = "$before" ] || fail "note list of an unreadable folder made files"
fi

[ $failures = 0 ] && echo "note store: all checks passed"
exit $((failures > 0))
