#include "solver/combinaciones.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "model/tablero.h"

namespace velmora {

namespace {

constexpr int kSumaMaxima = 45;

// Digit sequences compare from the smallest digit: the lower set bit wins at the first bit
// where two sets of one size differ.
bool Antes(uint16_t a, uint16_t b) {
    const unsigned distintos = a ^ b;
    return distintos != 0 && (a & (distintos & -distintos)) != 0;
}

struct Catalogo {
    std::array<std::array<std::vector<uint16_t>, kSumaMaxima + 1>, 10> conjuntos;

    Catalogo() {
        for (unsigned c = 2; c <= kDigitos; c += 2)
            conjuntos[std::popcount(c)][SumaDigitos(c)].push_back(static_cast<uint16_t>(c));
        for (auto& porSuma : conjuntos)
            for (auto& lista : porSuma)
                std::sort(lista.begin(), lista.end(), Antes);
    }
};

} // namespace

std::span<const uint16_t> Combinaciones(int casillas, int suma) {
    static const Catalogo catalogo;
    if (casillas < 1 || casillas > 9 || suma < 0 || suma > kSumaMaxima) return {};
    return catalogo.conjuntos[casillas][suma];
}

std::string TextoCombinacion(uint16_t conjunto) {
    std::string texto;
    for (int d = 1; d <= 9; ++d) {
        if (!(conjunto & Bit(d))) continue;
        if (!texto.empty()) texto += '+';
        texto += static_cast<char>('0' + d);
    }
    return texto;
}

} // namespace velmora
