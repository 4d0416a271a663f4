#!/usr/bin/env bash
# Draws the window offscreen into docs/screenshot.png: the Killer example, solved. Any
# arguments replace that content, e.g. scripts/captura.sh --normal --abrir examples/clasico.xml
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build build/release --target velmora-captura >/dev/null
mkdir -p docs
(($#)) || set -- --abrir examples/killer.xml --resolver
QT_QPA_PLATFORM=offscreen build/release/tools/velmora-captura docs/screenshot.png "$@" \
    2> >(grep -v -e '^QStandardPaths: XDG_RUNTIME_DIR' -e 'propagateSizeHints' >&2)
echo docs/screenshot.png
