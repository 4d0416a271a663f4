#!/usr/bin/env bash
# Installs what is missing, builds Velmora (Release) and opens its window.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/app/velmora
