#!/usr/bin/env bash
# Builds the Debian package of the program: build/package/quilvarden_VERSION_ARCH.deb.
# The sources (what git tracks, and new files it does not ignore) are copied to
# build/package/work and built there, so the checkout stays as it was.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" package

# The package's version is the program's: debian/changelog, CMake's project() and the
# AppStream description's latest release must agree.
version="$(dpkg-parsechangelog --file "$root/debian/changelog" --show-field Version)"
project_version="$(sed -n 's/^project(quilvarden VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
release="$(grep -o -m 1 '<release version="[^"]*"' "$root/dist/io.github.quilvarden.Quilvarden.metainfo.xml" | cut -d'"' -f2)"
if [ "$version" != "$project_version" ] || [ "$version" != "$release" ]; then
    echo "Versions differ: debian/changelog $version, CMakeLists.txt $project_version, metainfo $release" >&2
    exit 1
fi

out="$root/build/package"
work="$out/work"
rm -rf "$work"
rm -f "$out"/quilvarden_* "$out"/quilvarden-dbgsym_*
mkdir -p "$work"

(cd "$root" && git ls-files -z --cached --others --exclude-standard) |
    (cd "$root" && xargs -0 tar --create --no-recursion --ignore-failed-read --file=-) |
    tar --extract --directory="$work" --file=-

start=$(date +%s)
(cd "$work" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 || {
    tail -n 15 "$out/build.log" >&2
    echo "The package did not build: $out/build.log" >&2
    exit 1
}
echo "Built in $(($(date +%s) - start)) s (log: $out/build.log)" >&2

deb="$out/quilvarden_${version}_$(dpkg-architecture --query DEB_HOST_ARCH).deb"
if [ ! -f "$deb" ]; then
    echo "No package at $deb" >&2
    exit 1
fi
echo "$deb"
