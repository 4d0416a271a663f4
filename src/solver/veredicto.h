#pragma once
// The uniqueness verdict: whether a puzzle has no solution, exactly one or more, decided by
// candidate propagation and a search that stops at the second solution. It follows the rules
// the search enforces (rows, columns, boxes; within a segment no digit twice and its sum) but
// none of its order, so it has no move count.

#include <array>
#include <bitset>
#include <cstdint>

#include "model/tablero.h"

namespace velmora {

struct Veredicto {
    int soluciones = 0; // 0, 1, or 2 for two or more
    // By cell number; all zeros until found. With two or more, two of them.
    std::array<uint8_t, kCasillas> primera{}, segunda{};
    int64_t ramas = 0; // guesses tried: a measure of the work, for benchmarks and generators
};

// The verdict on the puzzle of a board that Validar has just prepared: the segments of
// CasillaSeg with their Suma, and the given cells (EsFija, digit in Matriz). Cells outside every
// segment follow only the row, column and box rule. The board is not changed.
Veredicto Juzgar(const Tablero& t);

// The cells where the two solutions found differ; none unless there are two.
std::bitset<kCasillas> Diferencias(const Veredicto& v);

} // namespace velmora
