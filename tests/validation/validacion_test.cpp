#include "validation/validacion.h"

#include <gtest/gtest.h>

#include "files/puzzle_xml.h"
#include "support/plataforma_falsa.h"
#include "support/puzzles.h"

namespace velmora {
namespace {

// A Killer puzzle with segment letters from the first cell on.
Enunciado K(std::string casillas, std::initializer_list<const char*> sumas) {
    casillas.resize(kCasillas, '.');
    return Killer(casillas, sumas);
}

Mensaje FalloEn(int segmento, std::string texto) {
    return {std::move(texto), "Fallo en segmento " + std::to_string(segmento), Icono::Exclamacion};
}

Mensaje Repetido(std::string donde) {
    return {"El número " + donde, "Número Repetido", Icono::Exclamacion};
}

TEST(Validar, ElPrimerFalloDeCadaComprobacion) {
    const std::string entero = "La suma total debe ser un número entero entre 0 y 255";
    const std::string enDos = "En un segmento de 2 casillas la suma total debe ser como ";
    const std::string enUna = "En un segmento de 1 casillas la suma total debe ser como ";
    // 27 segments of three cells along the rows, all of sum 15 but the last.
    std::string filas;
    for (int i = 0; i < 27; ++i)
        filas += std::string(3, static_cast<char>(i < 26 ? 'a' + i : 'A'));
    Enunciado todas = K(filas, {}), casiTodas = K(filas.substr(0, 80), {});
    std::fill_n(todas.sumas.begin(), 26, "15");
    todas.sumas[26] = "10";
    casiTodas.sumas = todas.sumas;
    struct Caso {
        Enunciado e;
        std::optional<Mensaje> fallo;
    };
    std::vector<Caso> casos = {
        {K("aab", {"3", ""}),
         FalloEn(2, "Todos los segmentos deben tener la suma total introducida")},
        {K("aa", {"3", "", "", "7"}),
         FalloEn(4, "No puede haber segmentos con la suma total indicada, pero sin casillas "
                    "marcadas en la cuadrícula")},
        {K("aaaaaaaaaa", {"45"}), FalloEn(1, "El máximo número de casillas por segmento es 9.")},
        {K("aa", {"2"}), FalloEn(1, enDos + "mínimo de 3")},
        {K("aa", {"18"}), FalloEn(1, enDos + "máximo de 17")},
        {K("ab", {"5", "255"}), FalloEn(2, enUna + "máximo de 9")},
        {K("ab", {"5", "256"}), FalloEn(2, entero)},
        // The sum of all segments is checked once every cell is in one.
        {todas, Mensaje{"Si se utilizan todas las casillas, la suma total de todos los "
                        "segmentos debe ser 405 (45 x 9)",
                        "Los segmentos suman 400", Icono::Exclamacion}},
        {casiTodas, std::nullopt},
        // Rows before columns before boxes; reported at the second occurrence.
        {Clasico(Marcas({{Casilla(1, 4), '8'}, {Casilla(9, 4), '8'}})),
         Repetido("8 se encuentra repetido en la columna 4")},
        {Clasico(Marcas({{Casilla(5, 4), '2'}, {Casilla(5, 5), '2'}})),
         Repetido("2 se encuentra repetido en la fila 5")},
        {Clasico(Marcas({{Casilla(7, 9), '1'}, {Casilla(8, 8), '1'}})),
         Repetido("1 se encuentra repetido en el cuadrante 9")},
    };
    // A caption read from a file may hold anything but a digit.
    for (const char* texto : {"0", "12", "٣"}) {
        casos.push_back({Clasico(Marcas({{0, '4'}, {Casilla(2, 7), '1'}})),
                         Mensaje{"La casilla de la fila 2, columna 7 debe contener un número "
                                 "del 1 al 9",
                                 "Número incorrecto", Icono::Exclamacion}});
        casos.back().e.textos[Casilla(2, 7)] = texto;
    }
    for (const Caso& c : casos) {
        Tablero t;
        EXPECT_EQ(Validar(t, c.e), c.fallo) << (c.e.killer ? c.e.sumas[0] : "clásico");
    }
}

TEST(ValidarSegmentos, CombinacionesUnicasYSusReservas) {
    // Segment 0 in cells 2 and 3 (boxes 1 and 2), segment 1 in cells 0 and 1 (box 1); a one-cell
    // segment lies in its row, its column and its box. The later segment keeps a reservation.
    Tablero t;
    ASSERT_FALSE(Validar(t, K("bbaa......c.........dd", {"3", "17", "6", "05"})));
    // Cells and the only digit set (bit d for digit d) of each segment that has one.
    std::string combinaciones;
    for (int i = 0; i < 4; ++i)
        combinaciones += std::to_string(t.Segmentos[i].NumCasillas) + ":" +
                         std::to_string(t.Segmentos[i].Unica ? t.Segmentos[i].Combinacion : 0) +
                         " ";
    EXPECT_EQ(combinaciones, "2:6 2:768 1:64 2:0 ");
    const struct {
        Tabla tabla;
        int x, d, segmento;
    } casos[] = {
        {Tabla::Filas, 1, 1, 0},       {Tabla::Filas, 1, 2, 0}, {Tabla::Cuadrantes, 1, 1, -1},
        {Tabla::Cuadrantes, 2, 2, -1}, {Tabla::Filas, 1, 8, 1}, {Tabla::Cuadrantes, 1, 9, 1},
        {Tabla::Columnas, 1, 8, -1},   {Tabla::Filas, 2, 6, 2}, {Tabla::Columnas, 2, 6, 2},
        {Tabla::Cuadrantes, 1, 6, 2},  {Tabla::Filas, 2, 5, -1}};
    for (const auto& c : casos) {
        const UsoNumero u = t.Uso(c.tabla, c.x, c.d);
        EXPECT_EQ(u.SegReserva, c.segmento) << static_cast<int>(c.tabla) << c.x << c.d;
        EXPECT_EQ(u.Usado, c.segmento >= 0) << static_cast<int>(c.tabla) << c.x << c.d;
    }
}

TEST(ValidarSegmentos, UnaSumaQueQuedoSinCasillas) {
    Tablero t;
    Enunciado e = K("ab", {"4", "1"});
    ASSERT_FALSE(Validar(t, e));
    // Segment 0 loses its sum and its cell: the record keeps the old sum, the puzzle still
    // passes, the stale record reserves nothing and is not saved.
    e.sumas[0].clear();
    e.segmento[0] = -1;
    t.VaciarCuadricula();
    ASSERT_FALSE(Validar(t, e));
    EXPECT_EQ(t.Uso(Tabla::Filas, 1, 4).SegReserva, -1);
    EXPECT_EQ(TextoPuzzle(t), "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='1'>\r\n"
                              "<CASILLA FILA='1' COL='2'/>\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n");
}

} // namespace
} // namespace velmora
