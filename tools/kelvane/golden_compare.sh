# Sourced by the golden tests. check_transcript FILE GOLDEN: compares the
# transcript with the golden file byte for byte, or with
# KELVANE_UPDATE_GOLDEN=1 makes it the golden file, for review in the diff.
check_transcript() {
  local transcript=$1 golden=$2
  if [ "${KELVANE_UPDATE_GOLDEN:-0}" = 1 ]; then
    cp "$transcript" "$golden"
    echo "updated $golden"
    return 0
  fi
  if ! diff -u --text "$golden" "$transcript"; then
    echo "kelvane output differs from $golden" >&2
    return 1
  fi
}
