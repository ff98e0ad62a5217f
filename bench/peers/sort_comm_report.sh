#!/usr/bin/env bash
# A translator's shell pipeline for the same four counts: the key names of a
# section, lower-cased and sorted, then comm. Prints the four counts.
#   sort_comm_report.sh REFERENCE TRANSLATION
set -euo pipefail
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

keys() {  # FILE SECTION: the lower-cased key names of SECTION, sorted
  awk -v want="$2" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { name = $0; sub(/^[ \t]*\[[ \t]*/, "", name); sub(/[ \t]*\].*$/, "", name); inside = (toupper(name) == want); next }
    inside && /=/ && !/^[ \t]*;/ { key = $0; sub(/=.*/, "", key); gsub(/^[ \t]+|[ \t]+$/, "", key); if (key != "") print tolower(key) }
  ' "$1" | sort -u
}

for section in FORMS STRINGS; do
  keys "$1" "$section" >"$work/ref.$section"
  keys "$2" "$section" >"$work/trans.$section"
done
for section in FORMS STRINGS; do
  echo "$section to add: $(comm -23 "$work/ref.$section" "$work/trans.$section" | wc -l)"
done
for section in FORMS STRINGS; do
  echo "$section to remove: $(comm -13 "$work/ref.$section" "$work/trans.$section" | wc -l)"
done
