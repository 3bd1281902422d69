#!/usr/bin/env bash
# Installs the build folder $1 into a scratch prefix and checks what lands there: the program,
# the menu entry (valid, naming the installed program), the icon in every hicolor size, the MIME
# package (which update-mime-database accepts), the copyright file, changelog and manual page,
# the AppStream metainfo (which `appstreamcli validate` accepts, its pedantic and network checks
# included), the thumbnailer with its entry (naming the installed thumbnailer) and manual page,
# and the extractor with its manual page. $2 is the application id.
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
[ -x "$prefix/bin/pelorin" ] || fail "no program at bin/pelorin"
entry="$prefix/share/applications/$id.desktop"
[ -f "$entry" ] || fail "no menu entry at share/applications/$id.desktop"
desktop-file-validate "$entry"
grep -qx "Exec=$prefix/bin/pelorin /open %f" "$entry" || fail "Exec does not name $prefix/bin/pelorin"
for key in Name Name\\[zh_CN\\] Icon Categories MimeType; do
  grep -q "^$key=" "$entry" || fail "the entry has no $key"
done
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/pelorin.png"
  [ -f "$icon" ] || fail "no icon at ${size}x${size}"
  file -b "$icon" | grep -q "PNG image data, $size x $size" || fail "icon at ${size}x${size} is not a $size x $size PNG"
done
mime="$prefix/share/mime/packages/pelorin.xml"
[ -f "$mime" ] || fail "no MIME package"
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
grep -q 'application/x-icon-library' "$prefix/share/mime/globs2" || fail "the .icl type is not in the database"
[ -f "$prefix/share/doc/pelorin/copyright" ] || fail "no copyright file at share/doc/pelorin"
gzip -t "$prefix/share/doc/pelorin/changelog.gz" || fail "no changelog.gz at share/doc/pelorin"
gzip -t "$prefix/share/man/man1/pelorin.1.gz" || fail "no manual page at share/man/man1"
appstreamcli validate --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
thumbnailer="$prefix/bin/pelorin-thumbnailer"
[ -x "$thumbnailer" ] || fail "no thumbnailer at bin/pelorin-thumbnailer"
thumbnailer_entry="$prefix/share/thumbnailers/pelorin.thumbnailer"
[ -f "$thumbnailer_entry" ] || fail "no thumbnailer entry at share/thumbnailers/pelorin.thumbnailer"
grep -qx "TryExec=$thumbnailer" "$thumbnailer_entry" || fail "TryExec does not name $thumbnailer"
grep -qx "Exec=$thumbnailer -s %s %i %o" "$thumbnailer_entry" || fail "Exec does not name $thumbnailer"
grep -q '^MimeType=.*application/x-icon-library;' "$thumbnailer_entry" ||
  fail "the thumbnailer entry does not take icon libraries"
manual="$prefix/share/man/man1/pelorin-thumbnailer.1.gz"
[ -f "$manual" ] || fail "no manual page at share/man/man1/pelorin-thumbnailer.1.gz"
gzip -dc "$manual" | grep -q '^\.TH PELORIN-THUMBNAILER 1' || fail "the manual page is not one"
[ -x "$prefix/bin/pelorin-extract" ] || fail "no extractor at bin/pelorin-extract"
gzip -dc "$prefix/share/man/man1/pelorin-extract.1.gz" | grep -q '^\.TH PELORIN-EXTRACT 1' ||
  fail "no manual page at share/man/man1/pelorin-extract.1.gz"
echo "check-install: everything in place under $prefix"
