#pragma once

#include <array>
#include <bitset>
#include <string>

#include "model/tablero.h"

namespace velmora {

// The puzzle as the editing controls hold it, without their looks: the sum box texts and the
// cells wearing the given-digit look with their captions. The cell-to-segment map is
// Tablero::CasillaSeg.
struct Enunciado {
    std::array<std::string, kSegmentos> sumas;
    std::array<std::string, kCasillas> textos;
    std::bitset<kCasillas> fijas;
};

} // namespace velmora
