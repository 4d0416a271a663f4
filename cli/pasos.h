#pragma once

#include <string_view>

namespace velmora {

// velmora-cli steps / rate: argv[0] is "steps" or "rate". Reads and validates the file as
// `unique` does, refuses a puzzle without exactly one solution, then solves it step by step:
// `steps` prints the numbered steps and the grade, `rate` only the grade and the hardest
// technique; --json writes one object per step, or one for the puzzle. Prints ayuda on --help
// and after a usage error.
int Pasos(int argc, char** argv, std::string_view ayuda);

} // namespace velmora
