#!/usr/bin/env bash
# Draws the window offscreen into docs/screenshot.png: the Killer example, solved. Any
# arguments replace that content, e.g. scripts/captura.sh --normal --abrir examples/clasico.xml;
# `-o FICHERO` first writes elsewhere, e.g. scripts/captura.sh -o docs/manual.png --manual
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build build/release --target velmora-captura >/dev/null
mkdir -p docs
salida=docs/screenshot.png
if [ "${1:-}" = -o ]; then
    salida=$2
    shift 2
fi
(($#)) || set -- --abrir examples/killer.xml --resolver
QT_QPA_PLATFORM=offscreen build/release/tools/velmora-captura "$salida" "$@" \
    2> >(grep -v -e '^QStandardPaths: XDG_RUNTIME_DIR' -e 'propagateSizeHints' >&2)
echo "$salida"
