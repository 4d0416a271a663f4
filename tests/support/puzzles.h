#pragma once
// Puzzles for tests, written compactly.

#include <string_view>

#include "model/enunciado.h"
#include "model/tablero.h"

namespace velmora {

// A classic puzzle from 81 characters row by row, '0' or '.' for an empty cell.
Enunciado Clasico(std::string_view celdas);

// A Killer puzzle: 81 characters naming each cell's segment ('a' is segment 0, 'b' segment 1,
// ..., 'A' segment 26, ...; '.' for no segment), and the sum texts from segment 0 on.
Enunciado Killer(std::string_view segmentos, std::initializer_list<const char*> sumas);

// 81 characters, '.' but for the given cells.
std::string Marcas(std::initializer_list<std::pair<int, char>> marcas);

// The grid as 81 characters, '.' for an empty cell.
inline std::string Rejilla(const Tablero& t) {
    return TextoRejilla(t.Matriz, "");
}

} // namespace velmora
