#!/usr/bin/env bash
# Builds the Debian package from a build folder (build/ci unless one is given, as test.sh left
# it) and checks what a person installing it gets: the file name and Depends line, the menu entry,
# the AppStream metadata and the manual pages, and an install into a scratch prefix, whose
# velmora-cli solves the installed examples and whose window starts.
#
#   scripts/paquete.sh [CARPETA_DE_COMPILACION]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/ci}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallo() {
    echo "paquete: $*" >&2
    exit 1
}

cmake --build "$build"
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fallo "cpack falló"; }
debs=("$build"/velmora_*.deb)
((${#debs[@]} == 1)) || fallo "se esperaba un solo paquete: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "velmora_${version}_$(dpkg --print-architecture).deb" ] ||
    fallo "nombre inesperado: $(basename "$deb")"

dpkg-deb --info "$deb" >"$tmp/info"
depends=$(grep '^ Depends:' "$tmp/info") || fallo "el paquete no tiene Depends"
for d in libqt6core6 libqt6gui6 libqt6widgets6 libc6 qt6-translations-l10n fonts-dejavu-core; do
    grep -qE "[ ,]$d( |,|$)" <<<"$depends" || fallo "falta $d en$depends"
done
grep -qx ' Section: games' "$tmp/info" || fallo "la sección no es games"
grep -q '^ Maintainer: .*<.*@.*>' "$tmp/info" || fallo "falta el mantenedor"

p="$tmp/prefijo"
cmake --install "$build" --prefix "$p" >/dev/null
# The package holds exactly what the install rules put in a prefix.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\/usr\//, "", $6); print $6}' | sort >"$tmp/deb"
(cd "$p" && find . -type f | sed 's|^\./||' | sort) >"$tmp/prefijo.txt"
diff -u "$tmp/deb" "$tmp/prefijo.txt" || fallo "el paquete y la instalación difieren"
for f in bin/velmora bin/velmora-cli share/applications/velmora.desktop \
    share/metainfo/velmora.metainfo.xml share/icons/hicolor/scalable/apps/velmora.svg \
    share/icons/hicolor/{48x48,128x128,256x256}/apps/velmora.png \
    share/man/man1/velmora-cli.1.gz share/man/man6/velmora.6.gz \
    share/doc/velmora/examples/{killer,killer_parcial,clasico}.xml share/doc/velmora/copyright; do
    [ -f "$p/$f" ] || fallo "no se instaló $f"
done

desktop-file-validate "$p/share/applications/velmora.desktop"
appstreamcli validate --no-net "$p/share/metainfo/velmora.metainfo.xml" >"$tmp/appstream" ||
    { cat "$tmp/appstream"; fallo "appstreamcli validate falló"; }
for m in man1/velmora-cli.1 man6/velmora.6; do
    avisos=$(zcat "$p/share/man/$m.gz" | LC_ALL=C.UTF-8 groff -K utf8 -man -ww -z 2>&1)
    [ -z "$avisos" ] || fallo "$m: $avisos"
done

# From a folder of its own, with a home of its own: nothing may come from the build or the
# source tree.
mkdir "$tmp/casa"
cd "$tmp"
for e in clasico:49523 killer:1367993; do
    salida=$(HOME="$tmp/casa" "$p/bin/velmora-cli" --quiet solve \
        "$p/share/doc/velmora/examples/${e%:*}.xml") || fallo "velmora-cli no resolvió ${e%:*}.xml"
    grep -qx "Movimientos: ${e#*:}" <<<"$salida" || fallo "${e%:*}.xml: $salida"
done
estado=0
HOME="$tmp/casa" QT_QPA_PLATFORM=offscreen timeout 3 "$p/bin/velmora" 2>"$tmp/ventana" || estado=$?
((estado == 124)) || { cat "$tmp/ventana"; fallo "la ventana instalada terminó con $estado"; }

echo "paquete: $(basename "$deb") correcto"
echo "$depends"
