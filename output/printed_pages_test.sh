#!/usr/bin/env bash
# Prints a range with notes, a range over several pages and a book, and the
# verse list to the test printer (the PrintedPages tests of
# output/printing_test_win.cpp), then reads the pages back as text with
# Ghostscript and checks the words, the labels, the notes and the page
# counts. Leaves the text of each page and a PNG of the first page of the
# range with notes in BUILD/printing for a person to look at.
#   printed_pages_test.sh WINE TEST_EXE BUILD_DIR
set -uo pipefail
wine=$1 exe=$2 build=$3
out=$build/printing
rm -rf "$out"
mkdir -p "$out"

cd "$build" || exit 1
if ! WINEPREFIX=${WINEPREFIX:-$build/wineprefix} "$wine" "$exe" --gtest_filter='PrintedPages.*' >"$out/run.log" 2>&1; then
  cat "$out/run.log"
  echo "the print jobs failed"
  exit 1
fi

passed=0 failed=0
check() {  # check WHAT COMMAND...
  local what=$1; shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

# Each page of DOC.ps as DOC-N.txt; echoes the page count.
read_back() {
  local doc=$1
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="$out/$doc-%d.txt" "$out/$doc.ps" >/dev/null 2>&1
  ls "$out/$doc"-*.txt 2>/dev/null | wc -l
}
# The page's text with runs of blanks made one, so words drawn one by one
# read as the sentence they make.
page() { tr -s ' ' <"$out/$1-$2.txt"; }
has() { page "$1" "$2" | grep -qF -- "$3"; }
lacks() { ! page "$1" "$2" | grep -qF -- "$3"; }
# TEXT2 is on the line right after the one holding TEXT1.
next_line() { page "$1" "$2" | grep -A1 -F -- "$3" | tail -n 1 | grep -qF -- "$4"; }

pages=$(read_back range_with_notes)
check "range with notes: one page (got $pages)" test "$pages" = 1
check "range with notes: Ge 1:1 labelled in full" has range_with_notes 1 "Ge 1:1 In the beginning God created the heaven and the earth."
check "range with notes: later verses labelled partially" has range_with_notes 1 "1:2 And the earth was without form"
check "range with notes: supplied words without brackets" has range_with_notes 1 "darkness was upon the face"
check "range with notes: no bracket on paper" lacks range_with_notes 1 "["
check "range with notes: the note" has range_with_notes 1 "Creation note."
check "range with notes: the note's second line under its first" \
  next_line range_with_notes 1 "Creation note." "Second line of the note."
# 150 characters without a blank: a piece of 100, then the other 50, each
# wrapped as a word of its own at this print size.
L100=$(printf 'L%.0s' $(seq 100)) L50=$(printf 'L%.0s' $(seq 50))
check "range with notes: the long run cut at 100" next_line range_with_notes 1 "Light:" " $L100"
check "range with notes: the rest of the run" next_line range_with_notes 1 "$L100" " $L50 end."
check "range with notes: the pilcrow of Ge 1:6" has range_with_notes 1 "1:6 ¶"
check "range with notes: the verse after a note starts a line" next_line range_with_notes 1 "Second line of the note." "1:2"

pages=$(read_back range_pages)
check "range over pages: more than one page (got $pages)" test "$pages" -gt 1
check "range over pages: first page starts with Ge 50:25" has range_pages 1 "Ge 50:25 And Joseph took an oath"
check "range over pages: Ex 1:1 labelled in full" grep -qF "Ex 1:1 Now these are the names" "$out"/range_pages-*.txt
check "range over pages: ends with Ex 1:5" has range_pages "$pages" "was in Egypt already."
check "range over pages: a verse cut by a page goes on at the top of the next" \
  sh -c "head -n 1 '$out/range_pages-2.txt' | tr -s ' ' | grep -qF ' man and his household came with Jacob.'"
for ((n = 1; n <= pages; n++)); do
  check "range over pages: page $n has text" test -s "$out/range_pages-$n.txt"
done

pages=$(read_back verse_list)
check "verse list: one page (got $pages)" test "$pages" = 1
check "verse list: first entry" has verse_list 1 "Ge 1:1 In the beginning God created"
check "verse list: pilcrow entry" has verse_list 1 "Ge 1:6 ¶ And God said, Let there be a firmament"
check "verse list: last entry" has verse_list 1 "Re 22:21 The grace of our Lord Jesus Christ"
check "verse list: one entry a paragraph" next_line verse_list 1 "Ge 1:1" "Ge 1:6"

gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r60 -dFirstPage=1 -dLastPage=1 \
  -sOutputFile="$out/range_with_notes_page1.png" "$out/range_with_notes.ps" >/dev/null 2>&1
check "a picture of the first page" test -s "$out/range_with_notes_page1.png"

echo "printed pages: $passed passed, $failed failed"
[ "$failed" = 0 ]
