#!/usr/bin/env bash
# Installs what is missing, builds Velmora with warnings as errors and runs every test; builds
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test there; builds the
# libraries below the window with ThreadSanitizer and runs their tests but the single-thread
# reference comparisons; then fuzzes the puzzle readers for a minute, starting from their
# corpora; then builds the Debian package from the first build and checks it and an install.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
for preset in ci asan tsan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
scripts/fuzz.sh 60
scripts/paquete.sh build/ci
