#include "files/puzzle_xml.h"
#include "solver/veredicto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "lineas.h"
#include "model/busqueda.h"
#include "solver/combinaciones.h"
#include "support/azar.h"
#include "support/puzzles.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

// Whether the grid is full, keeps the givens and repeats no digit: as givens, validation takes it.
bool Cumple(const Enunciado& e, const std::array<uint8_t, kCasillas>& r) {
    std::string s;
    for (int k = 0; k < kCasillas; ++k) {
        s += static_cast<char>('0' + r[k]);
        if (r[k] < 1 || r[k] > 9 || (e.fijas[k] && e.textos[k] != s.substr(k))) return false;
    }
    Tablero t;
    return !Validar(t, Clasico(s));
}

// The verdict against the search on puzzles whose search ends within `tope` moves: the same
// solution when the verdict finds one, no solution when it finds none, and two valid distinct
// grids when it finds more.
void Contrastar(const Enunciado& e, const std::string& nombre, int soluciones,
                int64_t tope = 20'000'000) {
    SCOPED_TRACE(nombre);
    Tablero t;
    ASSERT_FALSE(Validar(t, e));
    const Veredicto v = Juzgar(t);
    EXPECT_EQ(v.soluciones, soluciones);
    const auto [u, fin] = BuscarHasta(t, tope);
    ASSERT_NE(fin.final, Final::Cancelado);
    EXPECT_EQ(v.soluciones == 0, fin.final == Final::SinSolucion);
    if (v.soluciones == 1) {
        EXPECT_EQ(v.primera, u.Matriz);
    }
    if (v.soluciones == 2) {
        EXPECT_TRUE(Cumple(e, v.primera));
        EXPECT_TRUE(Cumple(e, v.segunda));
        EXPECT_NE(v.primera, v.segunda);
        EXPECT_TRUE(Diferencias(v).any());
    }
}

TEST(Veredicto, CoincideConLaBusquedaEnLosSudokusDelProyecto) {
    const struct {
        const char* fichero;
        int soluciones;
    } casos[] = {
        {VELMORA_EXAMPLES "/clasico.xml", 1},
        {VELMORA_EXAMPLES "/killer.xml", 1},
        {VELMORA_EXAMPLES "/killer_parcial.xml", 1},
        {VELMORA_TEST_DATA "/killer_bench.xml", 1},
        {VELMORA_TEST_DATA "/clasico_lleno.xml", 1},
        {VELMORA_TEST_DATA "/clasico_sin_solucion.xml", 0},
        {VELMORA_TEST_DATA "/clasico_vacio.xml", 2},
    };
    for (const auto& c : casos) {
        const Apertura a = AbrirPuzzle(c.fichero);
        ASSERT_TRUE(a.completo) << c.fichero;
        Contrastar(a.enunciado, c.fichero, c.soluciones, 100'000'000);
    }
}

// The literal search's count of solutions, up to two; -1 when it needs more than 3 million moves.
int ContarConReferencia(const Tablero& t) {
    referencia::Busqueda b(t);
    b.ProcesarEventos = [&b] { b.Cancelado = b.Movimientos > 3'000'000; };
    int soluciones = 0;
    for (auto r = b.Resolver(); r.final == Final::Resuelto && soluciones < 2; r = b.Reanudar())
        ++soluciones;
    return b.Cancelado ? -1 : soluciones;
}

// Random puzzles of every kind from the shared generator, those the literal search can count
// within its cap: each kind must meet no solution, one and more.
TEST(Veredicto, CuentaComoLaBusquedaLiteralLlevadaMasAllaDeSuPrimeraSolucion) {
    Azar az(20261206);
    std::array<std::array<int, 3>, 2> vistos{}; // classic, Killer: puzzles with 0, 1, 2+ solutions
    for (int n = 0; n < 200; ++n) {
        const bool killer = n % 2;
        const Puzzle z = killer ? KillerAlAzar(az, n / 2) : ClasicoAlAzar(az, n / 2);
        Tablero t;
        if (Validar(t, z.e)) continue;
        const int esperado = ContarConReferencia(t);
        if (esperado < 0) continue;
        ASSERT_EQ(Juzgar(t).soluciones, esperado) << z.nombre;
        ++vistos[killer][esperado];
    }
    for (const auto& v : vistos) {
        EXPECT_GT(std::min({v[0], v[1], v[2]}), 5);
        EXPECT_GT(v[0] + v[1] + v[2], 60);
    }
}

// Solutions up to two by plain backtracking on the verdict's own reading of the puzzle: the
// fewest digits first, houses and segment sums checked as cells fill; -1 past `tope` nodes.
int ContarDirecto(const Reglas& r, int64_t tope = 200'000) {
    struct Estado {
        std::array<uint16_t, 27> casa{};
        std::array<uint16_t, kCasillas> digitosSeg{};
        std::array<int, kCasillas> sumaSeg{}, libresSeg{};
        std::array<uint8_t, kCasillas> rejilla{};
    } s;
    for (int k = 0; k < kCasillas; ++k)
        if (r.segmento[k] >= 0) {
            if (r.suma[r.segmento[k]] == 0) return 0;
            ++s.libresSeg[r.segmento[k]];
        }
    int64_t nodos = 0;
    // Whether d fits cell k: its houses, and its segment's digits and sum.
    const auto cabe = [&](int k, int d) {
        const LineasCasilla l = kLineas[k];
        if ((s.casa[l.fila] | s.casa[l.col] | s.casa[l.cuad]) & Bit(d)) return false;
        const int g = r.segmento[k];
        if (g < 0) return true;
        if (s.digitosSeg[g] & Bit(d)) return false;
        const int resto = r.suma[g] - s.sumaSeg[g] - d, libres = s.libresSeg[g] - 1;
        return libres == 0
                   ? resto == 0
                   : resto >= libres * (libres + 1) / 2 && resto <= libres * (19 - libres) / 2;
    };
    const auto poner = [&](int k, int d, int signo) {
        const LineasCasilla l = kLineas[k];
        for (const int h : {l.fila, l.col, l.cuad})
            s.casa[h] ^= Bit(d);
        if (const int g = r.segmento[k]; g >= 0) {
            s.digitosSeg[g] ^= Bit(d);
            s.sumaSeg[g] += signo * d;
            s.libresSeg[g] -= signo;
        }
        s.rejilla[k] = static_cast<uint8_t>(signo > 0 ? d : 0);
    };
    for (int k = 0; k < kCasillas; ++k)
        if (r.fija[k]) {
            if (!cabe(k, r.fija[k])) return 0;
            poner(k, r.fija[k], 1);
        }
    int soluciones = 0;
    const auto buscar = [&](auto& self) -> void {
        if (++nodos > tope || soluciones >= 2) return;
        int mejor = -1, menos = 10;
        uint16_t opciones = 0;
        for (int k = 0; k < kCasillas && menos > 0; ++k) {
            if (s.rejilla[k]) continue;
            uint16_t c = 0;
            for (int d = 1; d <= 9; ++d)
                if (cabe(k, d)) c |= Bit(d);
            if (std::popcount(c) < menos) menos = std::popcount(c), mejor = k, opciones = c;
        }
        if (mejor < 0) {
            ++soluciones;
            return;
        }
        for (int d = 1; d <= 9; ++d)
            if (opciones & Bit(d)) {
                poner(mejor, d, 1);
                self(self);
                poner(mejor, d, -1);
            }
    };
    buscar(buscar);
    return nodos > tope ? -1 : soluciones;
}

// The verdict's reading of a Killer with givens, which the window's Killer mode does not have:
// Reglas takes both.
Reglas ReglasConPistas(const Enunciado& e) {
    Reglas r;
    for (int k = 0; k < kCasillas; ++k) {
        if (const int g = e.segmento[k]; g >= 0) {
            r.segmento[k] = static_cast<int8_t>(g);
            r.suma[g] = static_cast<uint8_t>(std::stoi(e.sumas[g]));
        }
        if (e.fijas[k]) r.fija[k] = static_cast<uint8_t>(e.textos[k][0] - '0');
    }
    return r;
}

// Large segments, and the long signed sums and seven- to nine-cell matchings they bring, against
// plain backtracking (the literal search takes no givens in a Killer, and these need them to be
// counted in a test's time): covering the grid, with a sum moved, sparse, and of four and five
// cells.
TEST(Veredicto, CuentaComoLaBusquedaDirectaEnKillerDeJaulasGrandes) {
    Azar az(20261207);
    std::array<int, 3> vistos{};
    std::array<int, 4> porTipo{};
    for (int n = 0; n < 80; ++n) {
        const Puzzle z = KillerGrandeAlAzar(az, n);
        const Reglas r = ReglasConPistas(z.e);
        const int esperado = ContarDirecto(r);
        if (esperado < 0) continue;
        ASSERT_EQ(Juzgar(r).soluciones, esperado) << z.nombre;
        ++vistos[esperado];
        ++porTipo[n % 4];
    }
    EXPECT_GT(std::min({vistos[0], vistos[1], vistos[2]}), 3);
    EXPECT_GT(*std::min_element(porTipo.begin(), porTipo.end()), 5);
}

// Whether a grid of the verdict's keeps the givens and repeats no digit in a house.
bool Resuelve(const Reglas& r, const std::array<uint8_t, kCasillas>& g) {
    std::array<uint16_t, 27> casas{};
    for (int k = 0; k < kCasillas; ++k) {
        if (g[k] < 1 || g[k] > 9 || (r.fija[k] && r.fija[k] != g[k])) return false;
        const LineasCasilla l = kLineas[k];
        for (const int h : {l.fila, l.col, l.cuad}) {
            if (casas[h] & Bit(g[k])) return false;
            casas[h] |= Bit(g[k]);
        }
    }
    return true;
}

// Classic puzzles of every kind read as the verdict reads them, givens that clash included
// (validation refuses those): the count of plain backtracking, and grids that solve them.
TEST(Veredicto, ClasicoCuentaComoLaBusquedaDirectaConPistasQueChocan) {
    Azar az(20261208);
    std::array<std::array<int, 3>, 4> vistos{}; // by kind: 0, 1, 2+ solutions
    for (int n = 0; n < 240; ++n) {
        const Puzzle z = ClasicoAlAzar(az, n);
        const Reglas r = ReglasConPistas(z.e);
        const int esperado = ContarDirecto(r);
        if (esperado < 0) continue;
        const Veredicto v = Juzgar(r);
        ASSERT_EQ(v.soluciones, esperado) << z.nombre;
        ++vistos[n % 4][esperado];
        if (esperado >= 1) {
            EXPECT_TRUE(Resuelve(r, v.primera)) << z.nombre;
        }
        if (esperado == 2) {
            EXPECT_TRUE(Resuelve(r, v.segunda)) << z.nombre;
            EXPECT_NE(v.primera, v.segunda) << z.nombre;
        }
    }
    EXPECT_GT(vistos[3][0], 20); // repeated givens
    EXPECT_GT(vistos[0][1] + vistos[2][1], 10);
    EXPECT_GT(vistos[0][2] + vistos[2][2], 10);
}

// The first line of a benchmark set, ready for the verdict.
Tablero Primero(const char* fichero, size_t linea = 0) {
    Tablero t;
    const auto l = lineas::LeerFichero(std::string(VELMORA_BENCH_DATA "/") + fichero);
    EXPECT_GT(l.size(), linea);
    EXPECT_FALSE(Validar(t, l.at(linea).e));
    return t;
}

void ComprobarTope(const Tablero& t) {
    std::atomic<int64_t> vistas{-1};
    Parada libre;
    libre.ramas = &vistas;
    const Veredicto completo = Juzgar(t, libre);
    ASSERT_EQ(completo.soluciones, 1);
    ASSERT_GT(completo.ramas, 10);
    EXPECT_EQ(vistas.load(), completo.ramas);
    const struct {
        int64_t tope;
        int soluciones;
    } casos[] = {
        {1, -1}, {completo.ramas - 1, -1}, {completo.ramas, 1}, {0, 1}, // no limit
    };
    for (const auto& c : casos) {
        Parada p;
        p.maxRamas = c.tope;
        const Veredicto v = Juzgar(t, p);
        EXPECT_EQ(v.soluciones, c.soluciones) << c.tope;
        if (c.soluciones < 0) {
            EXPECT_LE(v.ramas, c.tope + 1);
        }
    }
    // A stop asked before it starts leaves it unknown.
    std::stop_source fuente;
    fuente.request_stop();
    EXPECT_EQ(Juzgar(t, Parada{fuente.get_token()}).soluciones, -1);
}

TEST(Veredicto, ElTopeOUnaParadaPreviaLoDejanEnDesconocidoYLaCuentaSeVeDesdeFuera) {
    for (const char* fichero : {"killer_parcial_minimo.txt", "clasico_dificil.txt"}) {
        SCOPED_TRACE(fichero);
        ComprobarTope(Primero(fichero));
    }
}

// A stop asked from another thread once the count moves: the verdict ends unknown, or with the
// right answer if it was done first.
TEST(Veredicto, UnaParadaDesdeOtroHiloLoTermina) {
    const Tablero t = Primero("killer_parcial_minimo.txt");
    std::atomic<int64_t> ramas{0};
    std::stop_source fuente;
    Parada p;
    p.token = fuente.get_token();
    p.ramas = &ramas;
    std::atomic<bool> hecho{false};
    std::jthread vigia([&] {
        while (ramas.load(std::memory_order_relaxed) == 0 && !hecho.load())
            std::this_thread::yield();
        fuente.request_stop();
    });
    const Veredicto v = Juzgar(t, p);
    hecho = true;
    EXPECT_TRUE(v.soluciones == -1 || v.soluciones == 1) << v.soluciones;
}

TEST(Veredicto, SinSolucionCuandoLasReglasSeContradicen) {
    // A cell of a segment that has no sum gets no candidate in the search: no solution.
    Tablero t;
    t.CasillaSeg[40] = 3;
    EXPECT_EQ(Juzgar(t).soluciones, 0);
    Reglas r;
    r.fija = {};
    for (int k = 0; k < 9; ++k)
        r.fija[k] = static_cast<uint8_t>(k + 1);
    r.fija[9] = 1; // a given repeated in its box
    EXPECT_EQ(Juzgar(r).soluciones, 0);
}

// What singles and the box/line rule settle takes no guess, also when a segment keeps the puzzle
// from the plain-grid solver: a rule that stops finding what it should shows here, where the
// counts above stay right.
TEST(Veredicto, LoQueDecidenLasReglasNoRamifica) {
    const Apertura a = AbrirPuzzle(VELMORA_EXAMPLES "/clasico.xml");
    ASSERT_TRUE(a.completo);
    Tablero t;
    ASSERT_FALSE(Validar(t, a.enunciado));
    Reglas r = ReglasDe(t);
    const Veredicto clasico = Juzgar(r);
    ASSERT_EQ(clasico.soluciones, 1);
    for (const int k : {0, 1}) // a two-cell segment of the solution, open or given
        r.segmento[k] = 0;
    r.suma[0] = static_cast<uint8_t>(clasico.primera[0] + clasico.primera[1]);
    const Veredicto v = Juzgar(r);
    EXPECT_EQ(v.soluciones, 1);
    EXPECT_EQ(v.primera, clasico.primera);
    EXPECT_EQ(v.ramas, 0);
}

// Segments of the verdict's own reading, by cell lists, the rest of the grid open (too open for
// plain backtracking to prove none).
TEST(Veredicto, SegmentosLargosYSumasDerivadas) {
    const auto fila = [](int f, int desde, int hasta) {
        std::vector<int> c;
        for (int x = desde; x <= hasta; ++x)
            c.push_back(9 * f + x);
        return c;
    };
    const struct {
        const char* nombre;
        std::vector<std::pair<std::vector<int>, int>> segmentos;
        int soluciones;
    } casos[] = {
        {"nueve casillas que no suman 45", {{fila(0, 0, 8), 44}}, 0},
        {"nueve casillas que suman 45", {{fila(0, 0, 8), 45}}, 2},
        // The row leaves 9 for its last cell, which its two-cell segment cannot take.
        {"lo que sobra de la fila choca con su otro segmento",
         {{fila(0, 0, 7), 36}, {{8, 17}, 3}},
         0},
        // The same with a sum the 9 fits: 9 + 3.
        {"segmento que sale de la fila", {{fila(0, 0, 7), 36}, {{8, 17}, 12}}, 2},
        {"siete casillas sin combinación", {{fila(4, 1, 7), 27}}, 0},
        {"siete casillas de suma mínima", {{fila(4, 1, 7), 28}}, 2},
    };
    for (const auto& c : casos) {
        Reglas r;
        for (size_t g = 0; g < c.segmentos.size(); ++g) {
            for (const int k : c.segmentos[g].first)
                r.segmento[k] = static_cast<int8_t>(g);
            r.suma[g] = static_cast<uint8_t>(c.segmentos[g].second);
        }
        EXPECT_EQ(Juzgar(r).soluciones, c.soluciones) << c.nombre;
    }
}

TEST(Combinaciones, ConjuntosPorTamanoYSuma) {
    const struct {
        int casillas, suma;
        std::vector<std::string> textos;
    } casos[] = {
        {3, 7, {"1+2+4"}},    {3, 10, {"1+2+7", "1+3+6", "1+4+5", "2+3+5"}},
        {2, 17, {"8+9"}},     {1, 5, {"5"}},
        {4, 30, {"6+7+8+9"}}, {9, 45, {"1+2+3+4+5+6+7+8+9"}},
        {2, 2, {}},           {1, 10, {}},
        {0, 0, {}},           {10, 45, {}},
        {3, -1, {}},
    };
    for (const auto& c : casos) {
        std::vector<std::string> textos;
        for (const uint16_t conjunto : Combinaciones(c.casillas, c.suma))
            textos.push_back(TextoCombinacion(conjunto));
        EXPECT_EQ(textos, c.textos) << c.casillas << " casillas, suma " << c.suma;
    }
    size_t todos = 0;
    for (int n = 1; n <= 9; ++n)
        for (int s = 0; s <= 45; ++s)
            todos += Combinaciones(n, s).size();
    EXPECT_EQ(todos, 511u); // every non-empty set of digits, once
}

} // namespace
} // namespace velmora
