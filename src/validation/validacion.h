#pragma once
// The checks that run before every solve and every save. Each returns the message of its first
// failure, or nothing; on success the search state is prepared. Callers show the message.

#include <array>
#include <bitset>
#include <optional>
#include <string>

#include "model/entero.h"
#include "model/enunciado.h"
#include "model/plataforma.h"
#include "model/tablero.h"

namespace velmora {

// Killer: the sum texts of the 39 sum boxes and t.CasillaSeg. Derives Suma and NumCasillas,
// finds the segments with a unique digit combination and reserves their digits in the rows,
// columns and boxes that wholly contain them.
std::optional<Mensaje> ValidarSegmentos(Tablero& t,
                                        const std::array<std::string, kSegmentos>& sumas);

// Classic: the cells wearing the given-digit look and their captions. Loads the givens into
// Matriz, the given-cell list and the use tables.
std::optional<Mensaje> ComprobarRepetidos(Tablero& t,
                                          const std::array<std::string, kCasillas>& textos,
                                          const std::bitset<kCasillas>& fijas);

// The check of the puzzle's mode, on a board whose grid was just emptied: takes the mode and
// the cell-to-segment map from e, then runs ValidarSegmentos or ComprobarRepetidos.
std::optional<Mensaje> Validar(Tablero& t, const Enunciado& e);

// The classic check ends by letting events run once; a caller with an event loop runs that
// pass after a successful check when this says so.
inline bool PasadaTrasValidar(const Tablero& t) {
    return !t.ModoKiller;
}

// The smallest and largest sums of n distinct digits.
constexpr int SumaMinima(int n) {
    return n * (n + 1) / 2;
}
constexpr int SumaMaxima(int n) {
    return n * (19 - n) / 2;
}

} // namespace velmora
