#!/usr/bin/env bash
# Whether the translations are complete: lupdate, run over the window's
# sources into a copy of each .ts file, must find no message that is new
# (unfinished) or gone from the source (obsolete, vanished), and every
# message must have its translation. The .ts files themselves are not
# touched; `cmake --build build --target update_translations` updates them.
#   tools/lupdate_check.sh [LUPDATE]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
lupdate=${1:-/usr/lib/qt6/bin/lupdate}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
for ts in translations/*.ts; do
  copy="$dir/$(basename "$ts")"
  cp "$ts" "$copy"
  "$lupdate" -silent -locations none -I src src/gui -ts "$copy" >"$dir/lupdate.out" 2>&1 ||
    { cat "$dir/lupdate.out"; exit 1; }
  if ! cmp -s "$ts" "$copy"; then
    echo "$ts: lupdate changes it:"
    diff -u "$ts" "$copy" | head -40
    status=1
  fi
  if grep -nE 'type="(unfinished|obsolete|vanished)"|<translation></translation>' "$copy"; then
    echo "$ts: the messages above are not translated, or no longer in the source"
    status=1
  fi
done
[ "$status" = 0 ] && echo "translations complete: $(ls translations/*.ts | wc -l) file(s)"
exit "$status"
