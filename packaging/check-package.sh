#!/usr/bin/env bash
# check-package.sh BUILD_DIR: builds the Debian package from a finished build, unpacks it
# into a scratch root with dpkg -x and checks its tree and its dependencies.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
rm -f "$build"/dedadederaro_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/dedadederaro_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
bash "$here/check-tree.sh" "$root" /usr
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n; do
    grep -q "$package" <<<"$depends" || { echo "FAULT: $deb does not depend on $package" >&2; exit 1; }
done
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, version $(dpkg-deb -f "$deb" Version)"
