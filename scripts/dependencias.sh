#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build, test and run, if any is missing.
set -euo pipefail

paquetes=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev qt6-translations-l10n
    fonts-dejavu-core fonts-dejavu-extra clang libclang-rt-14-dev
    dpkg-dev file desktop-file-utils appstream groff-base)

faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
((${#faltan[@]})) || exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Instalando: ${faltan[*]}"
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${faltan[@]}"
