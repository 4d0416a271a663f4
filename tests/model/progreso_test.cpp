#include "model/progreso.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

TEST(Porcentaje, RedondeaComoLaCuentaEnComaFlotante) {
    for (int fila = 0; fila <= 10; ++fila)
        for (int col = 1; col <= 10; ++col) {
            const int n = 9 * fila + col - 9;
            const long esperado = n <= 0 ? 0 : std::min(100L, std::lround(100.0 / 81.0 * n));
            EXPECT_EQ(Porcentaje(fila, col), esperado) << fila << "," << col;
        }
    EXPECT_EQ(Porcentaje(1, 2), 2); // first forward step: 2.47
    EXPECT_EQ(Porcentaje(9, 10), 100);
    EXPECT_EQ(Porcentaje(10, 1), 100);
    EXPECT_EQ(Porcentaje(0, 9), 0);
}

TEST(FormatearMovimientos, AgrupaDeTresEnTres) {
    EXPECT_EQ(FormatearMovimientos(0, "."), "0");
    EXPECT_EQ(FormatearMovimientos(999, "."), "999");
    EXPECT_EQ(FormatearMovimientos(1000, "."), "1.000");
    EXPECT_EQ(FormatearMovimientos(1234567, "."), "1.234.567");
    EXPECT_EQ(FormatearMovimientos(176357043, ","), "176,357,043");
    EXPECT_EQ(FormatearMovimientos(12345678901LL, "\u00a0"), "12\u00a0345\u00a0678\u00a0901");
}

TEST(ActualizarProgreso, CifrasFueraDeUltraRapido) {
    for (const ModoCalculo modo : {ModoCalculo::Rapido, ModoCalculo::Interactivo}) {
        Progreso p;
        ActualizarProgreso(p, modo, 1, 1, 2);
        EXPECT_TRUE(p.barraVisible);
        EXPECT_EQ(p.TextoMovimientos("."), "1");
        EXPECT_EQ(p.TextoPorcentaje(), "2 %");
        EXPECT_EQ(p.barra, 2);
    }
}

TEST(ActualizarProgreso, UltraRapidoGiraYOcultaLasCifras) {
    Progreso p;
    EXPECT_EQ(p.TextoMovimientos("."), "0");
    EXPECT_EQ(p.TextoPorcentaje(), "0 %");
    std::string giros;
    for (int i = 0; i < 5; ++i) {
        ActualizarProgreso(p, ModoCalculo::UltraRapido, 1000 + i, 1, 2 + i);
        giros += p.TextoMovimientos(".");
        EXPECT_FALSE(p.barraVisible);
        EXPECT_EQ(p.TextoPorcentaje(), "");
    }
    EXPECT_EQ(giros, "|/-\\|");

    // A count left by another mode restarts the spinner.
    ActualizarProgreso(p, ModoCalculo::Rapido, 2000, 3, 1);
    ActualizarProgreso(p, ModoCalculo::UltraRapido, 2001, 3, 2);
    EXPECT_EQ(p.TextoMovimientos("."), "|");

    MostrarProgresoFinal(p, 2001, 10, 1);
    EXPECT_EQ(p.TextoMovimientos("."), "2.001");
    EXPECT_EQ(p.TextoPorcentaje(), "100 %");
    EXPECT_TRUE(p.barraVisible);
    EXPECT_EQ(p.barra, 100);
}

} // namespace
} // namespace velmora
