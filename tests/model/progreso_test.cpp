#include "model/progreso.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora {
namespace {

TEST(Progreso, PorcentajeRedondeadoComoEnComaFlotante) {
    // n = 9 × fila + col − 9, up to the position past the last cell.
    for (int fila = 0; fila <= 10; ++fila)
        for (int col = 1; col <= 10; ++col) {
            const int n = 9 * fila + col - 9;
            const long esperado = n <= 0 ? 0 : std::min(100L, std::lround(100.0 / 81.0 * n));
            EXPECT_EQ(Porcentaje(fila, col), esperado) << fila << "," << col;
        }
}

TEST(Progreso, MovimientosAgrupadosDeTresEnTres) {
    const struct {
        int64_t n;
        const char* separador;
        std::string texto;
    } casos[] = {{0, ".", "0"},
                 {999, ".", "999"},
                 {1000, ".", "1.000"},
                 {176357043, ",", "176,357,043"},
                 {12345678901LL, "\u00a0", "12\u00a0345\u00a0678\u00a0901"}};
    for (const auto& c : casos)
        EXPECT_EQ(FormatearMovimientos(c.n, c.separador), c.texto);
}

TEST(Progreso, UltraRapidoGiraYOcultaLasCifras) {
    Progreso p;
    EXPECT_EQ(p.TextoMovimientos(".") + p.TextoPorcentaje(), "00 %");
    std::string giros;
    for (int i = 0; i < 5; ++i) {
        ActualizarProgreso(p, ModoCalculo::UltraRapido, 1000 + i, 1, 2 + i);
        giros += p.TextoMovimientos(".") + p.TextoPorcentaje() + (p.barraVisible ? "B" : "");
    }
    EXPECT_EQ(giros, "|/-\\|");
    // A count left by another mode restarts the spinner.
    ActualizarProgreso(p, ModoCalculo::Rapido, 2000, 3, 1);
    EXPECT_EQ(p.TextoMovimientos(".") + " " + p.TextoPorcentaje(), "2.000 23 %");
    EXPECT_TRUE(p.barraVisible);
    EXPECT_EQ(p.barra, 23);
    ActualizarProgreso(p, ModoCalculo::UltraRapido, 2001, 3, 2);
    EXPECT_EQ(p.TextoMovimientos("."), "|");
}

} // namespace
} // namespace velmora
