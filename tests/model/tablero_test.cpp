#include "model/tablero.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

TEST(Numeracion, CasillasFilasColumnasYCuadrantes) {
    EXPECT_EQ(FilaDe(0), 1);
    EXPECT_EQ(ColDe(0), 1);
    EXPECT_EQ(FilaDe(8), 1);
    EXPECT_EQ(ColDe(8), 9);
    EXPECT_EQ(FilaDe(9), 2);
    EXPECT_EQ(ColDe(9), 1);
    EXPECT_EQ(FilaDe(80), 9);
    EXPECT_EQ(ColDe(80), 9);
    EXPECT_EQ(Casilla(4, 4), 30);
    EXPECT_EQ(Cuadrante(4, 4), 5);
    EXPECT_EQ(Cuadrante(1, 9), 3);
    EXPECT_EQ(Cuadrante(7, 1), 7);
    EXPECT_EQ(Cuadrante(9, 9), 9);
}

// Cell 0 in a segment of n cells with the given sum, whose list already holds `lista`.
Tablero SegmentoConLista(int n, int suma, std::vector<int> lista) {
    Tablero t;
    for (int k = 0; k < n; ++k)
        t.CasillaSeg[k] = 2;
    t.Segmentos[2].NumCasillas = static_cast<uint8_t>(n);
    t.Segmentos[2].Suma = static_cast<uint8_t>(suma);
    for (const int d : lista)
        EXPECT_TRUE(t.ComprobarSeg(d, 1));
    return t;
}

std::vector<int> Aceptados(int n, int suma, std::vector<int> lista) {
    std::vector<int> aceptados;
    for (int d = 1; d <= 9; ++d) {
        Tablero t = SegmentoConLista(n, suma, lista);
        const Segmento antes = t.Segmentos[2];
        if (t.ComprobarSeg(d, 0)) {
            aceptados.push_back(d);
            EXPECT_TRUE(t.Segmentos[2].Numeros & Bit(d));
            EXPECT_EQ(t.Segmentos[2].cuenta, antes.cuenta + 1);
        } else {
            EXPECT_EQ(t.Segmentos[2].Numeros, antes.Numeros) << "rejected " << d;
            EXPECT_EQ(t.Segmentos[2].cuenta, antes.cuenta);
        }
    }
    return aceptados;
}

TEST(ComprobarSeg, CasillaSinSegmentoAceptaTodoYNoAnota) {
    Tablero t;
    for (int d = 1; d <= 9; ++d)
        EXPECT_TRUE(t.ComprobarSeg(d, 40));
    for (const Segmento& g : t.Segmentos)
        EXPECT_EQ(g.Numeros, 0);
    t.EliSegmento(5, 40); // nothing to do, nothing to break
}

TEST(ComprobarSeg, LimitesDeLaSuma) {
    using V = std::vector<int>;
    EXPECT_EQ(Aceptados(1, 7, {}), V{7});
    // The first digit of a larger segment stays strictly below the sum...
    EXPECT_EQ(Aceptados(3, 6, {}), (V{1, 2, 3, 4, 5}));
    // ...while a later one that is not the last may reach it.
    EXPECT_EQ(Aceptados(3, 10, {4}), (V{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Aceptados(3, 10, {4, 6}), V{});
    EXPECT_EQ(Aceptados(2, 9, {3}), V{6});
}

TEST(EliSegmento, QuitaUnaAparicionYDejaElRestoIgual) {
    Tablero t = SegmentoConLista(3, 14, {2, 5, 7});
    t.EliSegmento(9, 0);
    EXPECT_EQ(t.Segmentos[2].Numeros, Bit(2) | Bit(5) | Bit(7));
    t.EliSegmento(5, 0);
    EXPECT_EQ(t.Segmentos[2].Numeros, Bit(2) | Bit(7));
    EXPECT_EQ(t.Segmentos[2].cuenta, 2);
    EXPECT_EQ(t.Segmentos[2].parcial, 9);
}

TEST(VaciarCuadricula, BorraLaBusquedaYConservaElEnunciado) {
    Tablero t;
    t.CasillaSeg[4] = 3;
    t.Segmentos[3] = {.Numeros = Bit(4),
                      .cuenta = 1,
                      .parcial = 4,
                      .NumCasillas = 2,
                      .Suma = 3,
                      .Unica = true,
                      .Combinacion = Bit(1) | Bit(2),
                      .reserva = {Bit(1), 0, 0}};
    t.Reservar(Tabla::Filas, 1, 1, 3);
    t.MarcarUsado(Tabla::Cuadrantes, 9, 8);
    t.AgregarFija(9, 9);
    t.Matriz[80] = 8;
    t.Movimientos = 12;

    t.VaciarCuadricula();

    for (int x = 1; x <= 9; ++x)
        for (int d = 1; d <= 9; ++d)
            for (Tabla tabla : {Tabla::Filas, Tabla::Columnas, Tabla::Cuadrantes}) {
                EXPECT_FALSE(t.Uso(tabla, x, d).Usado);
                EXPECT_EQ(t.Uso(tabla, x, d).SegReserva, -1);
            }
    for (const uint8_t d : t.Matriz)
        EXPECT_EQ(d, 0);
    for (const Segmento& g : t.Segmentos) {
        EXPECT_EQ(g.Numeros, 0);
        EXPECT_FALSE(g.Unica);
        EXPECT_EQ(g.Combinacion, 0);
    }
    EXPECT_EQ(t.Segmentos[3].Suma, 3);
    EXPECT_EQ(t.Segmentos[3].NumCasillas, 2);
    EXPECT_EQ(t.CasillaSeg[4], 3);
    EXPECT_EQ(t.NumFijas(), 1);
    EXPECT_TRUE(t.EsFija(80));
    EXPECT_EQ(t.Movimientos, 12);

    t.NuevoSudoku();
    EXPECT_EQ(t.Segmentos[3].Suma, 0);
    EXPECT_EQ(t.Segmentos[3].NumCasillas, 0);
    EXPECT_EQ(t.CasillaSeg[4], -1);
    EXPECT_EQ(t.NumFijas(), 0);
    EXPECT_FALSE(t.EsFija(80));
}

TEST(Reservar, ElSegmentoPosteriorSeQuedaConLaReserva) {
    Tablero t;
    t.Reservar(Tabla::Columnas, 2, 6, 4);
    t.Reservar(Tabla::Columnas, 2, 6, 9);
    EXPECT_TRUE(t.Uso(Tabla::Columnas, 2, 6).Usado);
    EXPECT_EQ(t.Uso(Tabla::Columnas, 2, 6).SegReserva, 9);
    EXPECT_EQ(t.Segmentos[4].reserva[1], 0);
    EXPECT_EQ(t.Segmentos[9].reserva[1], Bit(6));
}

TEST(ColocarNumero, CasillaFijaNoCambiaNada) {
    Tablero t;
    t.AgregarFija(1, 2);
    t.Matriz[1] = 5;
    t.SinCandidato = true;
    EXPECT_FALSE(t.ColocarNumero(1, 2));
    EXPECT_TRUE(t.SinCandidato);
    EXPECT_EQ(t.Matriz[1], 5);

    EXPECT_TRUE(t.ColocarNumero(1, 1));
    EXPECT_FALSE(t.SinCandidato);
    EXPECT_EQ(t.Matriz[0], 1);
}

TEST(Retroceder, SaltaFijasYNuevesHastaLaPrimeraCasilla) {
    Tablero t;
    t.Matriz[0] = 9;
    t.Matriz[1] = 4;
    t.AgregarFija(1, 2);
    t.Matriz[2] = 3;
    uint8_t fila = 1, col = 4;
    t.Retroceder(fila, col); // to (1, 3), which holds 3 and can still grow
    EXPECT_EQ(fila, 1);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(t.Movimientos, 1);
    t.Retroceder(fila, col); // clears (1, 3), steps over the given and clears the 9
    EXPECT_EQ(fila, 0);
    EXPECT_EQ(col, 9);
    EXPECT_TRUE(t.SinSolucion);
    EXPECT_EQ(t.Movimientos, 4);
    EXPECT_EQ(t.Matriz[0], 0);
    EXPECT_EQ(t.Matriz[1], 4);
    EXPECT_EQ(t.Matriz[2], 0);
}

} // namespace
} // namespace velmora
