#!/usr/bin/env bash
# Brings a translation up to date as GNU gettext does for PO files, on the
# same entries as .po files:  msgmerge_update.sh TRANSLATION.po REFERENCE.po
set -euo pipefail
msgmerge --no-fuzzy-matching --quiet -o /dev/null "$1" "$2"
