#!/usr/bin/env bash
# Installs what is missing and runs every check, as CI does:
# - one full build with warnings as errors, AddressSanitizer and UndefinedBehaviorSanitizer
#   (tests, benchmarks and tools included), and the whole test suite on it;
# - the short suite again with the Spanish locale, a far time zone and, as root, an ordinary user;
# - the libraries below the window and their tests with ThreadSanitizer, less the long
#   single-thread comparisons the sanitizer build already ran;
# - a minute of fuzzing the readers, from their corpora;
# - a Release build of what the package holds, the Debian package, and checks of it and of an
#   install.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
paso() {
    echo "== $1 ($((SECONDS / 60)) min $((SECONDS % 60)) s)"
}
paso "asan"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
paso "variantes"
scripts/variantes.sh
paso "tsan"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
paso "fuzz"
scripts/fuzz.sh 60
paso "paquete"
cmake --preset ci >/dev/null
scripts/paquete.sh build/ci
paso "fin"
