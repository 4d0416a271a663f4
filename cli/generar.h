#pragma once

#include <string_view>

namespace velmora {

// velmora-cli generate: argv[0] is "generate". New puzzles from a seed at a chosen grade,
// written as XML or one per line in a text format. Prints ayuda after a usage error.
int Generar(int argc, char** argv, std::string_view ayuda);

} // namespace velmora
