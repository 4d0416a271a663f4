#include <gtest/gtest.h>

#include "support/plataforma_falsa.h"
#include "support/puzzles.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

constexpr std::string_view kVacio =
    ".................................................................................";

// The board after the validation, with its messages.
struct Validado {
    Tablero t;
    PlataformaFalsa p;
    bool ok;
};

Validado Validar(std::string segmentos, std::initializer_list<const char*> sumas) {
    Validado v;
    const Enunciado e = Killer(v.t, segmentos, sumas);
    v.ok = ValidarSegmentos(v.t, e.sumas, v.p);
    return v;
}

// A board with the given segment letters placed at the start of the grid.
std::string Al(std::string_view inicio) {
    return std::string(inicio) + std::string(kVacio.substr(inicio.size()));
}

Mensaje FalloEn(int segmento, std::string texto) {
    return {std::move(texto), "Fallo en segmento " + std::to_string(segmento), Icono::Exclamacion};
}

TEST(ValidarSegmentos, MensajesDeCadaComprobacion) {
    struct Caso {
        std::string segmentos;
        std::vector<const char*> sumas;
        Mensaje mensaje;
    };
    const std::vector<Caso> casos = {
        {Al("aab"),
         {"3", ""},
         FalloEn(2, "Todos los segmentos deben tener la suma total introducida")},
        {Al("aa"),
         {"3", "", "", "7"},
         FalloEn(4,
                 "No puede haber segmentos con la suma total indicada, pero sin casillas marcadas "
                 "en la cuadrícula")},
        {Al("aaaaaaaaaa"), {"45"}, FalloEn(1, "El máximo número de casillas por segmento es 9.")},
        {Al("aa"),
         {"2"},
         FalloEn(1, "En un segmento de 2 casillas la suma total debe ser como mínimo de 3")},
        {Al("aa"),
         {"18"},
         FalloEn(1, "En un segmento de 2 casillas la suma total debe ser como máximo de 17")},
        {Al("a"),
         {"0"},
         FalloEn(1, "En un segmento de 1 casillas la suma total debe ser como mínimo de 1")},
        {Al("ab"),
         {"5", "x1"},
         FalloEn(2, "La suma total debe ser un número entero entre 0 y 255")},
        {Al("ab"),
         {"5", "256"},
         FalloEn(2, "La suma total debe ser un número entero entre 0 y 255")},
        {Al("ab"),
         {"5", "-3"},
         FalloEn(2, "La suma total debe ser un número entero entre 0 y 255")},
        {Al("ab"),
         {"5", "255"},
         FalloEn(2, "En un segmento de 1 casillas la suma total debe ser como máximo de 9")},
    };
    for (const Caso& c : casos) {
        Validado v;
        Enunciado e = Killer(v.t, c.segmentos, {});
        for (size_t i = 0; i < c.sumas.size(); ++i)
            e.sumas[i] = c.sumas[i];
        EXPECT_FALSE(ValidarSegmentos(v.t, e.sumas, v.p)) << c.mensaje.texto;
        EXPECT_EQ(v.p.mensajes, Solo(c.mensaje));
        EXPECT_EQ(v.p.eventos, 0);
    }
}

TEST(ValidarSegmentos, LimitesPorNumeroDeCasillas) {
    const int minimos[] = {1, 3, 6, 10, 15, 21, 28, 36, 45};
    const int maximos[] = {9, 17, 24, 30, 35, 39, 42, 44, 45};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(SumaMinima(n), minimos[n - 1]);
        EXPECT_EQ(SumaMaxima(n), maximos[n - 1]);
        const std::string a(n, 'a');
        EXPECT_TRUE(Validar(Al(a), {std::to_string(minimos[n - 1]).c_str()}).ok);
        EXPECT_TRUE(Validar(Al(a), {std::to_string(maximos[n - 1]).c_str()}).ok);
    }
}

TEST(ValidarSegmentos, ElPrimerFalloDetieneLaComprobacion) {
    Validado v = Validar(Al("aabbc"), {"3", "1", ""});
    EXPECT_FALSE(v.ok);
    ASSERT_EQ(v.p.mensajes.size(), 1u);
    EXPECT_EQ(v.p.mensajes[0].titulo, "Fallo en segmento 2");
    // The segment before the failing one is already derived; nothing else is.
    EXPECT_EQ(v.t.Segmentos[0].Suma, 3);
    EXPECT_EQ(v.t.Segmentos[0].NumCasillas, 2);
    EXPECT_EQ(v.t.Segmentos[1].Suma, 0);
    EXPECT_FALSE(v.t.Segmentos[0].Unica);
}

TEST(ValidarSegmentos, TotalesCuandoSeCubrenTodasLasCasillas) {
    // 27 segments of three cells each along the rows: all 81 cells covered.
    std::string casillas;
    for (int i = 0; i < 27; ++i)
        casillas += std::string(3, static_cast<char>(i < 26 ? 'a' + i : 'A'));
    std::vector<std::string> sumas(27, "15");
    const auto validar = [&] {
        Validado v;
        Enunciado e = Killer(v.t, casillas, {});
        std::copy(sumas.begin(), sumas.end(), e.sumas.begin());
        v.ok = ValidarSegmentos(v.t, e.sumas, v.p);
        return v;
    };
    EXPECT_TRUE(validar().ok);
    sumas[26] = "10";
    const Validado v = validar();
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.p.mensajes, Solo({"Si se utilizan todas las casillas, la suma total de todos los "
                                  "segmentos debe ser 405 (45 x 9)",
                                  "Los segmentos suman 400", Icono::Exclamacion}));

    // 80 cells covered: no total is tested.
    casillas[80] = '.';
    EXPECT_TRUE(validar().ok);
}

TEST(ValidarSegmentos, CombinacionesUnicas) {
    struct Caso {
        int n;
        const char* suma;
        bool unica;
        uint16_t combinacion;
    };
    const Caso casos[] = {
        {2, "3", true, Bit(1) | Bit(2)},
        {2, "16", true, Bit(7) | Bit(9)},
        {2, "5", false, 0},
        {3, "24", true, Bit(7) | Bit(8) | Bit(9)},
        {9, "45", true, kDigitos},
        {1, "7", true, Bit(7)},
        {2, "03", true, Bit(1) | Bit(2)},
    };
    for (const Caso& c : casos) {
        Validado v = Validar(Al(std::string(c.n, 'a')), {c.suma});
        ASSERT_TRUE(v.ok);
        EXPECT_EQ(v.t.Segmentos[0].Unica, c.unica) << c.suma;
        EXPECT_EQ(v.t.Segmentos[0].Combinacion, c.combinacion) << c.suma;
        EXPECT_EQ(v.t.Segmentos[0].NumCasillas, c.n);
    }
}

TEST(ValidarSegmentos, ReservasEnLasLineasQueContienenElSegmento) {
    // Cells 2 and 3 of row 1 lie in boxes 1 and 2; cells 0 and 1 share box 1.
    Validado v = Validar(Al("bbaa"), {"3", "17"});
    ASSERT_TRUE(v.ok);
    for (const int d : {1, 2}) {
        EXPECT_EQ(v.t.Uso(Tabla::Filas, 1, d).SegReserva, 0);
        EXPECT_TRUE(v.t.Uso(Tabla::Filas, 1, d).Usado);
        EXPECT_EQ(v.t.Uso(Tabla::Cuadrantes, 1, d).SegReserva, -1);
        EXPECT_EQ(v.t.Uso(Tabla::Cuadrantes, 2, d).SegReserva, -1);
    }
    for (const int d : {8, 9}) {
        EXPECT_EQ(v.t.Uso(Tabla::Filas, 1, d).SegReserva, 1);
        EXPECT_EQ(v.t.Uso(Tabla::Cuadrantes, 1, d).SegReserva, 1);
        EXPECT_EQ(v.t.Uso(Tabla::Columnas, 1, d).SegReserva, -1);
    }

    // A one-cell segment lies in its row, its column and its box.
    Validado u = Validar(Al("..........a"), {"6"});
    ASSERT_TRUE(u.ok);
    EXPECT_EQ(u.t.Uso(Tabla::Filas, 2, 6).SegReserva, 0);
    EXPECT_EQ(u.t.Uso(Tabla::Columnas, 2, 6).SegReserva, 0);
    EXPECT_EQ(u.t.Uso(Tabla::Cuadrantes, 1, 6).SegReserva, 0);
    EXPECT_FALSE(u.t.Usado(Tabla::Filas, 2, 5));
}

TEST(ValidarSegmentos, SumaSinCasillasQueQuedoDeAntes) {
    Tablero t;
    PlataformaFalsa p;
    Enunciado e = Killer(t, Al("aab"), {"3", "1"});
    ASSERT_TRUE(ValidarSegmentos(t, e.sumas, p));
    // Segment 1 loses its sum and its cell: the record keeps the old sum, the puzzle still
    // passes and the stale record reserves nothing.
    e.sumas[1].clear();
    t.CasillaSeg[2] = -1;
    t.VaciarCuadricula();
    ASSERT_TRUE(ValidarSegmentos(t, e.sumas, p));
    EXPECT_EQ(t.Segmentos[1].Suma, 1);
    EXPECT_TRUE(t.Segmentos[1].Unica);
    EXPECT_EQ(t.Uso(Tabla::Filas, 1, 1).SegReserva, 0);
    EXPECT_EQ(t.Uso(Tabla::Columnas, 3, 1).SegReserva, -1);
    EXPECT_TRUE(p.mensajes.empty());
}

} // namespace
} // namespace velmora
