#!/bin/sh
# Fails when a text of src/ marked for translation has no German translation (missing, empty or
# fuzzy) in po/default/de.po or po/defaultnumeric/de.po, and lists those texts.
# Usage: check-german.sh <source-root>
set -eu
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$root/po/extract.sh" --templates "$work" "$root"
missing=0
for domain in default defaultnumeric; do
    merged="$work/$domain.de.po"
    msgmerge --quiet --no-fuzzy-matching --output-file="$merged" "$root/po/$domain/de.po" "$work/$domain.pot"
    # msgmerge writes nothing when the template holds no text at all.
    [ -e "$merged" ] || continue
    statistics=$(LC_ALL=C msgfmt --statistics --output-file=/dev/null "$merged" 2>&1)
    case "$statistics" in
    *untranslated* | *fuzzy*)
        echo "po/$domain/de.po: $statistics"
        msgattrib --untranslated --no-obsolete --no-wrap "$merged" | grep '^msgid "..*"' | sed 's/^/  untranslated: /' || true
        msgattrib --only-fuzzy --no-obsolete --no-wrap "$merged" | grep '^msgid "..*"' | sed 's/^/  fuzzy: /' || true
        missing=1
        ;;
    esac
done
[ "$missing" -eq 0 ] || exit 1
echo "Every marked text has its German translation"
