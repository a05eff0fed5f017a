#!/usr/bin/env bash
# Golden test of the kelvane commands that write verses and notes: copy,
# save, note, xref and the --as list files of search, phrase and xref. Runs
# each case below in a scratch folder and compares the transcript (command,
# stdout, stderr, exit status, and the files written) with
# golden/output_transcript.txt byte for byte. Output is shown with cat -v, so
# CR is ^M, NUL is ^@ and the pilcrow (0xB6) is M-6; a byte count follows
# each output and file, so nothing at the end goes unseen. After a
# deliberate change of the output, rerun with KELVANE_UPDATE_GOLDEN=1 and
# review the difference.
#   output_golden_test.sh KELVANE GOLDEN_DIR
set -u
source "$(dirname "$0")/golden_compare.sh"
kelvane=$(realpath "$1")
golden=$(cd "$2" && pwd)/output_transcript.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Bytes as cat -v shows them, then their count.
show() {
  local file=$1
  cat -v -- "$file"
  local size
  size=$(wc -c <"$file")
  if [ "$size" -gt 0 ] && [ "$(tail -c 1 -- "$file" | od -An -tx1 | tr -d ' ')" != 0a ]; then printf '\n'; fi
  printf '(%d bytes)\n' "$size"
}

# run [ARGS...]: one command with no input; input=TEXT run ...: with TEXT on
# standard input; sorted=1 run ...: stdout sorted, for the note set lists,
# whose order is the order the file system lists the files in.
# label=TEXT run ...: TEXT stands for the arguments in the transcript.
run() {
  printf '$ kelvane'
  if [ -n "${label:-}" ]; then printf ' %s' "$label"; else printf ' %q' "$@"; fi
  [ -n "${input+set}" ] && printf ' < %q' "$input"
  printf '\n'
  printf '%s' "${input-}" | "$kelvane" "$@" >"$work/out" 2>"$work/err"
  local status=${PIPESTATUS[1]}
  if [ "${sorted:-0}" = 1 ]; then
    LC_ALL=C sort "$work/out" >"$work/sorted"
    mv "$work/sorted" "$work/out"
  fi
  show "$work/out"
  sed 's|^|stderr: |' "$work/err"
  printf 'exit %d\n\n' "$status"
}

# A file a command wrote, or the fact that there is none.
file() {
  printf '== %s: ' "$1"
  if [ -f "$1" ]; then
    printf '\n'
    show "$1"
  else
    printf 'no file\n'
  fi
  printf '\n'
}

copies() {
  # Ephesians 6:17-18 in the three label forms. A number after the hyphen
  # without a colon is a chapter, so the second verse is typed as 6:18.
  run copy "Eph 6:17 - 6:18"
  run copy --first none --next none --after "Eph 6:17 - 6:18"
  run copy --first partial --next partial --after --no-breaks "Eph 6:17 - 6:18"
  run copy --next full Eph 6:17-6:18
  # Across a chapter and a book.
  run copy Ge 1:31 - 2:2
  run copy Ge 50:26 - Ex 1:2
  # The paragraph mark, and a one-verse copy without a label.
  run copy Ge 1:6
  run copy --no-marks Ge 1:6
  run copy --first none Ge 1:1
  # Bad usage.
  run copy Xyz 1
  run copy Ge 0:1
  run copy
  run copy --first bogus Ge 1:1
  run copy --bogus Ge 1:1
  run copy --first none -- Ge 1:1
}

saves() {
  run save "Eph 6:17 - 6:18" eph.txt
  file eph.txt
  run save --first none --no-breaks Ge 1:5-1:6 plain.txt
  file plain.txt
  run save "Eph 6:17 - 6:18" no/such/folder/eph.txt
  run save Xyz 1 bad.txt
  file bad.txt
  run save eph.txt
  run save --dir notes Ge 1:1 dir.txt
  # After "--" a file name may begin with a dash.
  run save --first none -- Ge 1:1 --dash.txt
  file --dash.txt
}

notes() {
  mkdir notes && cd notes || exit 1
  # The first look at an empty folder makes the default set, as start-up does.
  run note list
  run note new Study
    run note new "a/b"
  sorted=1 run note list
  run note set --set Study "Eph 6:17" "the sword of the Spirit"
  input=$'Praying always\r\nwith all prayer' run note set --set Study "Eph 6:18" -
  run note set --set Study "Ge 1:1" "Grace at the start; gracefully later. grace again"
  run note set --set Study "Re 22:21" "amen"
  run note list --set Study
  run note get --set Study Eph 6:18
  run note get --set Study "Eph 6:17"
  run note get --set study Re 22:21
  run note get --set Study Eph 6:19
  run note get --set "My Notes" Eph 6:17
  # An empty text deletes the note.
  run note set --set Study "Re 22:21" ""
  run note get --set Study Re 22:21
  run note list --set Study
  # Search: whole words unless --substring, any case unless --case, Find
  # Next from a caret, within the range, never wrapping.
  run note search --set Study grace
  run note search --set Study --from "Ge 1:1" --offset 1 grace
  run note search --set Study --from "Ge 1:1" --offset 39 grace
  run note search --set Study gracefully
  run note search --set Study --substring --from "Ge 1:1" --offset 1 grace
  run note search --set Study --case grace
  run note search --set Study --case GRACE
  run note search --set Study --range "Eph 6" SWORD
  run note search --set Study --range "Eph 6:18 - 6:20" sword
  run note search --set Study --range "Ex - Re" --from "Ge 1:1" always
  run note search --set Study --range "Ge 1" --from "Eph 6:17" sword
  run note search --set Study nothing
  run note search --set Study ""
  run note search grace
  run note search --set Study --offset 3 grace
  # Rename and delete.
  run note rename Study "Bible Study"
  run note rename "Bible Study" "a/b"
  run note rename Nosuch Other
  sorted=1 run note list
  run note get --set "Bible Study" Eph 6:17
  run note delete "My Notes"
  run note delete "My Notes" --yes
  run note list
  run note delete "Bible Study" --yes
  run note get --set Nosuch Ge 1:1
  run note set --set "Bible Study" "Ge 1:1" --retry many text
  run note bogus
  # A name the set operations refuse is a bad argument (exit 2), named with
  # the rule it breaks, before anything is tried.
  run note new ""
  run note new "../x"
  run note new 'C:x'
  run note new "what?"
  run note new $'a\nb'
  run note new "trailing."
  run note new "trailing "
  run note new LPT1
  label='note new <n 99 times>' run note new "$(printf 'n%.0s' {1..99})"
  run note rename "Bible Study" "CON"
  run note get --set $'a\nb' Ge 1:1
  # After "--", a note may begin with a dash.
  run note set --set "Bible Study" -- "Ge 1:2" "--not an option"
  run note get --set "Bible Study" -- Ge 1:2
  run note set --set "Bible Study" "Ge 1:2" ""
  # A save cut off after the old data file went is finished at the next
  # start; a set whose files do not match is reported and left alone.
  mv "Bible Study.nmd" "Bible Study.nmd.temp"
  run note get --set "Bible Study" Eph 6:17
  printf 'not an index' >Broken.nmi
  printf 'data' >Broken.nmd
  run note list
  printf '$ ls\n'
  LC_ALL=C ls
  printf '\n'
  cd .. || exit 1
  # Another folder; and Save Range with the notes of a set.
  run note list --dir notes --set "Bible Study"
  run save --notes "bible study" --dir notes "Eph 6:16 - 6:19" with-notes.txt
  file with-notes.txt
  run save --notes Nosuch --dir notes Ge 1:1 nosuch.txt
  file nosuch.txt
  # No output goes over a note set's file.
  run save --notes "Bible Study" --dir notes Ge 1:1 "notes/Bible Study.NMD"
  run search --as savefile "notes/Bible Study.nmi" --range "Ge 1:1" God
  run note get --dir notes --set "Bible Study" Eph 6:17
  # A folder that does not exist, or is not a folder, is a bad argument
  # (exit 2) and nothing is made in it.
  run note list --dir /nonexistent/x
  run note new Study --dir /nonexistent/x
  run note list --dir with-notes.txt
  run save --notes "Bible Study" --dir /nonexistent/x Ge 1:1 nodir.txt
  file nodir.txt
}

xrefs() {
  # The worked examples, read from the note of Genesis 1:1.
  run xref "#Ro 3:23 6:23"
  run xref "#Joh 3:16-18"
  run xref "#Ps 23:1,4"
  run xref "#5"
  run xref "#Jude 3"
  run xref "#Matthew 5:3 Mark 1:1"
  run xref "#Ge 1:1-2:3"
  run xref "#Ro 3:23; Eph 2:8"
  run xref "#Xyz 1:1"
  run xref --at "Ps 119:1" "#105 Joh 1:5"
  # The click must be on the line, at or after its "#".
  run xref --offset 14 $'first line\r\n#Ge 1:1 5\r\nlast'
  run xref --offset 2 $'first line\r\n#Ge 1:1 5\r\nlast'
  run xref --offset 25 $'first line\r\n#Ge 1:1 5\r\nlast'
  run xref "no cross-reference here"
  run xref --offset -1 "#Ge 1:1"
  run xref --at Xyz "#Ge 1:1"
  run xref
}

lists() {
  run search --any --range "Ps 23" --as verselist list.txt shepherd table
  file list.txt
  run phrase --as references refs.txt Jesus wept
  file refs.txt
  run xref --as references refs.txt "#Ge 1:1,3 2:4 Ex 3:14"
  file refs.txt
  run xref --as savefile saved.txt "#Ge 1:6 Joh 3:16"
  file saved.txt
  run xref --as verselist xlist.txt "#Ge 1:6"
  file xlist.txt
  run search --refs --any --range "Ps 23" --as references refs.txt shepherd table
  file refs.txt
  # Nothing found: the reference copy is "#" alone; the verse list outputs
  # write nothing, as their commands are greyed on an empty list.
  run search --as references none-refs.txt qqqzzz
  file none-refs.txt
  run phrase --as savefile none-saved.txt God qqqzzz
  file none-saved.txt
  run xref --as verselist none-list.txt "#Xyz"
  file none-list.txt
  run search --as savefile no/such/folder/x.txt --range "Ge 1:1" God
  run search --as bogus x.txt God
  run phrase God --as verselist
}

transcript() {
  mkdir "$work/desk" && cd "$work/desk" || exit 1
  copies
  saves
  notes
  xrefs
  lists
}

transcript >"$work/transcript.txt"
check_transcript "$work/transcript.txt" "$golden"
