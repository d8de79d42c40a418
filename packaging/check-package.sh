#!/bin/sh
# check-package.sh FOLDER CONTENTS: checks the one Debian package in FOLDER.
# It must hold exactly the files and folders listed in CONTENTS, depend on
# what the programs need (the shared libraries' packages, found by
# dpkg-shlibdeps, and the two loaded at run time), log its own version in
# its change log, and pass lintian without an error.
set -eu
folder=$1
contents=$2

set -- "$folder"/pellamo_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "check-package: expected one pellamo_*.deb in $folder" >&2
  exit 1
fi
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Paths as dpkg-deb lists them ("./usr/bin/pellamo"), folders without "/".
dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^$' | sort > "$work/found"
grep -v '^#' "$contents" | grep -v '^$' | sort > "$work/wanted"
if ! diff -u "$work/wanted" "$work/found" > "$work/diff"; then
  echo "check-package: $deb holds other files than $contents lists (- missing, + not listed):" >&2
  grep '^[-+]/' "$work/diff" >&2
  exit 1
fi

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libc6 libx11-6 libpango-1.0-0 libmpv2 libcurl4; do
  if ! printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$needed\( \|$\)"; then
    echo "check-package: Depends lacks $needed: $depends" >&2
    exit 1
  fi
done

# The change log's latest entry is this version.
version=$(dpkg-deb --field "$deb" Version)
logged=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/pellamo/changelog.gz | gzip -dc |
  sed -n '1s/^pellamo (\([^)]*\)).*/\1/p')
if [ "$logged" != "$version" ]; then
  echo "check-package: the package is version $version, its change log's latest entry \"$logged\"" >&2
  exit 1
fi

lintian --fail-on error --tag-display-limit 0 "$deb"
echo "check-package: $deb is whole, its dependencies are there and lintian finds no error"
