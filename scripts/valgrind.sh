#!/usr/bin/env bash
# Runs the scripted window session (velmora-sesion, offscreen) under valgrind's memcheck: any
# memory error or definitely lost block fails. Then starts and cancels the long puzzle CICLOS
# times (1000 unless given) without valgrind and prints the resident memory as it goes.
#
#   scripts/valgrind.sh [CICLOS]
set -euo pipefail
cd "$(dirname "$0")/.."
ciclos=${1:-1000}

if ! command -v valgrind >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends valgrind
fi
scripts/dependencias.sh

# Optimised as released, with debug information for readable reports.
cmake -S . -B build/valgrind -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_TESTS=OFF \
    -DVELMORA_BENCH=OFF >/dev/null
cmake --build build/valgrind --target velmora-sesion
sesion=build/valgrind/tools/velmora-sesion

export QT_QPA_PLATFORM=offscreen
sin_ruido() { grep -v -e '^QStandardPaths: XDG_RUNTIME_DIR' -e 'propagateSizeHints' >&2; }

memcheck=(valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite
    --error-exitcode=1 --num-callers=40)
# Only for errors inside system libraries, never for the project's own.
[ -s scripts/valgrind.supp ] && memcheck+=(--suppressions=scripts/valgrind.supp)

echo "== memcheck: sesión"
"${memcheck[@]}" "$sesion" 2> >(sin_ruido)
echo "== memcheck: 10 ciclos de resolver y cancelar"
"${memcheck[@]}" "$sesion" --ciclos 10 2> >(sin_ruido)
echo "== memoria residente en $ciclos ciclos"
"$sesion" --ciclos "$ciclos" 2> >(sin_ruido)
