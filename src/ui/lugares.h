#pragma once
// Where a message points: the cells a validation or reader message names, and the place in a
// refused text. The messages are read as they are worded, so that their texts stay exactly as
// they are and every room that writes one (validation, the readers) needs no other channel.

#include <bitset>
#include <optional>
#include <string_view>

#include "model/enunciado.h"
#include "model/plataforma.h"

namespace velmora {

// The cells a message names on puzzle e: a segment's cells ("Fallo en segmento N"), a cell
// ("fila F, columna C"), or the givens holding the repeated digit in the row, column or box of
// "El número D se encuentra repetido en …". Nothing when it names no place.
std::bitset<kCasillas> CasillasNombradas(const Mensaje& m, const Enunciado& e);

// The place in a text a reader's message names ("la posición N", "la línea L, columna C",
// counted in characters from 1): its byte offset in the UTF-8 text and the length of the
// character there. Nothing when the message names none or it lies beyond the text.
struct Tramo {
    size_t inicio, largo;
    bool operator==(const Tramo&) const = default;
};
std::optional<Tramo> TramoNombrado(std::string_view mensaje, std::string_view texto);

// Whether a clipboard text is a puzzle to paste over the board rather than one or two digits
// for a sum box: a text in a format the readers know.
bool EsPuzzlePegable(std::string_view texto);

} // namespace velmora
