#pragma once
// The digit sets a segment's size and sum allow. Sets are 16-bit masks with bit d for digit d,
// as everywhere on the board.

#include <cstdint>
#include <span>
#include <string>

namespace velmora {

// Every set of `casillas` distinct digits 1..9 adding up to `suma`, ordered by their digits read
// from the smallest (1+2+6, 1+3+5, 2+3+4). Empty when none fits or the size is not 1..9.
std::span<const uint16_t> Combinaciones(int casillas, int suma);

// The set's digits in increasing order joined by '+': "1+2+4".
std::string TextoCombinacion(uint16_t conjunto);

} // namespace velmora
