#!/usr/bin/env bash
# Installs what the project needs, from Debian 12's packages only, and no more than the
# task asks:
#   scripts/install-deps.sh build     build and run the program (scripts/run-demo.sh)
#   scripts/install-deps.sh package   and build and check its Debian package
#   scripts/install-deps.sh [test]    and run every test (scripts/test.sh; the default)
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

mode="${1:-test}"
usage="Usage: $0 [build|test|package]"

# build: what building the program and running it needs.
build=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
    # The register of several stations on a PostgreSQL server: Qt's driver, and libpq itself,
    # which reads a server's URI as it connects with it.
    libqt6sql6-psql libpq-dev
    # "Courier New" and "Verdana" resolve to these metric-compatible faces on Linux.
    fonts-liberation fonts-dejavu-core fontconfig
    # Meet programmes from Access (mdb-export) and zipped Lenex files.
    mdbtools libminizip-dev
    # Runs the window where there is no display.
    xvfb xauth
    # The live standings on the web: Qt HTTP Server (with Qt WebSockets, which it builds on)
    # and the QR code of the address.
    qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
    # The Spanish catalogue: Qt's CMake functions and lupdate/lrelease to build it; Qt's own
    # translations (Spanish, and the older Galician the program completes) at run time.
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
)
# package: the Debian package (scripts/package.sh) and its checks (scripts/check-package.sh).
packaging=(
    debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream
)
# test: the rest of what the tests, the fuzzing and the sanitizers need.
testing=(
    # libFuzzer and the sanitizers' runtime, for scripts/fuzz.sh.
    clang libclang-rt-14-dev
    # The PostgreSQL server, which the tests start in temporary folders of their own.
    postgresql
    # Tests make databases by hand with the SQLite shell, and check PDFs.
    sqlite3 poppler-utils
    # The live pages opened in a headless Chromium, their QR code read back with zbarimg.
    chromium zbar-tools
    # A comma-decimal locale, to show that the number rules ignore the machine's.
    locales
)

case "$mode" in
build) packages=("${build[@]}") ;;
package) packages=("${build[@]}" "${packaging[@]}") ;;
test) packages=("${build[@]}" "${packaging[@]}" "${testing[@]}") ;;
-h | --help)
    echo "$usage"
    echo "  build    building and running the program"
    echo "  package  building and checking the Debian package, too"
    echo "  test     everything the tests need, the package's checks among them (the default)"
    exit 0
    ;;
*)
    echo "$usage" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

if [ "$mode" = test ] && ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
    "${sudo[@]}" localedef -i es_ES -c -f UTF-8 es_ES.UTF-8
fi
