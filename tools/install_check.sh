#!/usr/bin/env bash
# Installs a built Lumet into a temporary prefix and checks it as a desktop
# and Debian expect: the menu entry and the type of the set-up files it
# opens, the AppStream metainfo, the icons, the manual pages, the installed
# programs (lumet-batch runs a scenario, and writes its log in the user's
# data folder when its own folder is closed to it), and the Debian package
# with its control fields.
# Usage: tools/install_check.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=$(realpath "${1:-build}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() {
  echo "install check: $*" >&2
  exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
echo "-- menu entry, the type of the set-up files and metainfo"
desktop-file-validate "$share/applications/lumet.desktop"
grep -qx "Exec=lumet %f" "$share/applications/lumet.desktop" || fail "the menu entry does not pass a file"
grep -qx "MimeType=application/x-lumet;" "$share/applications/lumet.desktop" || fail "the menu entry lacks its type"
# The type's XML read as the desktop reads it: *.lumet is application/x-lumet.
xmllint --noout "$share/mime/packages/lumet.xml"
mkdir -p "$work/mime/packages"
cp "$share/mime/packages/lumet.xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" update-mime-database "$work/mime"
grep -qx "50:application/x-lumet:\*.lumet" "$work/mime/globs2" || fail "*.lumet is not application/x-lumet"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
grep -q "<release version=\"$version\"" "$share"/metainfo/*.metainfo.xml || fail "metainfo lacks release $version"

echo "-- icons and manual pages"
[ -s "$share/icons/hicolor/scalable/apps/lumet.svg" ] || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/lumet.png
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png is not $size x $size"
done
for page in lumet lumet-batch; do
  warnings=$(man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

echo "-- installed programs"
[ "$(QT_QPA_PLATFORM=offscreen "$prefix/bin/lumet" --version)" = "Lumet $version" ] || fail "lumet --version"
[ "$("$prefix/bin/lumet-batch" --version)" = "lumet-batch $version" ] || fail "lumet-batch --version"
bash tests/scenarios/run.sh "$prefix/bin/lumet-batch" "$PWD/tests/scenarios/race.lb" || fail "installed lumet-batch on race.lb"
bash tests/scenarios/run.sh "$prefix/bin/lumet-batch" "$PWD/tests/scenarios/english.lb" ||
  fail "installed lumet-batch --lang en on english.lb"
if [ "$(id -u)" -eq 0 ]; then
  # A user who cannot write the program's folder gets the log in the data folder.
  data=$work/data
  mkdir -m 777 "$data"
  printf 'click Command1\n' |
    setpriv --reuid=nobody --regid=nogroup --clear-groups env XDG_DATA_HOME="$data" \
      "$prefix/bin/lumet-batch" >/dev/null
  grep -q "^m1= " "$data/Lumet/lumet.dat" || fail "no log in the user's data folder"
  [ ! -e "$prefix/bin/lumet.dat" ] || fail "log beside a program the user cannot write"
fi

echo "-- Debian package"
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  fail "cpack"
}
deb=$work/package/lumet_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lumet ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = science ] || fail "Section: $(field Section)"
field Depends | grep -q "libqt6" || fail "Depends lacks Qt 6: $(field Depends)"
# The form's face, Liberation Sans Narrow.
field Depends | grep -Eq "(^|, )fonts-liberation(,|$| )" || fail "Depends lacks fonts-liberation: $(field Depends)"
# Qt's dialogs speak the window's language through Qt's own translations.
field Depends | grep -Eq "(^|, )qt6-translations-l10n(,|$| )" ||
  fail "Depends lacks qt6-translations-l10n: $(field Depends)"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/lumet ./usr/bin/lumet-batch ./usr/share/applications/lumet.desktop \
  ./usr/share/mime/packages/lumet.xml ./usr/share/lumet/examples/race.lumet \
  ./usr/share/icons/hicolor/48x48/apps/lumet.png ./usr/share/man/man1/lumet-batch.1.gz; do
  grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done
echo "install check passed: $(basename "$deb"), Depends: $(field Depends)"
