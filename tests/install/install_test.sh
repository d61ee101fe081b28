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

# A table saved by -B as a user goes to the user's table folder (the program's folder is not theirs to
# write), and the next -EX that names it finds it there: its 20% shows in the report.
as_user() { (cd "$work" && env -u DISPLAY -u QT_QPA_PLATFORM HOME="$work/home" XDG_DATA_HOME="$work/data" "$@"); }
mkdir -p "$work/home"
tables="$work/data/Orlendt Software/Zarvic/Tables"
printf 'Table,End,Start,Method,Normal,Motivated,Refund,Days,Description,Notes\n%s\n' \
  'MYRATES,12-31-2030,01-01-1990,Daily,20,20,20,365,Install test rates,' >"$work/rates.csv"
as_user "$prefix/bin/wzrv" -B rates.csv || fail "wzrv -B failed"
[ -f "$tables/MYRATES.TB3" ] || fail "-B did not save MYRATES.TB3 in the user's table folder"
[ ! -e "$prefix/lib/zarvic/MYRATES.TB3" ] || fail "-B wrote beside the program"
{ printf 'TAB\tMYRATES\n'; grep -v '^HEADER' "$source/examples/LATE.TXT"; } >"$work/USER.TXT"
as_user "$prefix/bin/wzrv" -EXUSER.TXT || fail "wzrv -EX with the user's table failed"
[ -s "$work/USER.rpt" ] || fail "no report on the user's table"
grep -Eq '^Interest +10-01-20 20\.00 ' "$work/USER.rpt" || fail "the report does not use the user's table"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/zarvic.desktop" "$prefix/share/applications/kbnregistry.desktop" \
    || fail "the .desktop entries do not validate"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/mime/packages/zarvic.xml" || fail "the mime type is not well-formed"
fi
echo "install test: 1 passed, 0 failed"
