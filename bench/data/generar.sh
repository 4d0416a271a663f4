#!/bin/sh
# Remakes the puzzle sets of velmora-bench-veredicto (about five minutes on one core).
# Usage: bench/data/generar.sh build/release/bench/velmora-generar-veredicto
set -e
g=$1
d=$(dirname "$0")
# Hard for the search: more than 50 million moves each (the note: its move count).
"$g" killer 40 101 --minimo 50000000 --tope 500000000 >"$d/killer_dificil.txt"
"$g" killer 100 102 --tope 20000000 >"$d/killer_generado.txt"
# Drawn in part: about as dense as examples/killer_parcial.xml.
"$g" killer 30 103 --jaulas 32 --parcial 5 --tope 20000000 >"$d/killer_parcial.txt"
# Sparser than drawn puzzles, for the figures only: three segments dropped from the Killers
# above, and as many as can go while the solution stays unique.
"$g" killer 30 106 --parcial 3 --tope 20000000 >"$d/killer_parcial_escaso.txt"
"$g" killer 10 104 --parcial 81 --tope 20000000 >"$d/killer_parcial_minimo.txt"
# Segments of six to nine cells among smaller ones.
"$g" killer 20 109 --tamano 9 --jaulas 13 --tope 2000000 >"$d/killer_seis_a_nueve.txt"
"$g" killer 10 110 --tamano 9 --jaulas 13 --tope 2000000 >>"$d/killer_seis_a_nueve.txt"
# Segments of four and five cells, no givens: sixteen of five and a single cell, and tilings
# with some four-cell segments. Then keep those that took the verdict of the time the most
# branches: velmora-bench-veredicto --conjunto killer_grandes.txt --detalle --tope 300000.
# (Slow: a unique tiling is rare; the file was made in about an hour of one core.)
# "$g" grandes 40 402 --intentos 100000 --cuatro 0 --tope 300000
# "$g" grandes 40 403 --intentos 100000 --cuatro 15 --tope 300000
# "$g" grandes 45 301 --intentos 800 --cuatro 40 --tope 300000
# Sixteen five-cell segments and one single cell, the shape of the hardest published Killers:
# of the 64 puzzles of these two runs (about 25 minutes of one core on a loaded machine; one
# tiling in 200 is unique), killer_dieciseis.txt keeps the 12 that took the verdict the most
# branches (velmora-bench-veredicto --conjunto killer_dieciseis.txt --detalle).
# "$g" grandes 40 1701 --intentos 100000 --cuatro 0 --tope 300000
# "$g" grandes 24 1702 --intentos 100000 --cuatro 0 --tope 300000
{
    cat "$d/clasico_conocidos.txt"
    "$g" clasico 60 105 --intentos 3000
} >"$d/clasico_dificil.txt"
# killer_solo.txt (velmora-bench-logica) is not made here: those are Killers from Simon Tatham's
# Solo generator, 20 per Solo level, with Solo's level as the note (its header says how).
