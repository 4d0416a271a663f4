#!/usr/bin/env bash
# Runs the short test suite of the sanitizer build once more as a user elsewhere would: with the
# Spanish locale, a time zone far from UTC (+12:45/+13:45), and, when run as root, as an ordinary
# user, so that the program's folder really cannot be written.
#
#   scripts/variantes.sh
set -euo pipefail
cd "$(dirname "$0")/.."
entorno=(LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 TZ=Pacific/Chatham)
if [ "$(id -u)" -ne 0 ]; then
    env "${entorno[@]}" ctest --preset corto
    exit 0
fi

usuario=velmora-pruebas
id "$usuario" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$usuario"
casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT
chown "$usuario" "$casa"
# The user reads the tree and writes only ctest's own records and its temporary folders.
dir=$PWD
while [ "$dir" != / ]; do
    runuser -u "$usuario" -- test -x "$dir" || chmod o+x "$dir"
    dir=$(dirname "$dir")
done
chmod -R o+rX .
mkdir -p build/asan/Testing
chmod -R o+rwX build/asan/Testing
runuser -u "$usuario" -- env HOME="$casa" TMPDIR="$casa" XDG_RUNTIME_DIR="$casa" "${entorno[@]}" \
    ctest --preset corto
