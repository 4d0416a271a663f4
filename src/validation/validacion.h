#pragma once
// The checks that run before every solve and every save. Each shows its own message through the
// platform and returns false on the first failure; on success the search state is prepared.

#include <array>
#include <bitset>
#include <string>

#include "model/entero.h"
#include "model/plataforma.h"
#include "model/tablero.h"

namespace velmora {

// Killer: the sum texts of the 39 sum boxes and t.CasillaSeg. Derives Suma and NumCasillas,
// finds the segments with a unique digit combination and reserves their digits in the rows,
// columns and boxes that wholly contain them.
bool ValidarSegmentos(Tablero& t, const std::array<std::string, kSegmentos>& sumas, Plataforma& p);

// Classic: the cells wearing the given-digit look and their captions. Loads the givens into
// Matriz, the given-cell list and the use tables, then lets events run once.
bool ComprobarRepetidos(Tablero& t, const std::array<std::string, kCasillas>& textos,
                        const std::bitset<kCasillas>& fijas, Plataforma& p);

// The smallest and largest sums of n distinct digits.
constexpr int SumaMinima(int n) {
    return n * (n + 1) / 2;
}
constexpr int SumaMaxima(int n) {
    return n * (19 - n) / 2;
}

} // namespace velmora
