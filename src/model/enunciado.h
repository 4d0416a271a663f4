#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "model/tablero.h"

namespace velmora {

// The puzzle as a value: what the editing controls hold, without their looks. Files, text
// formats, the clipboard, undo, the verdict and the renders all work on it.
struct Enunciado {
    bool killer = true;
    std::array<std::string, kSegmentos> sumas;          // the sum box texts, as typed or read
    std::array<int8_t, kCasillas> segmento = Ninguno(); // the cell's segment, -1 for none
    std::array<std::string, kCasillas> textos;          // captions of the given cells
    std::bitset<kCasillas> fijas;                       // cells wearing the given-digit look

    bool operator==(const Enunciado&) const = default;

private:
    static constexpr std::array<int8_t, kCasillas> Ninguno() {
        std::array<int8_t, kCasillas> a{};
        a.fill(-1);
        return a;
    }
};

} // namespace velmora
