#!/usr/bin/env bash
# The manual page names the same commands and options as `velmora-cli --help` prints: both
# lists are taken from their own text and compared, so that neither can fall behind.
#
#   tests/cli/manual_test.sh VELMORA_CLI PAGINA.1
set -euo pipefail
cli=$1
pagina=$2
ayuda=$("$cli" --help)

# The commands: in the usage lines, the first word after the program and its [options].
ordenes_ayuda=$(grep -E '^(Uso:)? +velmora-cli ' <<<"$ayuda" | sed -E 's/\[[^]]*\]//g' |
    awk '{for (i = 1; i < NF; ++i) if ($i == "velmora-cli") {print $(i + 1); break}}' |
    grep -v '^-' | sort -u)
# In the page: the first word of every entry (.TP) of the section ÓRDENES.
ordenes_pagina=$(awk '/^\.SH/ {dentro = ($2 == "ÓRDENES")} dentro && tp {print $2} {tp = /^\.TP/}' \
    "$pagina" | tr -d '"' | sort -u)
# The options: every long option either text names.
opciones_ayuda=$(grep -oE -- '--[a-z][a-z-]*' <<<"$ayuda" | sort -u)
# troff escapes a hyphen as \-, inside an option too.
opciones_pagina=$(grep -oE -- '\\-\\-[a-z]([a-z-]|\\-)*' "$pagina" | sed 's/\\//g' | sort -u)

fallo=0
comparar() {
    if [ "$2" != "$3" ]; then
        echo "$1 difieren entre --help (<) y $pagina (>):" >&2
        diff <(echo "$2") <(echo "$3") >&2 || true
        fallo=1
    fi
}
comparar órdenes "$ordenes_ayuda" "$ordenes_pagina"
comparar opciones "$opciones_ayuda" "$opciones_pagina"
if [ -z "$ordenes_ayuda" ] || [ -z "$opciones_ayuda" ]; then
    echo "no se leyó --help" >&2
    exit 1
fi
exit $fallo
