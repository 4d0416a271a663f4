#pragma once
// How every command reads its puzzle: a Velmora XML file or a text in any format the program
// knows, from a file or from standard input.

#include <optional>
#include <string_view>

#include "formats/formatos.h"

namespace velmora {

// The puzzle of a file, or of standard input for "-", in `formato` or the format told from the
// content. A file that cannot be read, or XML that is not a whole puzzle, gives the message of
// a file that cannot be opened; a refused text, the reader's message.
Resultado<TextoLeido> LeerEntrada(std::string_view ruta, std::optional<Formato> formato = {});

} // namespace velmora
