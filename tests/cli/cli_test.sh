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

# usa_mal PREFIX ARGS...: each ARGS string is a misuse: status 64, the usage text starting with
# PREFIX on stderr, and no image written.
usa_mal() {
    prefijo=$1
    shift
    for args in "$@"; do
        rm -f "$tmp/r.png"
        # shellcheck disable=SC2086
        "$cli" $args >/dev/null 2>"$tmp/err"
        estado=$?
        { [ "$estado" = 64 ] && grep -q "^$prefijo" "$tmp/err" && [ ! -e "$tmp/r.png" ]; } ||
            falla "uso incorrecto '$args' dio $estado"
    done
}

# expect NAME STATUS EXPECTED_STDOUT EXPECTED_STDERR -- ARGS...
# Standard input comes from the file $entrada when set.
expect() {
    nombre=$1 estado=$2
    printf '%s' "$3" >"$tmp/out.esperado"
    printf '%s' "$4" >"$tmp/err.esperado"
    shift 5
    "$cli" "$@" >"$tmp/out" 2>"$tmp/err" <"${entrada:-/dev/null}"
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
expect "comprobar válido" 0 "" "" -- check "$data/clasico_176m.xml"
expect "segmento sin suma" 2 "" "Fallo en segmento 2: Todos los segmentos deben tener la suma total introducida$nl" \
    -- check "$data/killer_sin_suma.xml"

abrir="Estructura incorrecta: Se ha producido un error al intentar abrir el fichero. Asegúrese de que el fichero indicado contiene la estructura correcta.$nl"
expect "fila fuera de rango" 2 "" "$abrir" -- check "$data/killer_fila_mala.xml"
expect "fichero inexistente" 2 "" "$abrir" -- solve "$data/no-existe.xml"
expect "carpeta" 2 "" "$abrir" -- solve "$data"

# render: the format from the extension; a file only on success.
ejemplos=$(dirname "$0")/../../examples
expect "render png" 0 "" "" -- render "$ejemplos/killer.xml" "$tmp/k.png"
expect "render pdf" 0 "" "" -- render --solucion "$ejemplos/killer.xml" "$tmp/k.pdf"
expect "render svg" 0 "" "" -- render "$ejemplos/clasico.xml" "$tmp/c.SVG" --tamano 300
expect "render tamaño" 0 "" "" -- render --tamano=450 "$data/clasico_sin_solucion.xml" "$tmp/v.png"
# The PNGs' widths and heights, from their headers.
lados=$(for f in "$tmp/k.png" "$tmp/v.png"; do od -An -tu1 -j16 -N8 "$f"; done |
    awk '{ printf "%d %d ", $3 * 256 + $4, $7 * 256 + $8 }')
{ [ "$lados" = "900 900 450 450 " ] && [ "$(head -c 5 "$tmp/k.pdf")" = "%PDF-" ] &&
    grep -q 'viewBox="0 0 300 300"' "$tmp/c.SVG"; } || falla "ficheros de render ($lados)"
expect "render sin solución" 1 "" \
    "Proceso Terminado: El sudoku, con las combinaciones de números propuestas, No tiene solución$nl" \
    -- render --solucion "$data/clasico_sin_solucion.xml" "$tmp/r.png"
expect "render sin carpeta" 2 "" "Exportar imagen: No se ha podido escribir la imagen. Asegúrese de que la carpeta existe y de que se puede escribir en ella.$nl" \
    -- render "$ejemplos/killer.xml" "$tmp/no-existe/k.png"
# Every command refuses a puzzle that fails its check and a file it cannot open alike; "@" stands
# for the file.
for orden in "solve @" "check @" "unique @" "rate @" "steps --json @" "convert --to fpuzzles @" \
    "render @ $tmp/r.png"; do
    # shellcheck disable=SC2086
    expect "$orden repetido" 2 "" "$repetido" -- ${orden%@*}"$data/clasico_repetido.xml"${orden#*@}
    # shellcheck disable=SC2086
    expect "$orden xml roto" 2 "" "$abrir" -- ${orden%@*}"$data/roto.xml"${orden#*@}
done
[ ! -e "$tmp/r.png" ] || falla "render escribió un fichero tras un error"

v="$data/clasico_vacio.xml"
usa_mal "Uso: velmora-cli" "render $v" "render $v $tmp/r.jpg" "render --tamano 99 $v $tmp/r.png" \
    "render --tamano=4001 $v $tmp/r.png" "render -x $v $tmp/r.png" "" "solve" "check" "unique" \
    "unique a b" "resolver $v" "solve a b" "--rapido solve $v" "--jobs 0 solve $v" \
    "--jobs 1025 solve $v" "--jobs dos solve $v" "--jobs -2 solve $v" "solve $v --jobs" "steps" \
    "rate" "rate a b" "steps --rapido $v"

# unique: the verdict, the solution or two of them, and its exit status.
expect "única" 0 "Soluciones: 1
549271368
783645921
612839574
874326195
135794682
926158437
258913746
361487259
497562813
" "" -- unique "$data/killer_bench.xml"
expect "ninguna" 1 "Soluciones: 0$nl" "" -- unique "$data/clasico_sin_solucion.xml"
"$cli" unique "$data/clasico_vacio.xml" >"$tmp/out" 2>"$tmp/err"
estado=$?
# Two full grids that differ, with one blank line between them.
primera=$(sed -n 2,10p "$tmp/out")
segunda=$(sed -n 12,20p "$tmp/out")
if [ "$estado" != 3 ] || [ "$(sed -n 1p "$tmp/out")" != "Soluciones: 2 o más" ] ||
    [ "$(wc -l <"$tmp/out")" != 20 ] || [ -n "$(sed -n 11p "$tmp/out")" ] ||
    [ "$primera" = "$segunda" ] || grep -q '\.' "$tmp/out" || [ -s "$tmp/err" ]; then
    falla "varias soluciones (salida $estado)"
    cat "$tmp/out"
fi

# steps, rate: the step path and its grade; only a puzzle with one solution is graded.
"$cli" steps "$data/killer_bench.xml" >"$tmp/out" 2>"$tmp/err"
estado=$?
ultima=$(tail -n 1 "$tmp/out")
if [ "$estado" != 0 ] || [ -s "$tmp/err" ] || [ "$(head -c 3 "$tmp/out")" != "1. " ] ||
    ! grep -q '^[0-9]*\. .*: F[1-9]C[1-9] = [1-9]' "$tmp/out" ||
    ! printf '%s' "$ultima" | grep -q '^Dificultad: .* (puntuación [0-9]*)$'; then
    falla "steps (salida $estado)"
    cat "$tmp/out" "$tmp/err"
fi
"$cli" rate "$data/killer_bench.xml" >"$tmp/rate" 2>"$tmp/err"
{ [ $? = 0 ] && [ "$(head -n 1 "$tmp/rate")" = "$ultima" ] && [ "$(wc -l <"$tmp/rate")" = 2 ] &&
    grep -q '^Técnica más difícil: ' "$tmp/rate"; } || falla "rate repite la dificultad de steps"
"$cli" steps --json "$data/killer_bench.xml" >"$tmp/json" 2>"$tmp/err"
{ [ $? = 0 ] && [ "$(wc -l <"$tmp/json")" = "$(wc -l <"$tmp/out")" ] &&
    head -n 1 "$tmp/json" | grep -q '^{"paso":1,"tecnica":"' &&
    tail -n 1 "$tmp/json" | grep -q '^{"dificultad":".*","puntuacion":[0-9]*,.*"resuelto":true}$'; } ||
    falla "steps --json"
"$cli" rate --json "$data/killer_bench.xml" >"$tmp/json" 2>"$tmp/err"
{ [ $? = 0 ] && [ "$(wc -l <"$tmp/json")" = 1 ] && grep -q '^{"dificultad":' "$tmp/json"; } ||
    falla "rate --json"
expect "calificar sin solución" 1 "" "Calificación: El sudoku no tiene solución; no se puede calificar.$nl" \
    -- rate "$data/clasico_sin_solucion.xml"
expect "calificar varias" 3 "" "Calificación: El sudoku tiene más de una solución; solo se califica un sudoku con una solución única.$nl" \
    -- steps "$data/clasico_vacio.xml"
# Each command and option named in the help: "ARGS... WORD" looks for WORD in the help of ARGS.
for caso in "--help check" "--help unique" "--help convert" "--help --batch" "--help --max-moves" \
    "--help --from" "render --help --solucion" "convert --help fpuzzles-url" "convert --help --from"; do
    # shellcheck disable=SC2086
    "$cli" ${caso% *} | grep -q -- "${caso##* }" || falla "ayuda: $caso"
done

# The puzzle of 176,357,043 moves, on a terminal: the progress line is refreshed a few times a
# second while the search runs, and the grid is written at the end.
script -qec "'$cli' solve '$data/clasico_176m.xml' >'$tmp/out'" /dev/null >"$tmp/tty" </dev/null
lineas=$(grep -o 'Movimientos: [0-9,.]*' "$tmp/tty" | sort -u | wc -l)
[ "$lineas" -ge 2 ] || falla "la línea de progreso se refrescó $lineas veces"
printf '%s\n' 987654321 246173985 351928746 128537694 634892157 795461832 519286473 472319568 \
    863745219 "Movimientos: 176357043" >"$tmp/out.esperado"
cmp -s "$tmp/out" "$tmp/out.esperado" || falla "la solución de 176 millones de movimientos"

# unique on a terminal: the branch count on stderr while the verdict runs, gone at the end;
# nothing of it with --quiet or off a terminal.
script -qec "'$cli' unique '$ejemplos/killer.xml' >'$tmp/out'" /dev/null >"$tmp/tty" </dev/null
grep -q 'Comprobando… [0-9,.]* ramas' "$tmp/tty" || falla "unique no mostró las ramas"
head -1 "$tmp/out" | grep -qx 'Soluciones: 1' || falla "unique en un terminal: $(head -1 "$tmp/out")"
script -qec "'$cli' --quiet unique '$ejemplos/killer.xml' >/dev/null" /dev/null >"$tmp/tty" </dev/null
! grep -q 'Comprobando' "$tmp/tty" || falla "unique --quiet mostró las ramas"

# convert: the puzzle of clasico_176m.xml as a classic line, nine cells to a source line
linea176=".........\
.....3.85\
..1.2....\
...5.7...\
..4...1..\
.9.......\
5......73\
..2.1....\
....4...9"
expect "convertir a línea clásica" 0 "$linea176$nl" "" -- convert --to classic "$data/clasico_176m.xml"
printf '  %s\n' "$linea176" >"$tmp/linea.txt"
entrada="$tmp/linea.txt" expect "convertir desde la entrada estándar" 0 "$(cat "$data/clasico_176m.xml")$nl" "" \
    -- convert -
expect "convertir a fichero" 0 "" "" -- convert --to=classic "$data/clasico_176m.xml" "$tmp/salida.txt"
[ "$(cat "$tmp/salida.txt")" = "$linea176" ] || falla "convertir a fichero: $(cat "$tmp/salida.txt")"
for formato in killer-short killer-long fpuzzles fpuzzles-url xml; do
    "$cli" convert --to "$formato" "$data/killer_bench.xml" "$tmp/$formato.txt"
    entrada="$tmp/$formato.txt" expect "ida y vuelta por $formato" 0 "$(cat "$data/killer_bench.xml")$nl" "" \
        -- convert -
done
expect "killer a línea clásica" 2 "" "Formato no adecuado: Un sudoku Killer no se puede escribir como línea clásica: solo lleva cifras dadas.$nl" \
    -- convert --to classic "$data/killer_bench.xml"
expect "convertir fichero inexistente" 2 "" "$abrir" -- convert "$data/no-existe.txt"
printf '3x3:d:k:0\n' >"$tmp/diagonal.txt"
expect "convertir a carpeta inexistente" 2 "" "Estructura incorrecta: Se ha producido un error al intentar guardar el fichero. Asegúrese de introducir correctamente el nombre del fichero.$nl" \
    -- convert "$data/clasico_176m.xml" "$tmp/no-existe/salida.xml"
usa_mal "Uso: velmora-cli convert" "convert" "convert --to" "convert --rapido $v" "convert a b c" \
    "convert --to killer $data/clasico_176m.xml"

# Every command reads every format, from a file or from standard input, and answers as for the
# XML file.
for puzzle in "$ejemplos/killer.xml" "$ejemplos/clasico.xml"; do
    for formato in xml classic killer-short killer-long fpuzzles fpuzzles-url; do
        "$cli" convert --to "$formato" "$puzzle" "$tmp/texto" 2>/dev/null || continue
        for orden in check unique solve; do
            "$cli" "$orden" "$puzzle" >"$tmp/xml.out" 2>&1
            esperado=$?
            "$cli" "$orden" "$tmp/texto" >"$tmp/texto.out" 2>&1
            desde_fichero=$?
            "$cli" "$orden" - <"$tmp/texto" >"$tmp/entrada.out" 2>&1
            desde_entrada=$?
            "$cli" --from "$formato" "$orden" "$tmp/texto" >"$tmp/forzado.out" 2>&1
            forzado=$?
            if [ "$desde_fichero $desde_entrada $forzado" != "$esperado $esperado $esperado" ] ||
                ! cmp -s "$tmp/xml.out" "$tmp/texto.out" || ! cmp -s "$tmp/xml.out" "$tmp/entrada.out" ||
                ! cmp -s "$tmp/xml.out" "$tmp/forzado.out"; then
                falla "$orden de $(basename "$puzzle") en $formato"
                diff "$tmp/xml.out" "$tmp/texto.out"
            fi
        done
        rm -f "$tmp/r.png"
        { "$cli" render "$tmp/texto" "$tmp/r.png" && [ -s "$tmp/r.png" ] &&
            "$cli" render --from="$formato" - "$tmp/r.svg" <"$tmp/texto" && [ -s "$tmp/r.svg" ]; } ||
            falla "render de $(basename "$puzzle") en $formato"
    done
done
largo=$("$cli" convert --to killer-long "$ejemplos/killer.xml")
case $largo in 3x3::k:*:) ;; *) falla "la cadena Killer larga no acaba en ':' ($largo)" ;; esac
printf '%s\n' "$largo" | sed 's/:$//' >"$tmp/sin_dos_puntos.txt"
expect "cadena larga sin ':' final" 0 "$largo$nl" "" -- convert --to killer-long "$tmp/sin_dos_puntos.txt"
expect "--from xml de un texto" 2 "" "$abrir" -- unique "$tmp/diagonal.txt" --from=xml
expect "--from contra el contenido" 2 "" "Texto no válido: La cadena Killer larga debe empezar por «3x3:».$nl" \
    -- solve --from killer-long "$ejemplos/clasico.xml"

# 81 digits are a classic line unless --from says they are a Killer short string of one-cell
# cages.
unas="$(printf '%080d' 0)5"
printf '%s\n' "$unas" >"$tmp/unas.txt"
expect "ambigua como clásica" 0 "$(printf '.%.0s' $(seq 80))5$nl" "" -- convert --to classic "$tmp/unas.txt"
expect "ambigua como killer" 0 "3x3::k:$(printf '0:%.0s' $(seq 80))1281:$nl" "" \
    -- convert --from killer-short --to killer-long "$tmp/unas.txt"
entrada="$tmp/unas.txt" expect "ambigua en lote" 0 "1		válido	killer$nl" "" -- check --batch --from killer-short -

# A Killer's given digit outside every cage is a one-cell cage, said on stderr.
grid='[[{"value":5,"given":true},{},{},{},{},{},{},{},{}]'
for _ in 2 3 4 5 6 7 8 9; do grid="$grid,[{},{},{},{},{},{},{},{},{}]"; done
printf '{"size":9,"grid":%s],"killercage":[{"cells":["R1C2","R1C3"],"value":"3"}],"disabledlogic":["x"],"truecandidatesoptions":["y"]}\n' "$grid" >"$tmp/dada.json"
expect "cifra dada en un killer" 0 "3x3::k:1281:770:770:$(printf '0:%.0s' $(seq 78))$nl" \
    "Cifras dadas en un Killer: Las cifras dadas fuera de los segmentos se leen como segmentos de una casilla con esa suma: R1C1.$nl" \
    -- convert --to killer-long "$tmp/dada.json"

# Collections: one result line per puzzle, in order, with the line's number and label; blank
# and '#' lines skipped; a refused line says why and the run goes on, ending with status 2.
clasica=$(sed -n 2p "$(dirname "$0")/../../bench/data/clasico_dificil.txt" | cut -d' ' -f1)
{
    echo "# una colección"
    echo "$clasica  inkala 2012 "
    echo
    echo "xyz mala"
    "$cli" convert --to killer-short "$ejemplos/killer.xml" | sed 's/$/ corta/'
    "$cli" convert --to fpuzzles "$ejemplos/killer.xml" | sed 's/$/	json/'
    "$cli" convert --to fpuzzles-url "$ejemplos/clasico.xml"
    tr -d '\r\n' <"$data/clasico_repetido.xml"
    echo " xml repetido"
    echo "$largo"
} >"$tmp/coleccion.txt"
solucion_inkala=812753649943682175675491283154237896369845721287169534521974368438526917796318452
solucion_killer=$("$cli" solve "$ejemplos/killer.xml" | head -9 | tr -d '\n')
solucion_clasico=$("$cli" solve "$ejemplos/clasico.xml" | head -9 | tr -d '\n')
mala="rechazado	Texto no válido: Carácter no válido «x» en la posición 1."
expect "lote check" 2 "2	inkala 2012	válido	clásico
4	mala	$mala
5	corta	válido	killer
6	json	válido	killer
7		válido	clásico
8	xml repetido	rechazado	${repetido%"$nl"}
9		válido	killer
" "" -- check --batch "$tmp/coleccion.txt"
expect "lote unique" 2 "2	inkala 2012	única	1	$solucion_inkala	
4	mala	$mala
5	corta	única	1	$solucion_killer	
6	json	única	1	$solucion_killer	
7		única	1	$solucion_clasico	
8	xml repetido	rechazado	${repetido%"$nl"}
9		única	1	$solucion_killer	
" "" -- --batch unique "$tmp/coleccion.txt"
# Any number of threads gives what one gives, output and status: one puzzle and collections.
c="$tmp/coleccion.txt"
for args in "solve $data/clasico_vacio.xml" "solve $data/clasico_sin_solucion.xml" \
    "solve $data/killer_bench.xml" "unique --batch $c" "check --batch --json $c" \
    "solve --batch --max-moves 20000 $c" "unique --batch --json $c"; do
    # shellcheck disable=SC2086
    "$cli" --jobs 1 $args >"$tmp/uno" 2>&1
    uno=$?
    for j in 2 3 8 ""; do
        # shellcheck disable=SC2086
        "$cli" ${j:+--jobs "$j"} $args >"$tmp/varios" 2>&1
        [ $? = "$uno" ] && cmp -s "$tmp/uno" "$tmp/varios" || falla "$args con --jobs ${j:-por omisión}"
    done
done
# JSON Lines that parse, one object per puzzle, with the fields of each command.
for orden in check unique "solve --max-moves 5000"; do
    # shellcheck disable=SC2086
    "$cli" $orden --batch --json "$tmp/coleccion.txt" 2>/dev/null |
        python3 -c 'import json, sys
o = [json.loads(l) for l in sys.stdin]
assert [x["linea"] for x in o] == [2, 4, 5, 6, 7, 8, 9] and o[0]["etiqueta"] == "inkala 2012", o
assert o[1]["estado"] == "rechazado" and o[1]["mensaje"].startswith("Texto no válido: "), o
' 2>"$tmp/err" || { falla "JSON Lines de $orden"; cat "$tmp/err"; }
done
# --max-moves stops a line at the first digit placed once that many moves are counted.
printf '%s 176m\n' "$linea176" >"$tmp/176m.txt"
"$cli" solve --batch --max-moves 1000 "$tmp/176m.txt" >"$tmp/out"
estado=$?
if [ "$estado" != 0 ] || ! awk -F'\t' '$1 == 1 && $2 == "176m" && $3 == "detenido" &&
    $4 >= 1000 && $4 < 1100 && length($5) == 81 { ok = 1 } END { exit !ok }' "$tmp/out"; then
    falla "--max-moves"
    cat "$tmp/out"
fi
"$cli" convert --to classic "$data/clasico_sin_solucion.xml" "$tmp/sin_solucion.txt"
expect "lote sin solución" 0 "1		sin solución	17	12345678.........9...............................................................$nl" "" \
    -- solve --batch "$tmp/sin_solucion.txt"
expect "lote fichero inexistente" 2 "" "$abrir" -- check --batch "$tmp/no-existe.txt"
expect "lote carpeta" 2 "" "$abrir" -- check --batch "$tmp"
usa_mal "Uso: velmora-cli" "--json check $c" "--max-moves 5 solve $c" "--batch --max-moves 5 unique $c" \
    "--batch --max-moves 0 solve $c" "--batch --max-moves x solve $c" "--batch convertir $c" \
    "--batch check" "--batch --from nada check $c" "--from check $c" "--batch --jobs 0 check $c"

# On a terminal, a progress line with the count, the rate and, for a file, the time left; the
# results still go to stdout whole.
yes "$clasica" | head -n 200000 >"$tmp/muchas.txt"
script -qec "'$cli' check --batch '$tmp/muchas.txt' >'$tmp/out'" /dev/null >"$tmp/tty" </dev/null
grep -q 'sudokus · [0-9]* por segundo · quedan [0-9]' "$tmp/tty" || falla "la barra de progreso no se mostró"
[ "$(wc -l <"$tmp/out")" = 200000 ] || falla "la salida con la barra de progreso"
script -qec "'$cli' --quiet check --batch '$tmp/muchas.txt' >/dev/null" /dev/null >"$tmp/tty" </dev/null
grep -q 'sudokus' "$tmp/tty" && falla "--quiet mostró la barra de progreso"

# generate: a function of the seed; each puzzle unique and at the level asked, as `rate` says.
"$cli" generate --seed 7 --level 2 --count 3 --to killer-long >"$tmp/g1.txt" 2>"$tmp/err" || falla "generar killer"
"$cli" generate --seed 7 --level moderado --count 3 --to killer-long --jobs 2 >"$tmp/g2.txt" 2>/dev/null
cmp -s "$tmp/g1.txt" "$tmp/g2.txt" || falla "generar: la misma semilla con 2 hilos da otros sudokus"
[ "$(wc -l <"$tmp/g1.txt")" -eq 3 ] || falla "generar: no escribe un sudoku por línea"
[ -s "$tmp/err" ] && falla "generar con semilla escribe en la salida de errores: $(cat "$tmp/err")"
"$cli" generate --killer --seed 11 --level 3 "$tmp/g.xml" || falla "generar a fichero"
"$cli" rate "$tmp/g.xml" | grep -q '^Dificultad: Difícil ' || falla "generar: el nivel no es Difícil"
"$cli" unique "$tmp/g.xml" | grep -q '^Soluciones: 1$' || falla "generar: no tiene una sola solución"
"$cli" generate --classic --seed 3 --level 1 --to classic --no-symmetry >"$tmp/c.txt" || falla "generar clásico"
"$cli" convert "$tmp/c.txt" "$tmp/c.xml" && "$cli" rate "$tmp/c.xml" | grep -q '^Dificultad: Fácil ' ||
    falla "generar clásico: el nivel no es Fácil"
"$cli" generate --seed 5 >"$tmp/g.xml" 2>/dev/null && grep -q SUDOKU "$tmp/g.xml" ||
    falla "generar: XML por omisión"
"$cli" generate --classic --seed 1 --level 6 >/dev/null 2>"$tmp/err"
estado=$?
if [ "$estado" != 2 ] || ! grep -q '^Generar: No se ha podido generar un sudoku de nivel «Prueba y error»' "$tmp/err"; then
    falla "generar un nivel inalcanzable dio $estado: $(cat "$tmp/err")"
fi
usa_mal "Uso: velmora-cli" "generate --level 7" "generate --level" "generate --seed x" \
    "generate --count 2" "generate --count 0 --to classic" "generate --to nada" "generate --jobs 0" \
    "generate a b" "generate --rapido"

[ "$fallos" -eq 0 ] && echo "cli: todo correcto"
exit "$fallos"
