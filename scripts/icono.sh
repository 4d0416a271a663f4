#!/usr/bin/env bash
# Redraws the application icon into packaging/icons (SVG and PNGs of 48, 128 and 256 px). The
# files are kept in the repository, so building the package never needs this.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build build/release --target velmora-icono >/dev/null
QT_QPA_PLATFORM=offscreen build/release/tools/velmora-icono packaging/icons \
    2> >(grep -v '^QStandardPaths: XDG_RUNTIME_DIR' >&2)
ls packaging/icons/velmora*
