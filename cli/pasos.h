#pragma once

#include <optional>
#include <string_view>

#include "formats/formatos.h"

namespace velmora {

// velmora-cli steps / rate. Reads and validates the puzzle as `unique` does, refuses one without
// exactly one solution, then solves it step by step: `steps` (todos) prints the numbered steps
// and the grade, `rate` only the grade and the hardest technique; `json` writes one object per
// step, or one for the puzzle.
int ComandoPasos(bool todos, std::string_view ruta, std::optional<Formato> formato, bool json);

} // namespace velmora
