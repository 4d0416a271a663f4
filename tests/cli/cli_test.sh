#!/bin/sh
# velmora-cli end to end: output, messages on stderr and exit status.
# Usage: cli_test.sh VELMORA_CLI DATA_DIR
cli=$1
data=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallos=0

# expect NAME STATUS EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
expect() {
    nombre=$1 estado=$2 salida=$3 errores=$4
    shift 5
    "$cli" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
    obtenido=$?
    printf '%s' "$salida" >"$tmp/out.esperado"
    printf '%s' "$errores" >"$tmp/err.esperado"
    if [ "$obtenido" != "$estado" ] || ! cmp -s "$tmp/out" "$tmp/out.esperado" ||
        ! cmp -s "$tmp/err" "$tmp/err.esperado"; then
        echo "FALLO: $nombre (salida $obtenido, se esperaba $estado)"
        diff "$tmp/out.esperado" "$tmp/out"
        diff "$tmp/err.esperado" "$tmp/err"
        fallos=$((fallos + 1))
    fi
}

nl='
'
vacio="123456789
456789123
789123456
214365897
365897214
897214365
531642978
642978531
978531642
"
expect "rejilla vacía" 0 "${vacio}Movimientos: 701$nl" "" -- solve "$data/clasico_vacio.xml"
expect "rejilla llena" 0 "${vacio}Movimientos: 81$nl" "" -- --quiet solve "$data/clasico_lleno.xml"
expect "sin solución" 1 "12345678.
........9
.........
.........
.........
.........
.........
.........
.........
Movimientos: 17
" "Proceso Terminado: El sudoku, con las combinaciones de números propuestas, No tiene solución$nl" \
    -- solve "$data/clasico_sin_solucion.xml"

repetido="Número Repetido: El número 5 se encuentra repetido en la fila 1$nl"
expect "repetido al resolver" 2 "" "$repetido" -- solve "$data/clasico_repetido.xml"
expect "repetido al comprobar" 2 "" "$repetido" -- check "$data/clasico_repetido.xml"
expect "comprobar válido" 0 "" "" -- check "$data/clasico_176m.xml"
expect "segmento sin suma" 2 "" "Fallo en segmento 2: Todos los segmentos deben tener la suma total introducida$nl" \
    -- check "$data/killer_sin_suma.xml"

abrir="Estructura incorrecta: Se ha producido un error al intentar abrir el fichero. Asegúrese de que el fichero indicado contiene la estructura correcta.$nl"
expect "xml roto" 2 "" "$abrir" -- solve "$data/roto.xml"
expect "fila fuera de rango" 2 "" "$abrir" -- check "$data/killer_fila_mala.xml"
expect "fichero inexistente" 2 "" "$abrir" -- solve "$data/no-existe.xml"
expect "carpeta" 2 "" "$abrir" -- solve "$data"

# Any number of threads gives what one gives: output and status.
for f in clasico_vacio clasico_sin_solucion killer_bench; do
    "$cli" --jobs 1 solve "$data/$f.xml" >"$tmp/uno" 2>&1
    uno=$?
    for j in 2 3 8 ""; do
        "$cli" ${j:+--jobs "$j"} solve "$data/$f.xml" >"$tmp/varios" 2>&1
        varios=$?
        if [ "$varios" != "$uno" ] || ! cmp -s "$tmp/uno" "$tmp/varios"; then
            echo "FALLO: $f con --jobs ${j:-por omisión}"
            diff "$tmp/uno" "$tmp/varios"
            fallos=$((fallos + 1))
        fi
    done
done

for args in "" "solve" "check" "resolver $data/clasico_vacio.xml" "solve a b" "--rapido solve $data/clasico_vacio.xml" \
    "--jobs 0 solve $data/clasico_vacio.xml" "--jobs 1025 solve $data/clasico_vacio.xml" \
    "--jobs dos solve $data/clasico_vacio.xml" "--jobs -2 solve $data/clasico_vacio.xml" "solve $data/clasico_vacio.xml --jobs"; do
    # shellcheck disable=SC2086
    "$cli" $args >/dev/null 2>"$tmp/err"
    estado=$?
    if [ "$estado" != 64 ] || ! grep -q '^Uso: velmora-cli' "$tmp/err"; then
        echo "FALLO: uso incorrecto '$args' dio $estado"
        fallos=$((fallos + 1))
    fi
done
if ! "$cli" --help | grep -q 'check'; then
    echo "FALLO: --help"
    fallos=$((fallos + 1))
fi

[ "$fallos" -eq 0 ] && echo "cli: todo correcto"
exit "$fallos"
