#!/usr/bin/env bash
# Checks a manual page: man formats it without a warning and, given the program,
# the page describes every option the program's --help lists, and no other.
# usage: check_man_page.sh PAGE [PROGRAM]
set -euo pipefail
page="$1"
warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
[ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
[ $# -ge 2 ] || exit 0

listed="$("$2" --help | grep -oE '^  --[a-z-]+' | sed 's/^ *//' | sort -u)"
# The options the page describes: the tags of its .TP and .TQ entries.
described="$(awk '/^\.T[PQ]$/ { getline; print }' "$page" |
  grep -oE '^\.BI? (\\-){2}[a-z\\-]+' | sed -E 's/^\.BI? //; s/\\-/-/g' | sort -u)"
missing="$(comm -23 <(echo "$listed") <(echo "$described"))"
unknown="$(comm -13 <(echo "$listed") <(echo "$described"))"
[ -z "$missing" ] || { echo "$page lacks: ${missing//$'\n'/ }" >&2; exit 1; }
[ -z "$unknown" ] || { echo "$page describes what $2 lacks: ${unknown//$'\n'/ }" >&2; exit 1; }
