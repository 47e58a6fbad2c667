#!/usr/bin/env bash
# Brings translations/quilvarden_es.ts up to date with the texts in src/: new texts come in
# unfinished (to be translated), texts no longer in the sources go. translations/README.md
# tells the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate="$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)"
"$lupdate" -locations none -no-obsolete -source-language gl_ES -target-language es_ES \
    src -ts translations/quilvarden_es.ts
