#pragma once

#include <QString>

namespace velmora {

// `velmora-cli unique FICHERO`: reads and validates the file as `solve` does, then writes the
// verdict and the solutions found. Returns the exit status.
int ComandoUnica(const QString& ruta);

} // namespace velmora
