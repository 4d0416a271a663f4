#!/usr/bin/env bash
# Installs what is missing, builds Velmora (Release) and runs it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/cli/velmora-cli solve examples/clasico.xml
