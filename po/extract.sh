#!/bin/sh
# Extracts the program's texts from src/ into the two catalogue templates:
#   default.pot         Tr("..."), TrNoop("...")
#   defaultnumeric.pot  TrN("singular", "plural", n)
# then merges them into every translation (po/<domain>/<lang>.po).
# Usage: po/extract.sh [source-root]                 (run by the "pot" build target)
#        po/extract.sh --templates FOLDER [source-root]  (writes only the templates into FOLDER)
set -eu
templates=""
if [ "${1:-}" = "--templates" ]; then
    templates=$2
    shift 2
fi
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
po="$root/po"
out=${templates:-$po}
files=$(cd "$root" && find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)

common="--from-code=UTF-8 --language=C++ --no-location --sort-output --package-name=Horalux --msgid-bugs-address=none --force-po --add-comments=TRANSLATORS:"

(cd "$root" && xgettext $common --keyword= --keyword=Tr --keyword=TrNoop \
    --output="$out/default.pot" $files)
(cd "$root" && xgettext $common --keyword= --keyword=TrN:1,2 \
    --output="$out/defaultnumeric.pot" $files)

[ -z "$templates" ] || exit 0
for domain in default defaultnumeric; do
    for file in "$po/$domain"/*.po; do
        [ -e "$file" ] || continue
        msgmerge --quiet --update --backup=none --no-fuzzy-matching --sort-output "$file" "$po/$domain.pot"
    done
done
