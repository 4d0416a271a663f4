#pragma once
// A game being played, as a value: the puzzle, its one solution, and what the player has put on
// it. Nothing here goes into the puzzle's file; the game is kept in a file of its own.

#include <array>
#include <cstdint>

#include "model/enunciado.h"

namespace velmora {

using Digitos = std::array<uint8_t, kCasillas>;
// Pencil marks by cell: bit d for digit d, as the board's digit sets.
using Lapiz = std::array<uint16_t, kCasillas>;
inline constexpr uint16_t kTodasLasMarcas = 0x3FE;

struct Partida {
    Enunciado enunciado;
    Digitos solucion{}; // the verdict's one solution
    Digitos cifras{};   // the player's digits, 0 for none; never on a given cell
    Lapiz marcas{};     // only on cells without a digit
    int64_t milisegundos = 0;
    int pistas = 0; // hints applied

    bool operator==(const Partida&) const = default;
};

// The given digit of a cell, 0 when the cell is not given (or its caption is no digit).
inline int Dada(const Enunciado& e, int k) {
    const std::string& t = e.textos[k];
    return e.fijas[k] && t.size() == 1 && t[0] >= '1' && t[0] <= '9' ? t[0] - '0' : 0;
}

} // namespace velmora
