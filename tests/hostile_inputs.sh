#!/usr/bin/env bash
# Bad files of every kind, each given to ulmar-report as the reference and as
# the translation: each must give the defined report and exit status, end by
# itself, and stay within a bounded amount of memory.
#   hostile_inputs.sh ULMAR_REPORT [FOLDER [ULMAR_UPDATE ULMAR_CHECK]]
# Its large files go to FOLDER (on disk, not a RAM-backed /tmp). With the
# other two programs, every odd file is also given to them, as the reference
# and as the translation: they must end by themselves, without a crash.
set -uo pipefail
report="$1"
work=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/hostile.XXXXXX")
update="${3:-}"
check="${4:-}"
trap 'rm -rf "$work"' EXIT
failures=0
passes=0

# Memory is checked where the program is not built with sanitizers, whose
# shadow memory would count too.
check_memory=1
ldd "$report" 2>/dev/null | grep -q -E 'libasan|libubsan' && check_memory=0
most_kb=$((512 * 1024))

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME EXPECTED_STATUS ARGS...: runs the report, leaves its output in
# $work/out and $work/err, and checks status, ending and memory.
run() {
  local name="$1" expected="$2"
  shift 2
  run_command "$name" "$expected" "$report" "$@"
}

# run_command NAME EXPECTED_STATUS COMMAND...: the same for any command.
run_command() {
  local name="$1" expected="$2"
  shift 2
  timeout 120 /usr/bin/time -f "%M" -o "$work/rss" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  if [ "$status" -eq 124 ]; then fail "$name: did not end"; return 1; fi
  if [ "$status" -ne "$expected" ]; then fail "$name: exit status $status, wanted $expected"; cat "$work/err"; return 1; fi
  local rss
  rss=$(tail -n 1 "$work/rss")
  if [ "$check_memory" -eq 1 ] && [ "$rss" -gt "$most_kb" ]; then fail "$name: took $rss KB"; return 1; fi
  return 0
}

same() {  # NAME FILE EXPECTED_TEXT
  if ! diff -u <(printf '%s' "$3") "$2" >"$work/diff"; then fail "$1"; cat "$work/diff"; return 1; fi
  return 0
}

reference="$work/reference.lng"
printf '[INFO]\nlanguage=L\n[FORMS]\nA=1\nB=2\n[STRINGS]\nS=1\n' >"$reference"

# A file without sections: as the reference the run ends at once; as the
# translation every reference key is to add and the run ends at its FORMS.
expect_without_sections() {
  local name="$1" path="$2"
  if run "$name as reference" 2 --no-offsets "$path" "$reference"; then
    same "$name as reference: stdout" "$work/out" "These ones don't exist in your translation:
These ones were removed from the original file:
File information:
???
FORMS to add: ???
STRINGS to add: ???
FORMS to remove: ???
STRINGS to remove: ???
" && same "$name as reference: stderr" "$work/err" "orig file - [INFO] is empty
orig file - [FORMS] is empty
" && passes=$((passes + 1))
  fi
  if run "$name as translation" 2 --no-offsets "$reference" "$path"; then
    same "$name as translation: stdout" "$work/out" "These ones don't exist in your translation:
[FORMS]
A
B
[STRINGS]
S
These ones were removed from the original file:
[FORMS]
File information:
 language for  by  ().
Last modified on .
FORMS to add: ???
STRINGS to add: ???
FORMS to remove: ???
STRINGS to remove: ???
" && same "$name as translation: stderr" "$work/err" "translated file - [FORMS] is empty
" && passes=$((passes + 1))
  fi
}

# ---- Paths that name no readable file ----------------------------------------
expect_without_sections "missing path" "$work/no-such-file.lng"
expect_without_sections "empty path" ""
mkdir "$work/folder.lng"
expect_without_sections "a directory" "$work/folder.lng"
mkfifo "$work/fifo.lng"
expect_without_sections "a FIFO with no writer" "$work/fifo.lng"
expect_without_sections "/dev/zero" /dev/zero
expect_without_sections "/dev/urandom" /dev/urandom

# ---- Files without any section -------------------------------------------------
: >"$work/empty.lng"
expect_without_sections "an empty file" "$work/empty.lng"
printf '\xEF\xBB\xBF' >"$work/bom.lng"
expect_without_sections "a UTF-8 byte-order mark alone" "$work/bom.lng"
printf '\xFF\xFE' >"$work/bom16.lng"
expect_without_sections "a UTF-16 byte-order mark alone" "$work/bom16.lng"
head -c 262144 /dev/urandom | tr -d '[\n\r' >"$work/binary.lng"
expect_without_sections "a binary file" "$work/binary.lng"
head -c 1073741824 /dev/zero | tr '\0' 'a' >"$work/one-line.lng"
# The reader holds a file whole: this one may take its own size.
most_kb=$((1536 * 1024))
expect_without_sections "a 1 GiB file of one line" "$work/one-line.lng"
most_kb=$((512 * 1024))
rm -f "$work/one-line.lng"
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "[S%d]\nk=v\n", i }' >"$work/sections.lng"
expect_without_sections "1,000,000 sections" "$work/sections.lng"

# ---- Files with sections and something odd in them --------------------------------
# The keys both sides share, to make a translation that differs only in what is tested.
printf '[FORMS]\nA=1\n[STRINGS]\nS=1\n' >"$work/plain.lng"

{ printf '[FORMS]\n'; head -c 10485760 /dev/zero | tr '\0' 'k'; printf '=v\n[STRINGS]\nS=1\n'; } >"$work/long-key.lng"
if run "a 10 MiB key name as reference" 1 --no-offsets "$work/long-key.lng" "$work/plain.lng"; then
  [ "$(sed -n 3p "$work/out" | wc -c)" -eq 10485761 ] && passes=$((passes + 1)) || fail "10 MiB key not listed whole"
fi
if run "a 10 MiB key name as translation" 1 --no-offsets "$work/plain.lng" "$work/long-key.lng"; then
  [ "$(grep -c '^kkkkkkkk' "$work/out")" -eq 1 ] && passes=$((passes + 1)) || fail "10 MiB key not listed as to remove"
fi

printf '[FORMS]\nA\0junk=1\nB=2\0tail\n\0=3\n[STRINGS\0]\nS=1\n' >"$work/nul.lng"
if run "NUL bytes" 1 --no-offsets "$work/nul.lng" "$work/plain.lng"; then
  same "NUL bytes: stdout" "$work/out" "These ones don't exist in your translation:
[FORMS]
B
[STRINGS]
These ones were removed from the original file:
[FORMS]
[STRINGS]
File information:
???
FORMS to add: 1
STRINGS to add: 0
FORMS to remove: 0
STRINGS to remove: 0
" && passes=$((passes + 1))
fi

printf '[FORMS]\nA=1\n\xC3\x28=bad\n\xFF\xFE=x\n[STRINGS]\nS=1\n' >"$work/invalid-utf8.lng"
if run "invalid UTF-8" 1 --no-offsets "$work/invalid-utf8.lng" "$work/plain.lng"; then
  same "invalid UTF-8: keys pass through" <(sed -n '3,4p' "$work/out") "$(printf '\xC3\x28\n\xFF\xFE')
" && passes=$((passes + 1))
fi

printf '\xFF\xFE[\0F\0O\0R\0M\0S\0]\0\n\0A\0=\0001\0\n\0[\0S\0T\0R\0I\0N\0G\0S\0]\0\n\0S\0=\0x' >"$work/utf16-odd.lng"
if run "UTF-16 with an odd byte count" 0 --no-offsets "$work/utf16-odd.lng" "$work/plain.lng"; then
  passes=$((passes + 1))
fi

# A header line of 300 MiB, and the sections after it count.
{ printf '['; head -c 314572800 /dev/zero | tr '\0' 'h'; printf ']\n[FORMS]\nA=1\n[STRINGS]\nS=1\n'; } >"$work/long-header.lng"
run "a 300 MiB header line" 0 "$work/plain.lng" "$work/long-header.lng" && passes=$((passes + 1))
run "a 300 MiB header line as reference" 0 "$work/long-header.lng" "$work/plain.lng" && passes=$((passes + 1))
rm -f "$work/long-header.lng"

# Files larger than the memory at hand end the run with a message, not a crash.
if [ "$check_memory" -eq 1 ]; then
  awk 'BEGIN { print "[FORMS]"; for (i = 0; i < 6000000; i++) printf "key%d=\n", i; print "[STRINGS]\nS=1" }' >"$work/huge.lng"
  if run_command "too little memory" 2 sh -c 'ulimit -v 250000; exec "$0" "$@"' "$report" "$work/huge.lng" "$work/huge.lng"; then
    same "too little memory: stderr" "$work/err" "not enough memory to compare these files
" && passes=$((passes + 1))
  fi
  rm -f "$work/huge.lng"
fi

# A file that grows while it is read is read as far as it was when opened:
# the reader's own test extends a file between opening and reading it.

# ---- The other programs on the same files ----------------------------------------
if [ -n "$update" ] && [ -n "$check" ]; then
  for odd in "$work/no-such-file.lng" "$work/folder.lng" "$work/fifo.lng" /dev/zero "$work/empty.lng" \
             "$work/bom.lng" "$work/bom16.lng" "$work/binary.lng" "$work/sections.lng" "$work/long-key.lng" \
             "$work/nul.lng" "$work/invalid-utf8.lng" "$work/utf16-odd.lng"; do
    for program in "$update" "$check"; do
      for pair in "$odd $reference" "$reference $odd"; do
        read -r first second <<<"$pair"
        timeout 120 "$program" "$first" "$second" >/dev/null 2>"$work/err"
        status=$?
        if [ "$status" -gt 2 ]; then
          fail "$(basename "$program") $first $second: exit status $status"
          cat "$work/err"
        else
          passes=$((passes + 1))
        fi
      done
    done
  done
fi

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
