#!/usr/bin/env bash
# Checks the package that scripts/package.sh built: lintian, the desktop entry and the
# AppStream description, then installs it with apt (its dependencies come too) and runs the
# installed programs from /usr/bin. Removes it again unless it was installed before.
#   scripts/check-package.sh [build/package/quilvarden_VERSION_ARCH.deb]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
version="$(dpkg-parsechangelog --file "$root/debian/changelog" --show-field Version)"
deb="${1:-$root/build/package/quilvarden_${version}_$(dpkg --print-architecture).deb}"
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "No package: run scripts/package.sh first" >&2
    exit 1
fi
deb="$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
tmp="$(mktemp -d)"
installed_before=no
cleanup() {
    if [ "$installed_before" = no ] && dpkg-query -W -f='${Status}' quilvarden 2>/dev/null | grep -q 'ok installed'; then
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q quilvarden >/dev/null
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

step() { echo "== $*"; }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

step "lintian $(basename "$deb")"
# The .changes beside it covers the package and its build information.
lintian_target="$deb"
[ -f "${deb%.deb}.changes" ] && lintian_target="${deb%.deb}.changes"
# Errors fail the check; warnings are shown.
lintian --fail-on error --info "$lintian_target" || fail "lintian reports errors"

step "desktop entry and AppStream description, as packaged"
dpkg-deb --extract "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/io.github.quilvarden.Quilvarden.desktop"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/io.github.quilvarden.Quilvarden.metainfo.xml"

if dpkg-query -W -f='${Status}' quilvarden 2>/dev/null | grep -q 'ok installed'; then
    installed_before=yes
fi
step "apt-get install $(basename "$deb")"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "$deb" >"$tmp/apt.log" 2>&1 ||
    { cat "$tmp/apt.log" >&2; fail "the package does not install"; }

step "the installed programs"
# Nothing the programs remember goes to the real user's settings.
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$HOME"
unset QUILVARDEN_INSTALLED
version="$(dpkg-deb --field "$deb" Version)"
[ "$(/usr/bin/quilvarden --version)" = "quilvarden $version" ] || fail "quilvarden --version"
[ "$(/usr/bin/quilvarden-db --version)" = "quilvarden-db $version" ] || fail "quilvarden-db --version"
/usr/bin/quilvarden-db demo "$tmp/demo.MDB"
/usr/bin/quilvarden-db standings "$tmp/demo.MDB" --format html --output "$tmp/standings.html"
for heading in "Campionato de exemplo" "Clasificación Masculina" "Clasificación Feminina"; do
    grep -q "$heading" "$tmp/standings.html" || fail "the standings lack «$heading»"
done
# Every edition is headed by the meet it holds.
/usr/bin/quilvarden-db standings "$tmp/demo.MDB" --format json --output "$tmp/standings.json"
grep -q '"name": *"Campionato de exemplo"' "$tmp/standings.json" || fail "the JSON names no meet"
/usr/bin/quilvarden-db standings "$tmp/demo.MDB" --format pdf --output "$tmp/standings.pdf"
if command -v pdftotext >/dev/null; then
    pdftotext "$tmp/standings.pdf" - | grep -q "Campionato de exemplo" || fail "the PDF names no meet"
fi
QT_QPA_PLATFORM=offscreen /usr/bin/quilvarden --database "$tmp/demo.MDB" --screenshot "$tmp/w.png"
[ -s "$tmp/w.png" ] || fail "no picture of the window"
[ "$(head -c 8 "$tmp/w.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the picture is no PNG"

step "the installed files"
for file in /usr/share/man/man1/quilvarden.1.gz /usr/share/man/man1/quilvarden-db.1.gz \
    /usr/share/applications/io.github.quilvarden.Quilvarden.desktop \
    /usr/share/metainfo/io.github.quilvarden.Quilvarden.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/io.github.quilvarden.Quilvarden.svg \
    /usr/share/doc/quilvarden/copyright; do
    [ -s "$file" ] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -s "/usr/share/icons/hicolor/${size}x${size}/apps/io.github.quilvarden.Quilvarden.png" ] ||
        fail "missing the ${size}x${size} icon"
done
man --warnings -l /usr/share/man/man1/quilvarden.1.gz >/dev/null 2>"$tmp/man.log"
man --warnings -l /usr/share/man/man1/quilvarden-db.1.gz >/dev/null 2>>"$tmp/man.log"
[ ! -s "$tmp/man.log" ] || { cat "$tmp/man.log" >&2; fail "the manual pages have warnings"; }

echo "The package is good: $deb ($(du -k "$deb" | cut -f1) KiB)"
