#include "model/paralela.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <tuple>

#include "files/puzzle_xml.h"
#include "support/azar.h"
#include "support/puzzles.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kConSanitizadores = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kConSanitizadores = true;
#else
constexpr bool kConSanitizadores = false;
#endif
#else
constexpr bool kConSanitizadores = false;
#endif

// The board as the driver hands it to the search: validated, nothing placed, the count at 0.
std::optional<Tablero> Preparado(const Puzzle& z) {
    Tablero t;
    if (Validar(t, z.e)) return std::nullopt;
    return t;
}

// The whole board: grid, counter, flags, use tables and each segment's digits, count and sum.
void EsperarMismoTablero(const Tablero& t, const Tablero& u) {
    ASSERT_EQ(Rejilla(t), Rejilla(u));
    EXPECT_EQ(t.Movimientos, u.Movimientos);
    EXPECT_EQ(t.SinSolucion, u.SinSolucion);
    EXPECT_EQ(t.SinCandidato, u.SinCandidato);
    for (const Tabla tabla : {Tabla::Filas, Tabla::Columnas, Tabla::Cuadrantes})
        for (int x = 1; x <= 9; ++x)
            for (int d = 1; d <= 9; ++d) {
                const UsoNumero a = t.Uso(tabla, x, d), b = u.Uso(tabla, x, d);
                ASSERT_TRUE(a.Usado == b.Usado && a.SegReserva == b.SegReserva)
                    << "table " << static_cast<int>(tabla) << " line " << x << " digit " << d;
            }
    for (int s = 0; s < kRegistros; ++s) {
        const Segmento &a = t.Segmentos[s], &b = u.Segmentos[s];
        ASSERT_TRUE(a.Numeros == b.Numeros && a.cuenta == b.cuenta && a.parcial == b.parcial)
            << "segment " << s;
    }
}

struct Paralelo {
    Tablero t;
    FinBusqueda fin;
    int corte;
    int64_t subarboles, solucion;
};

Paralelo BuscarConHilos(const Tablero& preparado, int hilos, int corte) {
    BusquedaParalela b(preparado, hilos, corte);
    Tablero t;
    const FinBusqueda fin = b.Resultado(t);
    EXPECT_EQ(b.MovimientosContados(), t.Movimientos);
    return {t, fin, b.Corte(), b.Subarboles(), b.SubarbolSolucion()};
}

// Where the first solution lay among the subtrees, over a set of searches.
struct Recuento {
    int resueltos = 0, sinSolucion = 0, rechazados = 0;
    int enLaPrimera = 0, enOtra = 0, enNinguna = 0;
};

// Each parallel search against the single-thread search. Returns false when the puzzle was
// refused or its search is longer than `tope`.
bool Comparar(const Puzzle& z, int64_t tope, std::initializer_list<std::pair<int, int>> repartos,
              Recuento& r) {
    SCOPED_TRACE(z.nombre);
    const std::optional<Tablero> preparado = Preparado(z);
    if (!preparado) {
        ++r.rechazados;
        return false;
    }
    const Secuencial s = BuscarHasta(*preparado, tope);
    if (s.fin.final == Final::Cancelado) return false;
    (s.fin.final == Final::Resuelto ? r.resueltos : r.sinSolucion)++;
    for (const auto& [hilos, c] : repartos) {
        SCOPED_TRACE(std::to_string(hilos) + " hilos, corte " + std::to_string(c));
        const Paralelo p = BuscarConHilos(*preparado, hilos, c);
        EXPECT_EQ(std::tuple(p.fin.final, p.fin.fila, p.fin.col),
                  std::tuple(s.fin.final, s.fin.fila, s.fin.col));
        EXPECT_FALSE(p.t.Cancelado);
        EsperarMismoTablero(p.t, s.t);
        if (c != kCorteAutomatico)
            (p.solucion == 0 ? r.enLaPrimera : p.solucion > 0 ? r.enOtra : r.enNinguna)++;
        if (::testing::Test::HasFailure()) return true;
    }
    return true;
}

TEST(BusquedaParalela, IgualQueUnHiloEnLosDatosDePrueba) {
    const int64_t tope = kConSanitizadores ? 1'000'000 : 30'000'000;
    Recuento r;
    int comparados = 0;
    for (const QFileInfo& f : QDir(VELMORA_TEST_DATA).entryInfoList({"*.xml"})) {
        const Apertura a = AbrirPuzzle(f.filePath());
        if (!a.completo) continue;
        constexpr int kAuto = kCorteAutomatico;
        comparados +=
            Comparar({f.fileName().toStdString(), {}, a.enunciado}, tope,
                     {{1, kAuto}, {2, kAuto}, {3, kAuto}, {8, kAuto}, {2, 5}, {3, 30}}, r);
    }
    EXPECT_GE(comparados, kConSanitizadores ? 3 : 4);
    EXPECT_GT(r.resueltos, 0);
    EXPECT_GT(r.sinSolucion, 0);
}

// Random puzzles of every kind; the searches that would run long are left out.
TEST(BusquedaParalela, IgualQueUnHiloEnPuzzlesAlAzar) {
    // Threads are costly to start under the sanitizers: fewer puzzles there.
    const int puzzles = kConSanitizadores ? 250 : 1000;
    const int64_t tope = kConSanitizadores ? 10'000 : 100'000;
    Azar az(90210);
    Recuento clasicos, killers;
    // Each puzzle with two of the worker counts in turn: one search on the cut it chooses, one on
    // a cut drawn at random.
    constexpr int kHilos[] = {1, 2, 3, 8};
    for (int n = 0; n < puzzles && !::testing::Test::HasFailure(); ++n) {
        const int a = kHilos[n % 4], b = kHilos[(n + 1 + n / 4) % 4];
        Comparar(ClasicoAlAzar(az, n), tope, {{a, kCorteAutomatico}, {b, az.Entre(0, 80)}},
                 clasicos);
        Comparar(KillerAlAzar(az, n), tope, {{b, kCorteAutomatico}, {a, az.Entre(0, 80)}}, killers);
    }
    // Every outcome, and the solution in the first subtree, in a later one and in none.
    for (const Recuento* r : {&clasicos, &killers})
        EXPECT_GT(std::min({r->resueltos, r->sinSolucion, r->enLaPrimera, r->enOtra, r->enNinguna}),
                  puzzles / 40);
    EXPECT_GT(clasicos.rechazados, puzzles / 40);
    // Most are compared, some 1,100 outside the sanitizers.
    EXPECT_GE(clasicos.resueltos + clasicos.sinSolucion + killers.resueltos + killers.sinSolucion,
              puzzles * 4 / 5);
}

const std::string kSolucionVacio = "123456789456789123789123456214365897365897214897214365"
                                   "531642978642978531978531642";
// The first row of its solution is 9 8 7 6 5 4 3 2 1: the last arrangement of the row the search
// tries, so cut after the row the solution lies in the last subtree.
const Puzzle k192k = ClasicoDe("192.403", "9876..........3.85..1.2.......5.7.....4...1...9......."
                                          "5......73..2.1........4...9");

TEST(BusquedaParalela, SolucionEnElPrimerSubarbolEnElUltimoYEnNinguno) {
    enum class Donde { Primero, Ultimo, Otro, Ninguno };
    struct Caso {
        Puzzle puzzle;
        int corte;
        Donde donde;
        int64_t movimientos;
    };
    const std::string sinSolucion = "12345678.........9" + std::string(63, '.');
    const Caso casos[] = {
        {ClasicoDe("vacío", std::string(kCasillas, '.')), 1, Donde::Primero, 701},
        {ClasicoDe("vacío", std::string(kCasillas, '.')), 27, Donde::Primero, 701},
        {k192k, 9, Donde::Ultimo, 192403},
        {k192k, 13, Donde::Otro, 192403},
        {ClasicoDe("sin solución", sinSolucion), 8, Donde::Ninguno, 17},
        // Every cell given: the walk above the cut is the whole search.
        {ClasicoDe("lleno", kSolucionVacio), 0, Donde::Ninguno, 81},
    };
    for (const Caso& c : casos)
        for (const int hilos : {1, 2, 3, 8}) {
            SCOPED_TRACE(c.puzzle.nombre + " corte " + std::to_string(c.corte) + ", " +
                         std::to_string(hilos) + " hilos");
            const std::optional<Tablero> preparado = Preparado(c.puzzle);
            ASSERT_TRUE(preparado);
            const Paralelo p = BuscarConHilos(*preparado, hilos, c.corte);
            EXPECT_EQ(p.t.Movimientos, c.movimientos);
            EXPECT_EQ(p.solucion > 0, c.donde == Donde::Ultimo || c.donde == Donde::Otro);
            EXPECT_EQ(p.solucion, c.donde == Donde::Primero   ? 0
                                  : c.donde == Donde::Ninguno ? -1
                                  : c.donde == Donde::Ultimo  ? p.subarboles - 1 // none after it
                                                              : p.solucion);
        }
}

TEST(BusquedaParalela, ElCorteSaltaLasFijasYUnHiloEsUnSoloSubarbol) {
    const std::optional<Tablero> preparado = Preparado(k192k);
    ASSERT_TRUE(preparado);
    EXPECT_EQ(BusquedaParalela(*preparado, 2, 0).Corte(), 4); // the first four cells are given
    EXPECT_EQ(BusquedaParalela(*preparado, 2, 16).Corte(), 18);
    // With every cell given there is nothing below any cut.
    const std::optional<Tablero> lleno = Preparado(ClasicoDe("lleno", kSolucionVacio));
    ASSERT_TRUE(lleno);
    EXPECT_EQ(BusquedaParalela(*lleno, 2, 3).Corte(), kCasillas);

    const Paralelo uno = BuscarConHilos(*preparado, 1, kCorteAutomatico);
    EXPECT_EQ(uno.corte, 4);
    EXPECT_EQ(uno.subarboles, 1);
    EXPECT_EQ(uno.solucion, 0);
}

// ---------------------------------------------------------------------------------------------
// Cancelling.

Tablero Clasico176m() {
    return *Preparado({"176m", {}, AbrirPuzzle(VELMORA_TEST_DATA "/clasico_176m.xml").enunciado});
}

// Waits, polling as a window would, until the workers have counted `n` moves.
void EsperarMovimientos(BusquedaParalela& b, int64_t n) {
    while (b.MovimientosContados() < n && !b.Terminada())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(CancelarParalela, DejaElEstadoDelPrimerSubarbolEnCursoComoUnHiloAlCancelarAhi) {
    const Tablero preparado = Clasico176m();
    for (const int hilos : {2, 3}) {
        SCOPED_TRACE(std::to_string(hilos) + " hilos");
        BusquedaParalela b(preparado, hilos);
        EsperarMovimientos(b, kConSanitizadores ? 200'000 : 5'000'000);
        // From another thread, as the window's cancel would come.
        std::thread([&b] { b.Cancelar(); }).join();
        Tablero t;
        const FinBusqueda fin = b.Resultado(t);
        ASSERT_EQ(fin.final, Final::Cancelado);
        EXPECT_TRUE(t.Cancelado);
        EXPECT_EQ(b.MovimientosContados(), t.Movimientos);
        EXPECT_EQ(b.SubarbolSolucion(), -1);

        // The single-thread search cancelled right after the digit placed at that count.
        const Secuencial s = BuscarHasta(preparado, t.Movimientos);
        EXPECT_EQ(std::tuple(fin.final, fin.fila, fin.col),
                  std::tuple(s.fin.final, s.fin.fila, s.fin.col));
        EsperarMismoTablero(t, s.t);
    }
}

TEST(CancelarParalela, TrasElFinalNoCambiaElResultado) {
    const std::optional<Tablero> preparado = Preparado(k192k);
    ASSERT_TRUE(preparado);
    BusquedaParalela b(*preparado, 2);
    while (!b.Esperar(std::chrono::milliseconds(100))) {
    }
    b.Cancelar();
    Tablero t;
    EXPECT_EQ(b.Resultado(t).final, Final::Resuelto);
    EXPECT_EQ(t.Movimientos, 192403);
    EXPECT_FALSE(t.Cancelado);
}

// The count a window polls grows while the search runs; destroying the search stops it.
TEST(CancelarParalela, ElRecuentoCreceYAlDestruirseParaYEspera) {
    const Tablero preparado = Clasico176m();
    for (const int hilos : {1, 2, 8}) {
        BusquedaParalela b(preparado, hilos);
        int64_t antes = 0;
        for (int i = 0; i < 3; ++i) {
            EsperarMovimientos(b, antes + 20'000);
            const int64_t ahora = b.MovimientosContados();
            EXPECT_GE(ahora, antes + 20'000);
            antes = ahora;
        }
        EXPECT_FALSE(b.Terminada());
    }
}

} // namespace
} // namespace velmora
