#!/bin/sh
# The built guide is a PDF of several pages; every chapter of its source is in it, numbered,
# and listed in the contents on the first page.
set -eu
pdf=$1
source=$2
fail() { echo "user guide: $*" >&2; exit 1; }

[ -s "$pdf" ] || fail "$pdf was not built"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 10 ] || fail "only ${pages:-0} pages"
echo "$pdf: $pages pages"

text=$(pdftotext -layout "$pdf" -)
contents=$(pdftotext -f 1 -l 1 -layout "$pdf" -)
number=0
for title in $(sed -n 's/^# //p' "$source" | tail -n +2 | tr ' ' '_'); do
    number=$((number + 1))
    title=$(echo "$title" | tr '_' ' ')
    echo "$text" | grep -q "^ *$number\. $title" || fail "no chapter \"$number. $title\""
    echo "$contents" | grep -q "$number\. $title" || fail "\"$title\" not in the contents"
done
[ "$number" -ge 10 ] || fail "only $number chapters in $source"
for figure in "Sayfa 2 / $pages" "Sürüm 2.0 Güncelleme:0"; do
    echo "$text" | grep -q "$figure" || fail "no \"$figure\""
done
