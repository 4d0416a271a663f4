#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build, test and run, if any is missing, and the
# Spanish locale the tests also run under.
set -euo pipefail

paquetes=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev qt6-translations-l10n
    fonts-dejavu-core fonts-dejavu-extra clang libclang-rt-14-dev
    dpkg-dev file desktop-file-utils appstream groff-base locales tzdata)

faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if ((${#faltan[@]})); then
    echo "Instalando: ${faltan[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${faltan[@]}"
fi
if ! locale -a | grep -qiEx 'es_ES.utf-?8'; then
    "${sudo[@]}" sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'es_ES.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen
fi
