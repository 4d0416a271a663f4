#pragma once

#include <string_view>

namespace velmora {

// A whole number written with ASCII digits only (leading zeros allowed) and at most `maximo`;
// -1 for anything else.
constexpr int LeerEntero(std::string_view texto, int maximo) {
    if (texto.empty()) return -1;
    int v = 0;
    for (const char ch : texto) {
        if (ch < '0' || ch > '9') return -1;
        v = 10 * v + (ch - '0');
        if (v > maximo) return -1;
    }
    return v;
}

} // namespace velmora
