#!/usr/bin/env bash
# Makes the Debian package of the build (cpack -G DEB) in a temporary folder and checks what a
# distribution asks of it: stripped programs, the copyright file and changelog, man pages that render
# and name every option, and the problem file type for .ZR3 and .ZR2.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/out/zarvic_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one zarvic_*.deb, found: ${debs[*]}"
deb=${debs[0]}
root=$work/root
dpkg-deb -x "$deb" "$root"

[ "$(dpkg-deb -f "$deb" Package)" = zarvic ] || fail "the package is not named zarvic"
[ "$(dpkg-deb -f "$deb" Version)" = 2026.4.2 ] || fail "wrong package version"
[ -n "$(dpkg-deb -f "$deb" Depends)" ] || fail "the package names no dependencies"

# Programs without symbols or debug information; they still run.
for p in wzrv kbnregistry; do
  program=$root/usr/lib/zarvic/$p
  [ -f "$program" ] || fail "missing /usr/lib/zarvic/$p"
  sections=$(readelf -S --wide "$program")
  if grep -qE '\.debug_|\.symtab' <<<"$sections"; then fail "/usr/lib/zarvic/$p is not stripped"; fi
  [ -L "$root/usr/bin/$p" ] || fail "/usr/bin/$p is not a link"
done
[ "$("$root/usr/bin/wzrv" --version)" = "Zarvic 2026.4.2" ] || fail "the stripped wzrv does not run"
set +e
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kbnregistry" 2>&1 >/dev/null)
status=$?
set -e
[ $status -eq 1 ] || fail "kbnregistry without a display ended with $status, not 1"
grep -q "no display" <<<"$err" || fail "kbnregistry without a display does not say why: $err"

# The copyright file as it is, the changelog compressed, in the package's own doc folder.
doc=$root/usr/share/doc/zarvic
[ -f "$doc/copyright" ] || fail "missing /usr/share/doc/zarvic/copyright"
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "the copyright file is not in the machine-readable format"
[ -f "$doc/changelog.gz" ] || fail "missing /usr/share/doc/zarvic/changelog.gz"
gzip -t "$doc/changelog.gz" || fail "changelog.gz is not gzip"
zcat "$doc/changelog.gz" >"$work/changelog"
if command -v dpkg-parsechangelog >/dev/null; then
  [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = 2026.4.2 ] \
    || fail "the changelog's version is not the package's"
fi

# Man pages that render without warnings and say what a user needs.
man_page() { MANWIDTH=100 LC_ALL=C man --warnings -l "$1" 2>"$work/man.err"; }
for p in wzrv kbnregistry; do
  page=$root/usr/share/man/man1/$p.1.gz
  [ -f "$page" ] || fail "missing /usr/share/man/man1/$p.1.gz"
  man_page "$page" >"$work/$p.txt" || fail "man -l $p.1.gz failed"
  [ ! -s "$work/man.err" ] || fail "man -l $p.1.gz warns: $(cat "$work/man.err")"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES "SEE ALSO"; do
    grep -q "^$section\$" "$work/$p.txt" || fail "the man page of $p has no $section section"
  done
done
# Every option wzrv --help lists (the first column of its option lines), and every exit status.
options=$("$root/usr/bin/wzrv" --help | grep -E '^  -' | sed -E 's/^ +//; s/ {2,}.*//' | grep -oE -- '-[-A-Za-z]+')
[ "$(wc -l <<<"$options")" -ge 11 ] || fail "could not read the options of wzrv --help: $options"
for option in $options; do
  grep -qF -- "$option" "$work/wzrv.txt" || fail "the man page of wzrv does not name $option"
done
exit_status=$(sed -n '/^EXIT STATUS$/,/^[A-Z]/p' "$work/wzrv.txt")
for status in 0 1 2 3; do
  grep -qE "^ +$status +[A-Z]" <<<"$exit_status" || fail "the man page of wzrv does not give exit status $status"
done
for name in ZARVIC_REGISTRY ZARVIC_LEGACY_INI XDG_CONFIG_HOME XDG_DATA_HOME TEMP TMPDIR ZARVIC_TODAY; do
  grep -q "$name" "$work/wzrv.txt" || fail "the man page of wzrv does not name $name"
done

# The problem file type: both extensions, in the database shared-mime-info builds from the package.
mime=$root/usr/share/mime
for glob in '*.ZR3' '*.ZR2'; do
  grep -qF "pattern=\"$glob\"" "$mime/packages/zarvic.xml" || fail "the mime type has no $glob"
done
if command -v update-mime-database >/dev/null; then
  update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database refused the package's type"
  for glob in '*.zr3' '*.zr2'; do
    grep -qiF "application/x-zarvic-problem:$glob" "$mime/globs2" || fail "the mime database has no $glob"
  done
fi
grep -q '^MimeType=application/x-zarvic-problem;' "$root/usr/share/applications/zarvic.desktop" \
  || fail "the desktop entry does not open problem files"
echo "package test: 1 passed, 0 failed"
