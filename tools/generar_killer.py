#!/usr/bin/env python3
"""Makes Killer puzzles that keep velmora's search busy for a chosen number of moves.

Each candidate is a random solved grid cut into connected cages of 1 to 5 cells with distinct
digits, covering all 81 cells in at most 39 cages. velmora-cli solves it (with a time limit) and
reports its move count; candidates inside the wanted range are checked for a unique solution and
the first unique one (or, failing that, the first one in range) is written as a puzzle file.

    tools/generar_killer.py --cli build/release/cli/velmora-cli --salida tests/data/killer_bench.xml

tests/data/killer_bench.xml is the puzzle of `--semilla 3 --minimo 20000000` (attempt 294).
"""

import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

SEGMENTOS = 39
VECINOS = [
    [9 * (f + df) + c + dc for df, dc in ((-1, 0), (1, 0), (0, -1), (0, 1))
     if 0 <= f + df < 9 and 0 <= c + dc < 9]
    for f in range(9) for c in range(9)
]
LINEAS = [(k // 9, 9 + k % 9, 18 + 3 * (k // 27) + (k % 9) // 3) for k in range(81)]


def rejilla_resuelta(azar):
    rejilla = [0] * 81
    usado = [0] * 27

    def llenar(k):
        if k == 81:
            return True
        lineas = LINEAS[k]
        digitos = list(range(1, 10))
        azar.shuffle(digitos)
        for d in digitos:
            bit = 1 << d
            if any(usado[l] & bit for l in lineas):
                continue
            for l in lineas:
                usado[l] |= bit
            rejilla[k] = d
            if llenar(k + 1):
                return True
            for l in lineas:
                usado[l] &= ~bit
        return False

    llenar(0)
    return rejilla


def jaulas(rejilla, azar, maxima):
    """Connected cages of 1..maxima cells with distinct digits, covering every cell."""
    jaula = [-1] * 81
    resultado = []
    orden = list(range(81))
    azar.shuffle(orden)
    for inicio in orden:
        if jaula[inicio] >= 0:
            continue
        tamano = azar.randint(1, maxima)
        celdas = [inicio]
        digitos = {rejilla[inicio]}
        jaula[inicio] = len(resultado)
        while len(celdas) < tamano:
            borde = [v for k in celdas for v in VECINOS[k]
                     if jaula[v] < 0 and rejilla[v] not in digitos]
            if not borde:
                break
            v = azar.choice(borde)
            celdas.append(v)
            digitos.add(rejilla[v])
            jaula[v] = jaula[inicio]
        resultado.append(sorted(celdas))
    return sorted(resultado)


def texto_puzzle(cajas, rejilla):
    lineas = ["<SUDOKU_KILLER>"]
    for celdas in cajas:
        lineas.append("<SEGMENTO VALOR='%d'>" % sum(rejilla[k] for k in celdas))
        lineas += ["<CASILLA FILA='%d' COL='%d'/>" % (k // 9 + 1, k % 9 + 1) for k in celdas]
        lineas.append("</SEGMENTO>")
    lineas.append("</SUDOKU_KILLER>")
    return "".join(l + "\r\n" for l in lineas)


def movimientos(cli, texto, limite):
    """velmora-cli's move count for the puzzle, or None when it runs past the time limit."""
    with tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False, newline="") as f:
        f.write(texto)
    try:
        salida = subprocess.run([cli, "--quiet", "solve", f.name], capture_output=True,
                                text=True, timeout=limite).stdout
    except subprocess.TimeoutExpired:
        return None
    finally:
        os.unlink(f.name)
    m = re.search(r"Movimientos: (\d+)", salida)
    return int(m.group(1)) if m else None


def soluciones(cajas, rejilla, tope=2):
    """Counts the puzzle's solutions up to `tope`, by candidates and the fewest-choices cell."""
    jaula_de = [0] * 81
    for i, celdas in enumerate(cajas):
        for k in celdas:
            jaula_de[k] = i
    sumas = [sum(rejilla[k] for k in celdas) for celdas in cajas]
    # Every digit set of the right size and sum, per cage.
    conjuntos = []
    for celdas, s in zip(cajas, sumas):
        conjuntos.append([c for c in range(2, 1024, 2)
                          if bin(c).count("1") == len(celdas)
                          and sum(d for d in range(1, 10) if c >> d & 1) == s])
    valor = [0] * 81
    usado = [0] * 27
    en_jaula = [0] * len(cajas)
    cuenta = [0]

    def candidatos(k):
        i = jaula_de[k]
        libres = 0
        for c in conjuntos[i]:
            if c & en_jaula[i] == en_jaula[i]:
                libres |= c
        libres &= ~en_jaula[i]
        for l in LINEAS[k]:
            libres &= ~usado[l]
        return libres

    def buscar():
        mejor, mejores = -1, 0
        for k in range(81):
            if valor[k] == 0:
                c = candidatos(k)
                n = bin(c).count("1")
                if n == 0:
                    return
                if mejor < 0 or n < bin(mejores).count("1"):
                    mejor, mejores = k, c
                    if n == 1:
                        break
        if mejor < 0:
            cuenta[0] += 1
            return
        for d in range(1, 10):
            bit = 1 << d
            if not mejores & bit:
                continue
            valor[mejor] = d
            en_jaula[jaula_de[mejor]] |= bit
            for l in LINEAS[mejor]:
                usado[l] |= bit
            buscar()
            valor[mejor] = 0
            en_jaula[jaula_de[mejor]] &= ~bit
            for l in LINEAS[mejor]:
                usado[l] &= ~bit
            if cuenta[0] >= tope:
                return

    buscar()
    return cuenta[0]


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--cli", default="build/release/cli/velmora-cli")
    p.add_argument("--salida", help="puzzle file to write the chosen candidate to")
    p.add_argument("--semilla", type=int, default=1)
    p.add_argument("--intentos", type=int, default=400)
    p.add_argument("--minimo", type=int, default=10_000_000)
    p.add_argument("--maximo", type=int, default=100_000_000)
    p.add_argument("--limite", type=float, default=3.0, help="seconds per solve")
    a = p.parse_args()

    azar = random.Random(a.semilla)
    elegido = None
    for intento in range(a.intentos):
        rejilla = rejilla_resuelta(azar)
        cajas = jaulas(rejilla, azar, 5)
        if len(cajas) > SEGMENTOS:
            continue
        texto = texto_puzzle(cajas, rejilla)
        n = movimientos(a.cli, texto, a.limite)
        dentro = n is not None and a.minimo <= n <= a.maximo
        unica = dentro and soluciones(cajas, rejilla) == 1
        print("intento %d: %d jaulas, %s movimientos%s" %
              (intento, len(cajas), n if n is not None else "demasiados",
               ", solución única" if unica else ""), flush=True)
        if dentro and (elegido is None or (unica and not elegido[1])):
            elegido = (texto, unica)
            if unica:
                break
    if elegido is None:
        sys.exit("ningún candidato dentro del intervalo")
    if a.salida:
        with open(a.salida, "w", newline="") as f:
            f.write(elegido[0])
    else:
        sys.stdout.write(elegido[0])


if __name__ == "__main__":
    main()
