#!/usr/bin/env bash
# GNU gettext's msgcmp, both ways, on the same entries written as .po files
# (msgctxt = section): what the translation lacks, then what the reference
# lacks. Prints the four counts.   msgcmp_report.sh REFERENCE.po TRANSLATION.po
set -uo pipefail
count() {  # DEF REF SECTION: entries of REF's SECTION that DEF lacks
  msgcmp -N "$1" "$2" 2>&1 | grep -c "this message is used but not defined" || true
}
both() {  # DEF REF: per section, by the line numbers msgcmp names
  msgcmp -N "$1" "$2" 2>&1 | awk -F: -v ref="$2" '
    /this message is used but not defined/ { lines[$2] = 1 }
    END {
      while ((getline line < ref) > 0) {
        n++
        if (line ~ /^msgctxt /) { section = line; gsub(/^msgctxt "|"$/, "", section) }
        if (n in lines) counted[section]++
      }
      printf "%d %d\n", counted["FORMS"], counted["STRINGS"]
    }'
}
read -r add_forms add_strings < <(both "$2" "$1")
read -r remove_forms remove_strings < <(both "$1" "$2")
echo "FORMS to add: $add_forms"
echo "STRINGS to add: $add_strings"
echo "FORMS to remove: $remove_forms"
echo "STRINGS to remove: $remove_strings"
