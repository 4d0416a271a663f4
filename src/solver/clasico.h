#pragma once
// The verdict on a classic puzzle (givens only, no segments): the same answer as the general
// one, by a solver built for the nine-by-nine grid alone.

#include <array>
#include <cstdint>

#include "solver/veredicto.h"

namespace velmora {

// Whether the verdict reads no segment in the puzzle.
bool EsClasico(const Reglas& r);

// fija: the given digit of each cell, 0 (or anything outside 1..9) for none.
Veredicto JuzgarClasico(const std::array<uint8_t, kCasillas>& fija, const Parada& p);

} // namespace velmora
