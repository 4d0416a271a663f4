#include <gtest/gtest.h>

#include "support/plataforma_falsa.h"
#include "support/puzzles.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

TEST(ComprobarRepetidos, SinFijasPasaTrasUnaPasadaDeEventos) {
    Tablero t;
    PlataformaFalsa p;
    const Enunciado e = Clasico(Marcas({}));
    EXPECT_TRUE(ComprobarRepetidos(t, e.textos, e.fijas, p));
    EXPECT_EQ(t.NumFijas(), 0);
    EXPECT_EQ(p.eventos, 1);
    EXPECT_TRUE(p.mensajes.empty());
}

TEST(ComprobarRepetidos, CargaLasFijasEnOrdenDeCasilla) {
    Tablero t;
    PlataformaFalsa p;
    t.AgregarFija(5, 5); // left from an earlier check
    const Enunciado e = Clasico(Marcas({{0, '5'}, {12, '3'}, {80, '9'}}));
    ASSERT_TRUE(ComprobarRepetidos(t, e.textos, e.fijas, p));
    ASSERT_EQ(t.NumFijas(), 3);
    EXPECT_EQ(t.Fijas(1).Fila, 1);
    EXPECT_EQ(t.Fijas(1).Col, 1);
    EXPECT_EQ(t.Fijas(2).Fila, 2);
    EXPECT_EQ(t.Fijas(2).Col, 4);
    EXPECT_EQ(t.Fijas(3).Fila, 9);
    EXPECT_EQ(t.Fijas(3).Col, 9);
    EXPECT_FALSE(t.EsFija(Casilla(5, 5)));
    EXPECT_EQ(t.Matriz[12], 3);
    EXPECT_TRUE(t.Usado(Tabla::Filas, 2, 3));
    EXPECT_TRUE(t.Usado(Tabla::Columnas, 4, 3));
    EXPECT_TRUE(t.Usado(Tabla::Cuadrantes, 2, 3));
    EXPECT_FALSE(t.Usado(Tabla::Filas, 1, 3));
}

TEST(ComprobarRepetidos, MensajesDeRepeticion) {
    struct Caso {
        std::string celdas;
        std::string texto;
    };
    const Caso casos[] = {
        {Marcas({{Casilla(3, 2), '5'}, {Casilla(3, 7), '5'}}),
         "El número 5 se encuentra repetido en la fila 3"},
        {Marcas({{Casilla(1, 1), '5'}, {Casilla(2, 2), '5'}}),
         "El número 5 se encuentra repetido en el cuadrante 1"},
        {Marcas({{Casilla(1, 4), '8'}, {Casilla(9, 4), '8'}}),
         "El número 8 se encuentra repetido en la columna 4"},
        // Row before box; reported at the second occurrence, with that cell's numbers.
        {Marcas({{Casilla(5, 4), '2'}, {Casilla(5, 5), '2'}}),
         "El número 2 se encuentra repetido en la fila 5"},
        {Marcas({{Casilla(7, 9), '1'}, {Casilla(8, 8), '1'}}),
         "El número 1 se encuentra repetido en el cuadrante 9"},
    };
    for (const Caso& c : casos) {
        Tablero t;
        PlataformaFalsa p;
        const Enunciado e = Clasico(c.celdas);
        EXPECT_FALSE(ComprobarRepetidos(t, e.textos, e.fijas, p));
        EXPECT_EQ(p.mensajes, Solo({c.texto, "Número Repetido", Icono::Exclamacion}));
        EXPECT_EQ(p.eventos, 0);
    }
}

TEST(ComprobarRepetidos, TextoQueNoEsUnaCifra) {
    for (const char* texto : {"0", "12", "a", "", " 5", "٣"}) {
        Tablero t;
        PlataformaFalsa p;
        Enunciado e = Clasico(Marcas({{0, '4'}}));
        e.fijas.set(Casilla(2, 7));
        e.textos[Casilla(2, 7)] = texto;
        EXPECT_FALSE(ComprobarRepetidos(t, e.textos, e.fijas, p));
        EXPECT_EQ(p.mensajes, Solo({"La casilla de la fila 2, columna 7 debe contener "
                                    "un número del 1 al 9",
                                    "Número incorrecto", Icono::Exclamacion}))
            << texto;
    }
}

} // namespace
} // namespace velmora
