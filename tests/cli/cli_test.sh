#!/bin/sh
# velmora-cli end to end: output, messages on stderr and exit status.
# Usage: cli_test.sh VELMORA_CLI DATA_DIR
cli=$1
data=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallos=0
nl='
'

# falla MESSAGE: counts a failure.
falla() {
    echo "FALLO: $1"
    fallos=$((fallos + 1))
}

# expect NAME STATUS EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
expect() {
    nombre=$1 estado=$2
    printf '%s' "$3" >"$tmp/out.esperado"
    printf '%s' "$4" >"$tmp/err.esperado"
    shift 5
    "$cli" "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
    obtenido=$?
    if [ "$obtenido" != "$estado" ] || ! cmp -s "$tmp/out" "$tmp/out.esperado" ||
        ! cmp -s "$tmp/err" "$tmp/err.esperado"; then
        falla "$nombre (salida $obtenido, se esperaba $estado)"
        diff "$tmp/out.esperado" "$tmp/out"
        diff "$tmp/err.esperado" "$tmp/err"
    fi
}

vacio=$(printf '%s\n' 123456789 456789123 789123456 214365897 365897214 897214365 531642978 \
    642978531 978531642)
f=.........
expect "rejilla vacía" 0 "$vacio${nl}Movimientos: 701$nl" "" -- solve "$data/clasico_vacio.xml"
expect "rejilla llena" 0 "$vacio${nl}Movimientos: 81$nl" "" -- --quiet solve "$data/clasico_lleno.xml"
expect "sin solución" 1 "$(printf '%s\n' 12345678. ........9 $f $f $f $f $f $f $f)${nl}Movimientos: 17$nl" \
    "Proceso Terminado: El sudoku, con las combinaciones de números propuestas, No tiene solución$nl" \
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

for args in "" "solve" "check" "resolver $data/clasico_vacio.xml" "solve a b" "--rapido solve $data/clasico_vacio.xml"; do
    # shellcheck disable=SC2086
    "$cli" $args >/dev/null 2>"$tmp/err"
    estado=$?
    { [ "$estado" = 64 ] && grep -q '^Uso: velmora-cli' "$tmp/err"; } || falla "uso incorrecto '$args' dio $estado"
done

# The puzzle of 176,357,043 moves, on a terminal: the progress line is refreshed a few times a
# second while the search runs, and the grid is written at the end.
script -qec "'$cli' solve '$data/clasico_176m.xml' >'$tmp/out'" /dev/null >"$tmp/tty" </dev/null
lineas=$(grep -o 'Movimientos: [0-9,.]*  [0-9]* %' "$tmp/tty" | sort -u | wc -l)
[ "$lineas" -ge 2 ] || falla "la línea de progreso se refrescó $lineas veces"
printf '%s\n' 987654321 246173985 351928746 128537694 634892157 795461832 519286473 472319568 \
    863745219 "Movimientos: 176357043" >"$tmp/out.esperado"
cmp -s "$tmp/out" "$tmp/out.esperado" || falla "la solución de 176 millones de movimientos"

[ "$fallos" -eq 0 ] && echo "cli: todo correcto"
exit "$fallos"
