#!/bin/sh
# Fails when the sources hold an interface text that a translation file lacks or leaves
# unfinished. Usage: check_translations.sh <lupdate> <source root>
set -eu
lupdate=$1
root=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
for lang in EN KO RU; do
    cp "$root/resources/translations/Demo_$lang.ts" "$tmp/"
    (cd "$root" && "$lupdate" -silent -locations none app live analysis overlay browser inspection automation recording forms \
        -ts "$tmp/Demo_$lang.ts")
    if grep -q 'type="unfinished"' "$tmp/Demo_$lang.ts"; then
        echo "Demo_$lang.ts lacks:"
        grep -B1 'type="unfinished"' "$tmp/Demo_$lang.ts" | grep '<source>' || true
        status=1
    fi
done
exit $status
