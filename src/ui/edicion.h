#pragma once
// The state of drawing a puzzle: what is picked on the palette and the pad, the erase mode,
// and the focus bookkeeping between a sum box and its segment.

#include <array>

#include "model/tablero.h"

namespace velmora {

struct Edicion {
    int SegSeleccionado = -1;
    int NumSeleccionado = 0;
    bool ModoBorrar = false; // LbDel's marker
    bool SaltarFoco = false;
    std::array<bool, kSegmentos> MarcaFocoT{};
};

} // namespace velmora
