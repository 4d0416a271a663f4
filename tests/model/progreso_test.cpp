#include "model/progreso.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

TEST(Progreso, PorcentajeYMovimientos) {
    // n = 9 × fila + col − 9, up to the position past the last cell, rounded as in floating
    // point.
    for (int fila = 0; fila <= 10; ++fila)
        for (int col = 1; col <= 10; ++col) {
            const int n = 9 * fila + col - 9;
            const long esperado = n <= 0 ? 0 : std::min(100L, std::lround(100.0 / 81.0 * n));
            EXPECT_EQ(Porcentaje(fila, col), esperado) << fila << "," << col;
        }
    EXPECT_EQ(FormatearMovimientos(0, ".") + " " + FormatearMovimientos(999, ".") + " " +
                  FormatearMovimientos(1000, ".") + " " + FormatearMovimientos(176357043, ","),
              "0 999 1.000 176,357,043");
    EXPECT_EQ(FormatearMovimientos(12345678901LL, "\u00a0"), "12\u00a0345\u00a0678\u00a0901");
}

} // namespace
} // namespace velmora
