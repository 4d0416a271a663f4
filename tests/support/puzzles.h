#pragma once
// Puzzles for tests, written compactly.

#include <QString>
#include <string_view>

#include "model/enunciado.h"
#include "model/plataforma.h"
#include "model/tablero.h"

namespace velmora {

// A classic puzzle from 81 characters row by row, '0' or '.' for an empty cell.
Enunciado Clasico(std::string_view celdas);

// A Killer puzzle: 81 characters naming each cell's segment ('a' is segment 0, 'b' segment 1,
// ..., 'A' segment 26, ...; '.' for no segment), and the sum texts from segment 0 on. Sets
// CasillaSeg and ModoKiller of the board.
Enunciado Killer(Tablero& t, std::string_view segmentos, std::initializer_list<const char*> sumas);

// Reads a file of tests/data (or an absolute path) into the board as the window opens it;
// fails the test if it is not a complete puzzle.
Enunciado Cargar(Tablero& t, const QString& fichero);

// The checks as the window runs them: the failure shown on the platform, and the classic
// check's event pass after a success.
bool ValidarSegmentos(Tablero& t, const std::array<std::string, kSegmentos>& sumas, Plataforma& p);
bool ComprobarRepetidos(Tablero& t, const std::array<std::string, kCasillas>& textos,
                        const std::bitset<kCasillas>& fijas, Plataforma& p);

// 81 characters, '.' but for the given cells.
std::string Marcas(std::initializer_list<std::pair<int, char>> marcas);

// The grid as 81 characters, '.' for an empty cell.
std::string Rejilla(const Tablero& t);

} // namespace velmora
