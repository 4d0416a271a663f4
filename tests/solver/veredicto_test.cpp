#include "files/puzzle_xml.h"
#include "solver/veredicto.h"

#include <gtest/gtest.h>

#include <QDir>

#include <QString>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "model/busqueda.h"
#include "solver/combinaciones.h"
#include "lineas.h"
#include "support/puzzles.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

struct Pasivo {
    Tablero& t;
    int64_t tope; // moves, then the search is cancelled
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    bool Ceder() {
        t.Cancelado = t.Movimientos > tope;
        return false;
    }
    void MostrarMatriz() {}
};

Tablero Preparado(const Enunciado& e) {
    Tablero t;
    const auto m = Validar(t, e);
    EXPECT_FALSE(m) << m->texto;
    return t;
}

// Whether the grid keeps every rule of the puzzle: houses, segments (distinct digits, their
// sum) and the given digits.
bool Cumple(const Enunciado& e, const std::array<uint8_t, kCasillas>& r) {
    std::array<uint16_t, 27> casas{};
    std::array<uint16_t, kSegmentos> digitos{};
    std::array<int, kSegmentos> sumas{};
    for (int k = 0; k < kCasillas; ++k) {
        const int d = r[k];
        if (d < 1 || d > 9 || (!e.killer && e.fijas[k] && e.textos[k] != std::to_string(d)))
            return false;
        for (const int l : {kLineas[k].fila, kLineas[k].col, kLineas[k].cuad}) {
            if (casas[l] & Bit(d)) return false;
            casas[l] |= Bit(d);
        }
        if (const int g = e.segmento[k]; e.killer && g >= 0) {
            if (digitos[g] & Bit(d)) return false;
            digitos[g] |= Bit(d);
            sumas[g] += d;
        }
    }
    for (int g = 0; g < kSegmentos; ++g)
        if (digitos[g] && std::to_string(sumas[g]) != e.sumas[g]) return false;
    return true;
}

// The verdict against the search on puzzles whose search ends within `tope` moves: the same
// solution when the verdict finds one, no solution when it finds none, and two valid distinct
// grids when it finds more.
void Contrastar(const Enunciado& e, const std::string& nombre, int64_t tope = 20'000'000) {
    SCOPED_TRACE(nombre);
    Tablero t = Preparado(e);
    const Veredicto v = Juzgar(t);
    Progreso p;
    Pasivo anfitrion{t, tope};
    const FinBusqueda fin = Buscar(t, p, anfitrion);
    ASSERT_NE(fin.final, Final::Cancelado);
    EXPECT_EQ(v.soluciones == 0, fin.final == Final::SinSolucion);
    if (v.soluciones == 1) {
        EXPECT_EQ(v.primera, t.Matriz);
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
        QString fichero;
        int soluciones;
    } casos[] = {
        {VELMORA_EXAMPLES "/clasico.xml", 1},
        {VELMORA_EXAMPLES "/killer.xml", 1},
        {VELMORA_EXAMPLES "/killer_parcial.xml", 1},
        {"killer_bench.xml", 1},
        {"clasico_lleno.xml", 1},
        {"clasico_sin_solucion.xml", 0},
        {"clasico_vacio.xml", 2},
    };
    for (const auto& c : casos) {
        const Apertura a = AbrirPuzzle(QDir::isAbsolutePath(c.fichero)
                                           ? c.fichero
                                           : QStringLiteral(VELMORA_TEST_DATA "/") + c.fichero);
        ASSERT_TRUE(a.completo) << c.fichero.toStdString();
        const Enunciado& e = a.enunciado;
        EXPECT_EQ(Juzgar(Preparado(e)).soluciones, c.soluciones) << c.fichero.toStdString();
        Contrastar(e, c.fichero.toStdString(), 100'000'000);
    }
}

TEST(Veredicto, CoincideConLaBusquedaEnLosKillerGenerados) {
    int contrastados = 0;
    for (const char* fichero : {"killer_generado.txt", "killer_parcial.txt",
                                "killer_parcial_escaso.txt", "killer_parcial_minimo.txt"}) {
        for (const auto& l : lineas::LeerFichero(std::string(VELMORA_BENCH_DATA "/") + fichero)) {
            // Only those whose search is short; the note holds its move count.
            if (l.nota.empty() || l.nota[0] == '>' || std::stoll(l.nota) > 3'000'000) continue;
            EXPECT_EQ(Juzgar(Preparado(l.e)).soluciones, 1);
            Contrastar(l.e, lineas::Escribir(l.e));
            ++contrastados;
        }
    }
    EXPECT_GE(contrastados, 10);
}

// Random puzzles small enough for the literal search to be run past its first solution:
// classic (tipo 0), Killer (1), Killer with some segments left out (2), and that with one sum
// off by one (3).
Enunciado AlAzar(std::mt19937& azar, int tipo) {
    // A solved grid: a fixed one with its digits, rows, columns, bands and stacks shuffled.
    const auto barajar = [&] {
        std::array<int, 9> p;
        std::array<int, 3> grupos{0, 1, 2};
        std::shuffle(grupos.begin(), grupos.end(), azar);
        for (int g = 0; g < 3; ++g) {
            std::array<int, 3> dentro{0, 1, 2};
            std::shuffle(dentro.begin(), dentro.end(), azar);
            for (int i = 0; i < 3; ++i)
                p[3 * g + i] = 3 * grupos[g] + dentro[i];
        }
        return p;
    };
    const std::array<int, 9> filas = barajar(), cols = barajar(), digitos = barajar();
    std::array<uint8_t, kCasillas> r{};
    for (int k = 0; k < kCasillas; ++k) {
        const int f = filas[k / 9], c = cols[k % 9];
        r[k] = static_cast<uint8_t>(1 + digitos[(3 * (f % 3) + f / 3 + c) % 9]);
    }
    Enunciado e;
    e.killer = tipo > 0;
    if (!e.killer) {
        for (int k = 0; k < kCasillas; ++k)
            if (azar() % 100 < 50) {
                e.fijas.set(k);
                e.textos[k] = std::to_string(r[k]);
            }
        return e;
    }
    // Segments of one to four cells grown from random cells over neighbours with new digits.
    std::array<int, kCasillas> orden;
    std::iota(orden.begin(), orden.end(), 0);
    std::shuffle(orden.begin(), orden.end(), azar);
    int g = 0;
    for (const int inicio : orden) {
        if (e.segmento[inicio] >= 0 || g == kSegmentos) continue;
        const int quitar = tipo >= 2 && azar() % 8 == 0; // left out, its cells free
        int suma = 0, largo = 1 + azar() % 4;
        uint16_t usados = 0;
        for (int k = inicio; k >= 0 && largo-- > 0;) {
            e.segmento[k] = static_cast<int8_t>(g);
            suma += r[k];
            usados |= Bit(r[k]);
            int siguiente = -1;
            for (const int v : {k - 9, k + 9, k % 9 ? k - 1 : -1, k % 9 < 8 ? k + 1 : -1})
                if (v >= 0 && v < kCasillas && e.segmento[v] < 0 && !(usados & Bit(r[v])))
                    siguiente = v;
            k = siguiente;
        }
        if (quitar) {
            for (int8_t& s : e.segmento)
                if (s == g) s = kSegmentos; // taken, freed below
            continue;
        }
        e.sumas[g] = std::to_string(suma + (tipo == 3 && g == 0));
        ++g;
    }
    for (int8_t& s : e.segmento)
        if (s == kSegmentos) s = -1;
    return e;
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

TEST(Veredicto, CuentaComoLaBusquedaLiteralLlevadaMasAllaDeSuPrimeraSolucion) {
    std::mt19937 azar(20261206);
    std::array<std::array<int, 3>, 4> vistos{}; // by kind: puzzles with 0, 1, 2+ solutions
    int largos = 0;
    for (int i = 0; i < 160; ++i) {
        const int tipo = i % 4;
        const Enunciado e = AlAzar(azar, tipo);
        Tablero t;
        if (Validar(t, e)) continue; // a sum off by one can break the 405 rule
        const int esperado = ContarConReferencia(t);
        if (esperado < 0) {
            ++largos;
            continue;
        }
        const Veredicto v = Juzgar(t);
        ASSERT_EQ(v.soluciones, esperado) << lineas::Escribir(e);
        ++vistos[tipo][esperado];
    }
    // Each kind met both one solution and more; a sum off by one mostly leaves none.
    for (int tipo = 0; tipo < 3; ++tipo) {
        EXPECT_GT(vistos[tipo][1], 0) << tipo;
        EXPECT_GT(vistos[tipo][2], 0) << tipo;
    }
    EXPECT_GT(vistos[3][0], 0);
    EXPECT_LT(largos, 16);
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
