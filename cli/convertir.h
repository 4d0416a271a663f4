#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Writes a command's output to the file (atomically) or, for "" and "-", to standard output.
bool EscribirSalida(std::string_view ruta, const std::string& texto);

// velmora-cli convert [--to FORMATO] ENTRADA [SALIDA], given the arguments after "convert".
// Returns the exit status.
int Convertir(int argc, char** argv);

} // namespace velmora
