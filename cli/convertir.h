#pragma once

namespace velmora {

// velmora-cli convert [--to FORMATO] ENTRADA [SALIDA], given the arguments after "convert".
// Returns the exit status.
int Convertir(int argc, char** argv);

} // namespace velmora
