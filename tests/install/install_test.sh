#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a person would: the links in bin run the
# programs from lib/zarvic, which find their templates and rate table beside themselves.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in lib/zarvic/wzrv lib/zarvic/kbnregistry lib/zarvic/FEDERAL.TB3 lib/zarvic/GLHEAD.DM \
         lib/zarvic/help/html/ka_7_l.htm lib/zarvic/help/html/ka_6cg.htm \
         lib/zarvic/Zarvic-Users-Guide.pdf lib/zarvic/ImportExport.pdf \
         share/applications/zarvic.desktop share/applications/kbnregistry.desktop \
         share/icons/hicolor/scalable/apps/zarvic.svg share/mime/packages/zarvic.xml \
         share/man/man1/wzrv.1.gz share/man/man1/kbnregistry.1.gz \
         share/doc/zarvic/copyright share/doc/zarvic/changelog.gz; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for p in wzrv kbnregistry; do
  [ -L "$prefix/bin/$p" ] || fail "bin/$p is not a link"
  [ "$(readlink -f "$prefix/bin/$p")" = "$(readlink -f "$prefix/lib/zarvic/$p")" ] || fail "bin/$p points elsewhere"
done

# The installed program, reached through its link, with no display, on a copy of an example.
cp "$source/examples/LATE.TXT" "$work/CASE.TXT"
(cd "$work" && env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/wzrv" -EXCASE.TXT) || fail "wzrv -EX failed"
[ -s "$work/CASE.rpt" ] || fail "no report"
grep -q "Interest" "$work/CASE.rpt" || fail "the report has no interest lines"
[ "$("$prefix/bin/wzrv" --version)" = "Zarvic 2026.4.2" ] || fail "wrong --version"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/zarvic.desktop" "$prefix/share/applications/kbnregistry.desktop" \
    || fail "the .desktop entries do not validate"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/mime/packages/zarvic.xml" || fail "the mime type is not well-formed"
fi
echo "install test: 1 passed, 0 failed"
