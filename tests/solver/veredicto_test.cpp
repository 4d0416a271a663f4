#include "files/puzzle_xml.h"
#include "solver/veredicto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

TEST(Veredicto, CoincideConLaBusquedaEnLosKillerGenerados) {
    int contrastados = 0;
    for (const char* fichero : {"killer_generado.txt", "killer_parcial.txt",
                                "killer_parcial_escaso.txt", "killer_parcial_minimo.txt"}) {
        for (const auto& l : lineas::LeerFichero(std::string(VELMORA_BENCH_DATA "/") + fichero)) {
            // Only those whose search is short; the note holds its move count.
            if (l.nota.empty() || l.nota[0] == '>' || std::stoll(l.nota) > 3'000'000) continue;
            Contrastar(l.e, lineas::Escribir(l.e), 1);
            ++contrastados;
        }
    }
    EXPECT_GE(contrastados, 10);
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
