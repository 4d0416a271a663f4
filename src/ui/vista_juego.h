#pragma once
// What a grid cell shows of a game over its look: the player's digit or pencil marks, and the
// helps' marks. Outside play every cell shows none of it.

#include <cstdint>

namespace velmora {

struct VistaJuego {
    uint8_t cifra = 0;   // the player's digit
    uint16_t marcas = 0; // bit d for digit d
    bool roja = false;   // the digit clashes
    bool oculta = false; // paused: nothing of the puzzle shows
    bool pista = false;  // a cell of the hint named
    // The sides of a wrong cage's outline on this cell: 1 top, 2 right, 4 bottom, 8 left.
    uint8_t bordesMal = 0;
    bool operator==(const VistaJuego&) const = default;
};

enum BordeJuego : uint8_t { kArriba = 1, kDerecha = 2, kAbajo = 4, kIzquierda = 8 };

} // namespace velmora
