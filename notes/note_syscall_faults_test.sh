#!/usr/bin/env bash
# A note save, and the start-up repair after a save cut off half-way, tried
# against every system call they make: once killed there, and once with that
# call failing with EIO and with ENOSPC (strace's fault injection). After
# each, the folder must be exactly the old or the new pair, or else a start-up
# and the next save must leave exactly the old or the new pair with that next
# note added, nothing beside it, and say nothing.
#   note_syscall_faults_test.sh KELVANE save|repair
set -uo pipefail
kelvane=$1 phase=$2
command -v strace >/dev/null || { echo "strace is not installed" >&2; exit 1; }
# A memory file system where there is one: the saves flush their files, and
# several thousand flushes to a disk would be most of the time taken.
scratch=${TMPDIR:-/tmp}
[ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
work=$(mktemp -d "$scratch/kelvane-syscalls-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0 points=0 tried=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
  [ $failures -lt 20 ] || { echo "too many failures" >&2; exit 1; }
}

save2=(note set --set Study "Ge 1:2" "second note, longer than the first")
save3=(note set --set Study "Re 22:21" "third note")

# The reference folders: the set before and after the save, and each of
# those after the next save.
mkdir "$work/old" "$work/new"
"$kelvane" note new Study --dir "$work/old" >/dev/null &&
  "$kelvane" note set --set Study "Ge 1:1" "precious note" --dir "$work/old" >/dev/null &&
  "$kelvane" note set --set Study "Ps 23:1" "The LORD is my shepherd" --dir "$work/old" >/dev/null ||
  { echo "cannot make the set" >&2; exit 1; }
rm -f "$work/old/My Notes."*
cp -a "$work/old/." "$work/new"
"$kelvane" "${save2[@]}" --dir "$work/new" >/dev/null || { echo "cannot save" >&2; exit 1; }
declare -A sums
for s in old new; do
  mkdir "$work/$s.next"
  cp -a "$work/$s/." "$work/$s.next"
  "$kelvane" "${save3[@]}" --dir "$work/$s.next" >/dev/null || { echo "cannot save" >&2; exit 1; }
  sums[$s]=$(cd "$work/$s" && md5sum -- *)
  sums[$s.next]=$(cd "$work/$s.next" && md5sum -- *)
done
mkdir "$work/runs"
cmp -s "$work/old/Study.nmd" "$work/new/Study.nmd" && { echo "the save changes nothing" >&2; exit 1; }

# Whether folder $1 holds exactly the files of reference folder $2, by name
# and content, all plain files (so no other temporary and no second name of
# a file is left).
same_pair() {
  local names=("$1"/.[!.]*) f
  [ "${names[*]}" = "$1/.[!.]*" ] || return 1
  for f in "$1"/*; do [ -f "$f" ] && [ ! -L "$f" ] || return 1; done
  [ "$(cd "$1" && md5sum -- *)" = "${sums[$2]}" ]
}

# Checks the folder $1 after a faulted run: a start-up and the next save, in
# one run of the tool, must leave exactly the pair of one of the reference
# folders named in $2 after that save, and say nothing. (A start-up that lost
# or garbled a note, or a set that did not load, cannot end in such a pair.)
check_outcome() {
  local dir=$1 allowed=$2 what=$3 s
  tried=$((tried + 1))
  if ! "$kelvane" "${save3[@]}" --dir "$dir" >/dev/null 2>"$work/err" || [ -s "$work/err" ]; then
    fail "$what: the next start-up and save: $(cat "$work/err")"
    return
  fi
  for s in $allowed; do
    same_pair "$dir" "$s.next" && return
  done
  fail "$what: after the next save the folder holds no pair of ($allowed): $(cd "$dir" && ls -lA | tail -n +2)"
}

# The names of the system calls in strace's output $1, one a line.
names_in() { sed -n 's/^\([a-z_0-9]*\)(.*/\1/p' "$1"; }

# The system calls of `kelvane ARGS...` run on a copy of folder $1, one line
# each: its name and its number among the calls of that name (from 1).
calls_of() {
  local start=$1; shift
  rm -rf "$work/run"; cp -a "$start" "$work/run"
  strace -qq -o "$work/trace" "$kelvane" "$@" --dir "$work/run" >/dev/null 2>&1
  names_in "$work/trace" | awk '{ print $1, ++n[$1] }'
}

# Runs `kelvane ARGS...` on a copy of $1 with each fault at every call, and
# checks each outcome against the states named in $2; a folder left exactly
# as one of the folders named in $3 was shown to come out right already. The
# program's own execve, strace's start of it, is not one of its calls.
sweep() {
  local start=$1 allowed=$2 known=$3; shift 3
  local name n fault k=0 run
  calls_of "$start" "$@" >"$work/calls"
  # The same run twice makes the same calls, or the points mean nothing.
  calls_of "$start" "$@" | cmp -s - "$work/calls" || { fail "the calls differ from run to run"; return; }
  while read -r name n; do
    k=$((k + 1))
    [ "$name" = execve ] && continue
    for fault in signal=KILL error=EIO error=ENOSPC; do
      points=$((points + 1))
      run=$work/runs/$points
      cp -a "$start" "$run"
      # In a subshell of its own, so that the kill is not reported here.
      (strace -qq -o "$work/faulted.trace" -e trace="$name" -e inject="$name:$fault:when=$n" \
        "$kelvane" "$@" --dir "$run" >/dev/null 2>&1 </dev/null; true) 2>/dev/null
      # The fault hit call n of that name: it failed there, or the process
      # ended there.
      awk -v n="$n" -v kill=${fault%%=*} '
        /^[-+]/ { next }
        { calls++; if (calls == n) hit = kill == "signal" || /INJECTED/ }
        END { exit !(hit && (kill != "signal" || calls == n)) }' "$work/faulted.trace" ||
        fail "$name #$n $fault: the fault did not hit that call"
      # A folder left exactly as one of the reference folders behaves as that
      # folder did when the reference was made; anything else is tried.
      local s same=
      for s in $known; do
        same_pair "$run" "$s" && { same=$s; break; }
      done
      [ -n "$same" ] || check_outcome "$run" "$allowed" "call $k, $name #$n, $fault"
      [ $((points % 100)) = 0 ] && rm -rf "$work/runs" && mkdir "$work/runs"
    done
  done <"$work/calls"
  echo "$phase: $((k - 1)) calls, $points points (kill, EIO, ENOSPC at each), $tried left other files" >&2
}

case $phase in
  save)
    sweep "$work/old" "old new" "old new" "${save2[@]}"
    ;;
  repair)
    # The save stopped right after its data file moved in: the new data,
    # the old index, the new index still in its temporary file.
    calls_of "$work/old" "${save2[@]}" >/dev/null
    move=$(grep -n '^rename[a-z0-9]*("[^"]*/Study.nmi.temp"' "$work/trace" | head -1 | cut -d: -f1)
    [ -n "$move" ] || { echo "the save moves no index in" >&2; exit 1; }
    name=$(sed -n "${move}p" "$work/trace" | sed 's/(.*//')
    n=$(head -n "$move" "$work/trace" | grep -c "^$name(")
    mkdir "$work/stopped"
    cp -a "$work/old/." "$work/stopped"
    (strace -qq -o /dev/null -e inject="$name:signal=KILL:when=$n" \
      "$kelvane" "${save2[@]}" --dir "$work/stopped" >/dev/null 2>&1; true) 2>/dev/null
    cmp -s "$work/stopped/Study.nmd" "$work/new/Study.nmd" && cmp -s "$work/stopped/Study.nmi" "$work/old/Study.nmi" &&
      cmp -s "$work/stopped/Study.nmi.temp" "$work/new/Study.nmi" ||
      { echo "the stopped save did not leave the state to repair" >&2; exit 1; }
    sums[stopped]=$(cd "$work/stopped" && md5sum -- *)
    cp -a "$work/stopped" "$work/stopped.next"
    check_outcome "$work/stopped.next" new "the stopped save"
    [ $failures = 0 ] || exit 1
    tried=0
    sweep "$work/stopped" "new" "new stopped" note list
    ;;
  *) echo "usage: $0 KELVANE save|repair" >&2; exit 2 ;;
esac

[ $failures = 0 ] && echo "$phase: no note lost at $points points"
exit $((failures > 0))
