#!/usr/bin/env bash
# Fuzzes the puzzle reader, the text format readers and the collection reader (ASan + UBSan) for
# the given number of seconds in all (default 60): a third for the XML reader from
# tests/fuzz/corpus, the rest shared by the text formats and the collection lines ("lote"), each
# from tests/fuzz/corpus_<name>. New inputs go to a scratch folder;
# `--guardar` merges the ones that add coverage into the corpora, keeping them small.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
formatos=(clasico killercorto killerlargo fpuzzles enlacefpuzzles lote)
xml=$((segundos / 3))
cada=$(((segundos - xml) / ${#formatos[@]}))

# fuzz NAME SECONDS CORPUS [OPTIONS...]
fuzz() {
    local nombre=$1 tiempo=$2 corpus=$3
    shift 3
    local objetivo=build/fuzz/tests/fuzz/leer_${nombre}_fuzz
    mkdir -p "$trabajo/$nombre"
    # -max_total_time=0 would mean no limit.
    "$objetivo" "$@" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -max_total_time="$((tiempo > 0 ? tiempo : 1))" -print_final_stats=1 "$trabajo/$nombre" "$corpus"
    if [ "${guardar:-}" = --guardar ]; then
        "$objetivo" -merge=1 "$corpus" "$trabajo/$nombre"
    fi
}

guardar=${2:-}
fuzz puzzle "$xml" tests/fuzz/corpus -dict=tests/fuzz/xml.dict
for f in "${formatos[@]}"; do
    opciones=()
    [ -f "tests/fuzz/$f.dict" ] && opciones=(-dict="tests/fuzz/$f.dict")
    fuzz "$f" "$cada" "tests/fuzz/corpus_$f" "${opciones[@]}"
done
# The files kept between runs, briefly: their readers are small.
for f in sin_guardar ini partida; do
    fuzz "$f" "$((cada / 2))" "tests/fuzz/corpus_$f"
done
