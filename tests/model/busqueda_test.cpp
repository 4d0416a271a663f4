#include "model/busqueda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "support/azar.h"
#include "support/puzzles.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

// The grid and the move count folded into one number, taken at every yield, so that two
// searches can be compared step by step.
template <class Digito> uint64_t Huella(Digito digito, int64_t movimientos) {
    uint64_t h = 1469598103934665603ull;
    for (int k = 0; k < kCasillas; ++k)
        h = (h ^ digito(k)) * 1099511628211ull;
    return (h ^ static_cast<uint64_t>(movimientos)) * 1099511628211ull;
}

// The window's part in a solve, recorded; the yield number `cancelarEn` sets Cancelado.
struct Anfitrion {
    Tablero t;
    Progreso p;
    int64_t cancelarEn = 0;
    std::vector<uint64_t> huellas; // one per yield

    uint64_t HuellaFinal() const {
        return Huella([&](int k) { return t.Matriz[k]; }, t.Movimientos);
    }
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    bool Ceder() {
        huellas.push_back(HuellaFinal());
        if (static_cast<int64_t>(huellas.size()) == cancelarEn) t.Cancelado = true;
        return true;
    }
    void MostrarMatriz() {}

    // Validation, then the search; nothing when validation refuses the puzzle.
    std::optional<FinBusqueda> Resolver(const Enunciado& e) {
        t.VaciarCuadricula();
        t.Cancelado = false;
        huellas.clear();
        if (Validar(t, e)) return std::nullopt;
        return Buscar(t, p, *this);
    }
};

// The reference search on the puzzle, stopped after `tope` placed digits (0: never).
struct Referencia {
    Referencia(const Enunciado& e, int64_t tope) {
        Tablero t;
        if (Validar(t, e)) return;
        r.emplace(t);
        r->ProcesarEventos = [this, tope] {
            huellas.push_back(HuellaFinal());
            if (static_cast<int64_t>(huellas.size()) == tope) r->Cancelado = true;
        };
        resultado = r->Resolver();
    }
    Referencia(const Referencia&) = delete; // the reference's yield points back here
    uint64_t HuellaFinal() const {
        return Huella([&](int k) { return r->Digito(k); }, r->Movimientos);
    }

    std::optional<referencia::Busqueda> r; // nothing when validation refused the puzzle
    referencia::Resultado resultado{};
    std::vector<uint64_t> huellas;
};

// Runs both searches, each stopped after `tope` placed digits, and expects the same grid and
// count at every placed digit and at the end. Returns how the fast search ended; nothing when
// validation refused the puzzle (then the reference's validation must refuse it too).
std::optional<Final> CompararConReferencia(const Puzzle& z, int64_t tope) {
    SCOPED_TRACE(z.nombre + " tope " + std::to_string(tope));
    Anfitrion a;
    a.cancelarEn = tope;
    const std::optional<FinBusqueda> fin = a.Resolver(z.e);
    const Referencia ref(z.e, tope);
    EXPECT_EQ(fin.has_value(), ref.r.has_value());
    if (!fin || !ref.r) return std::nullopt;
    EXPECT_EQ(a.huellas, ref.huellas);
    const referencia::Resultado& r = ref.resultado;
    EXPECT_EQ(std::tuple(a.HuellaFinal(), fin->final, fin->fila, fin->col),
              std::tuple(ref.HuellaFinal(), r.final, r.fila, r.col));
    return fin->final;
}

// ---------------------------------------------------------------------------------------------
// Known puzzles: the first solution and the move count.

// The classic puzzles' first solutions and move counts are checked end to end by
// tests/cli/cli_test.sh.
TEST(ResolverSudoku, PrimeraSolucionYMovimientos) {
    const struct {
        Puzzle puzzle;
        std::string rejilla; // at the end: the solution, or the empty grid without one
        int64_t movimientos;
    } casos[] = {
        // 26 cages and 27 cells in none.
        {{"Killer parcial",
          {},
          Killer(
              "aa.bccdefag..hhd.iggj...klmgnnn..kkmooppq.krmoop..........stt...u.usvvvwxuuu.yyyz",
              {"13", "9",  "6", "9", "7", "6", "15", "9",  "5",  "8", "10", "9",  "18",
               "20", "18", "9", "9", "4", "6", "16", "19", "19", "1", "9",  "19", "2"})},
         "153924876749836125268571493397465218586192347412783569635217984824659731971348652",
         17453},
        // Row 1 leaves only 5 for its first cell, which shares a sum-10 segment with (2, 4):
        // 5 + 5 fits the sum and every line, but not the segment.
        {{"Killer sin solución",
          {},
          Killer("abcdefghi...a" + std::string(68, '.'),
                 {"10", "1", "2", "3", "4", "6", "7", "8", "9"})},
         std::string(kCasillas, '.'),
         331},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.puzzle.nombre);
        const bool resuelto = c.rejilla.find('.') == std::string_view::npos;
        Anfitrion a;
        // A second solve on the same board: emptying the grid gives the search a clean state.
        for (int vez = 0; vez < 2; ++vez) {
            const std::optional<FinBusqueda> fin = a.Resolver(c.puzzle.e);
            ASSERT_TRUE(fin.has_value());
            EXPECT_EQ(fin->final, resuelto ? Final::Resuelto : Final::SinSolucion);
            EXPECT_EQ(Rejilla(a.t), c.rejilla);
            EXPECT_EQ(a.t.Movimientos, c.movimientos);
        }
        EXPECT_EQ(CompararConReferencia(c.puzzle, 0),
                  resuelto ? Final::Resuelto : Final::SinSolucion);
    }
}

// ---------------------------------------------------------------------------------------------
// Every way a search can end is compared, at caps from a single placed digit to 40,000; many
// puzzles end well within them.
TEST(BusquedaContraReferencia, AlAzar) {
    for (const bool killer : {false, true}) {
        Azar az(killer ? 7151 : 20240611);
        std::map<std::optional<Final>, int> finales;
        for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) {
            const Puzzle z = killer ? KillerAlAzar(az, n) : ClasicoAlAzar(az, n);
            const int tope = az.Hasta(4);
            ++finales[CompararConReferencia(z, tope == 0   ? az.Entre(1, 60)
                                               : tope == 1 ? az.Entre(1, 2000)
                                                           : 40000)];
        }
        EXPECT_GT(finales[Final::Resuelto], 10) << killer;
        EXPECT_GT(finales[Final::SinSolucion], 10) << killer;
        EXPECT_GT(finales[Final::Cancelado], 10) << killer;
    }
}

// The progress figures: n = 9 × fila + col − 9, up to the position past the last cell, rounded
// as in floating point; the counter grouped by threes.
TEST(Progreso, PorcentajeYMovimientos) {
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
