#pragma once

#include <string_view>

namespace velmora {

// velmora-cli render: argv[0] is "render". Prints ayuda on --help and after a usage error.
int Dibujar(int argc, char** argv, std::string_view ayuda);

} // namespace velmora
