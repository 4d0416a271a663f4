#pragma once

#include <optional>
#include <string_view>

#include "formats/formatos.h"

namespace velmora {

// `velmora-cli unique FICHERO`: reads and validates the puzzle as `solve` does, then writes the
// verdict and the solutions found; with `progreso`, the branches counted so far on stderr.
// Returns the exit status.
int ComandoUnica(std::string_view ruta, std::optional<Formato> formato, bool progreso);

} // namespace velmora
