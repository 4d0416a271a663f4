#pragma once
// The uniqueness verdict: whether a puzzle has no solution, exactly one or more, decided by
// candidate propagation and a search that stops at the second solution. It follows the rules
// the search enforces (rows, columns, boxes; within a segment no digit twice and its sum) but
// none of its order, so it has no move count.

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>
#include <stop_token>

#include "model/tablero.h"

namespace velmora {

struct Veredicto {
    int soluciones = 0; // -1 unknown (stopped or over the limit), 0, 1, or 2 for two or more
    // By cell number; all zeros until found. With two or more, two of them.
    std::array<uint8_t, kCasillas> primera{}, segunda{};
    int64_t ramas = 0; // guesses tried: a measure of the work, for benchmarks and generators
};

// A puzzle as the verdict reads it. Segments may be any number up to one per cell, so that a
// generator can start from one-cell segments.
struct Reglas {
    std::array<int8_t, kCasillas> segmento; // 0..80, or -1 for a cell that only follows its houses
    std::array<uint8_t, kCasillas> suma{};  // by segment; 0 (no sum) leaves its cells no digit
    std::array<uint8_t, kCasillas> fija{};  // the given digit, 0 for none

    Reglas() { segmento.fill(-1); }
};

// The puzzle of a board that Validar has just prepared: the segments of CasillaSeg with their
// Suma, and the given cells (EsFija, digit in Matriz).
Reglas ReglasDe(const Tablero& t);

// How a verdict may be cut short, and where it reports its work while it runs.
struct Parada {
    std::stop_token token; // a stop request ends the verdict as unknown
    int64_t maxRamas = 0;  // 0: no limit; past it the verdict is unknown
    std::atomic<int64_t>* ramas =
        nullptr; // when set, kept up to date (relaxed) with the branch count
};

// A puzzle without segments is judged by the solver for the plain grid (solver/clasico.h): the
// same answers, its own branch count.
Veredicto Juzgar(const Reglas& r, const Parada& p = {});
inline Veredicto Juzgar(const Tablero& t, const Parada& p = {}) {
    return Juzgar(ReglasDe(t), p);
}

// The cells where the two solutions found differ; none unless there are two.
std::bitset<kCasillas> Diferencias(const Veredicto& v);

} // namespace velmora
