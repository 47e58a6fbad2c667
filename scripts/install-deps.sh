#!/usr/bin/env bash
# Installs what the project needs to build, run and test, from Debian 12's packages only.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    # libFuzzer and the sanitizers' runtime, for scripts/fuzz.sh.
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
    # The register of several stations on a PostgreSQL server: Qt's driver, and the server
    # itself, which the tests start in temporary folders of their own.
    libqt6sql6-psql postgresql
    # libpq itself, which reads a server's URI as it connects with it.
    libpq-dev
    # "Courier New" and "Verdana" resolve to these metric-compatible faces on Linux.
    fonts-liberation fonts-dejavu-core fontconfig
    # Tests make databases by hand with the SQLite shell.
    sqlite3
    # Meet programmes from Access (mdb-export) and zipped Lenex files; PDF checks in tests.
    mdbtools libminizip-dev poppler-utils
    # Runs the window where there is no display.
    xvfb xauth
    # The live standings on the web: Qt HTTP Server (with Qt WebSockets, which it builds on)
    # and the QR code of the address; the tests open the pages in a headless Chromium and
    # read the QR code back with zbarimg.
    qt6-httpserver-dev qt6-websockets-dev libqrencode-dev chromium zbar-tools
    # The Spanish catalogue: Qt's CMake functions and lupdate/lrelease to build it; Qt's own
    # translations (Spanish, and the older Galician the program completes) at run time.
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    # A comma-decimal locale, to show that the number rules ignore the machine's.
    locales
)

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

if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
    "${sudo[@]}" localedef -i es_ES -c -f UTF-8 es_ES.UTF-8
fi
