#include "generador/generador.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "files/puzzle_xml.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

// What every generated puzzle must be: valid as a solve checks it, one solution (the one the
// generator reports) by the verdict, the grade asked as the window computes it from the file's
// value alone, and for a Killer a layout a file can hold: connected cages of 1-9 cells without
// a repeated digit and with the grid's sums, every cell caged, no givens; a classic's givens
// symmetric unless asked otherwise.
void Comprobar(const Generado& g, TipoPuzzle tipo, Nivel nivel, const std::string& que,
               bool simetrico = true) {
    SCOPED_TRACE(que);
    ASSERT_TRUE(g);
    const Enunciado& e = g.enunciado;
    Tablero t;
    ASSERT_FALSE(Validar(t, e));
    const Veredicto v = Juzgar(t);
    ASSERT_EQ(v.soluciones, 1);
    EXPECT_EQ(v.primera, g.solucion);
    const Calificacion cal = Resolver(e);
    EXPECT_TRUE(cal.resuelto);
    EXPECT_EQ(cal.nivel, nivel) << NombreNivel(cal.nivel);
    EXPECT_EQ(g.nivel, nivel);
    EXPECT_EQ(cal.puntuacion, g.puntuacion);
    EXPECT_EQ(e.killer, tipo == TipoPuzzle::Killer);
    if (!e.killer) {
        for (int k = 0; k < kCasillas; ++k) {
            EXPECT_EQ(e.textos[k], e.fijas[k] ? std::to_string(g.solucion[k]) : "");
            EXPECT_TRUE(!simetrico || e.fijas[k] == e.fijas[kCasillas - 1 - k]) << k;
        }
        return;
    }
    EXPECT_TRUE(e.fijas.none());
    std::array<int, kSegmentos> tam{}, suma{}, digitos{};
    for (int k = 0; k < kCasillas; ++k) {
        const int s = e.segmento[k];
        ASSERT_GE(s, 0);
        ASSERT_LT(s, kSegmentos);
        ++tam[s];
        suma[s] += g.solucion[k];
        EXPECT_FALSE(digitos[s] & (1 << g.solucion[k])) << "cifra repetida en la jaula " << s;
        digitos[s] |= 1 << g.solucion[k];
    }
    for (int s = 0; s < kSegmentos; ++s) {
        if (tam[s] == 0) {
            EXPECT_TRUE(e.sumas[s].empty());
            continue;
        }
        EXPECT_LE(tam[s], 9);
        EXPECT_EQ(e.sumas[s], std::to_string(suma[s]));
        // Connected: a flood from its first cell reaches all its cells.
        std::vector<int> pila;
        std::bitset<kCasillas> visto;
        for (int k = 0; k < kCasillas && pila.empty(); ++k)
            if (e.segmento[k] == s) pila.push_back(k), visto.set(k);
        int alcanzadas = 0;
        while (!pila.empty()) {
            const int k = pila.back();
            pila.pop_back();
            ++alcanzadas;
            const int f = k / 9, c = k % 9;
            for (const auto& [df, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const int nf = f + df, nc = c + dc;
                if (nf < 0 || nf > 8 || nc < 0 || nc > 8) continue;
                const int n = nf * 9 + nc;
                if (e.segmento[n] == s && !visto[n]) visto.set(n), pila.push_back(n);
            }
        }
        EXPECT_EQ(alcanzadas, tam[s]) << "jaula " << s << " no conexa";
    }
}

// Many seeds at the cheap levels; the slow ones get a few.
struct Caso {
    TipoPuzzle tipo;
    Nivel nivel;
    int semillas;
};

TEST(Generador, CadaPuzzleEsUnicoDelNivelPedidoYValido) {
    const Caso casos[] = {
        {TipoPuzzle::Killer, Nivel::Moderado, 200}, {TipoPuzzle::Killer, Nivel::Dificil, 40},
        {TipoPuzzle::Killer, Nivel::Facil, 200},    {TipoPuzzle::Killer, Nivel::MuyDificil, 3},
        {TipoPuzzle::Clasico, Nivel::Facil, 300},   {TipoPuzzle::Clasico, Nivel::Moderado, 40},
        {TipoPuzzle::Clasico, Nivel::Dificil, 20},
    };
    for (const Caso& c : casos)
        for (int s = 0; s < c.semillas; ++s) {
            const Generado g = Generar(c.tipo, c.nivel, 1000 + static_cast<uint64_t>(s));
            Comprobar(g, c.tipo, c.nivel,
                      std::string(c.tipo == TipoPuzzle::Killer ? "killer " : "clásico ") +
                          std::string(NombreNivel(c.nivel)) + " semilla " + std::to_string(s));
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TEST(Generador, LaSemillaDecideConUnoOVariosHilos) {
    for (const auto tipo : {TipoPuzzle::Killer, TipoPuzzle::Clasico}) {
        std::set<std::string> distintos;
        for (uint64_t s = 0; s < 6; ++s) {
            OpcionesGenerador uno, varios;
            varios.hilos = 4;
            const Generado a = Generar(tipo, Nivel::Moderado, s, {}, uno);
            const Generado b = Generar(tipo, Nivel::Moderado, s, {}, varios);
            ASSERT_TRUE(a);
            ASSERT_TRUE(b);
            EXPECT_EQ(a.enunciado, b.enunciado) << "semilla " << s;
            EXPECT_EQ(a.candidato, b.candidato);
            EXPECT_EQ(Generar(tipo, Nivel::Moderado, s).enunciado, a.enunciado);
            distintos.insert(TextoPuzzle([&] {
                                 Tablero t;
                                 Validar(t, a.enunciado);
                                 return t;
                             }())
                                 .toStdString());
        }
        EXPECT_EQ(distintos.size(), 6u) << "semillas distintas dieron el mismo sudoku";
    }
}

// The generator's numbers are part of the result: the same on every machine and library.
TEST(Generador, SorteoFijo) {
    Sorteo a(0);
    const std::vector<uint64_t> obtenidos{a.Siguiente(), a.Siguiente(), a.Siguiente()};
    Sorteo b(0);
    EXPECT_EQ(obtenidos, (std::vector<uint64_t>{b.Siguiente(), b.Siguiente(), b.Siguiente()}));
    EXPECT_EQ(obtenidos[0], 0x99EC5F36CB75F2B4ull);
    Sorteo c(42);
    std::array<int, 7> vistos{};
    for (int i = 0; i < 7000; ++i) {
        const int v = c.Menor(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        ++vistos[v];
    }
    for (const int n : vistos)
        EXPECT_GT(n, 800);
}

TEST(Generador, ClasicoSinSimetria) {
    bool asimetrico = false;
    OpcionesGenerador o;
    o.simetria = false;
    for (uint64_t s = 0; s < 10 && !asimetrico; ++s) {
        const Generado g = Generar(TipoPuzzle::Clasico, Nivel::Facil, s, {}, o);
        Comprobar(g, TipoPuzzle::Clasico, Nivel::Facil, "sin simetría", false);
        for (int k = 0; k < kCasillas; ++k)
            asimetrico |= g.enunciado.fijas[k] != g.enunciado.fijas[kCasillas - 1 - k];
    }
    EXPECT_TRUE(asimetrico);
}

// A generated Killer is saved as the window saves it and reads back to the same bytes.
TEST(Generador, KillerSeGuardaYSeReabreIgual) {
    for (int n = 0; n < kNiveles; ++n)
        for (uint64_t s = 0; s < (n < 3 ? 3u : 1u); ++s) {
            const Generado g = Generar(TipoPuzzle::Killer, static_cast<Nivel>(n), s);
            ASSERT_TRUE(g);
            Tablero t;
            ASSERT_FALSE(Validar(t, g.enunciado));
            const QByteArray texto = TextoPuzzle(t);
            const PuzzleLeido l = LeerPuzzle(texto);
            ASSERT_TRUE(l.legible && l.completo);
            const Enunciado e = EnunciadoDe(l);
            EXPECT_EQ(e, g.enunciado);
            Tablero t2;
            ASSERT_FALSE(Validar(t2, e));
            EXPECT_EQ(TextoPuzzle(t2), texto);
        }
}

TEST(Generador, ParadoOAgotado) {
    std::stop_source parar;
    parar.request_stop();
    for (const int hilos : {1, 3}) {
        OpcionesGenerador o;
        o.hilos = hilos;
        EXPECT_EQ(
            Generar(TipoPuzzle::Killer, Nivel::Dificil, 1, Parada{parar.get_token()}, o).estado,
            Generado::Estado::Detenido);
    }
    // One candidate cannot reach guessing from removing givens: the budget runs out.
    OpcionesGenerador o;
    o.intentos = 1;
    const Generado g = Generar(TipoPuzzle::Clasico, Nivel::PruebaYError, 1, {}, o);
    EXPECT_EQ(g.estado, Generado::Estado::Agotado);
    EXPECT_FALSE(g);
    std::atomic<int64_t> probados{0};
    Generar(TipoPuzzle::Clasico, Nivel::PruebaYError, 1, Parada{{}, 0, &probados}, o);
    EXPECT_EQ(probados.load(), 1);
}

TEST(Generador, LeerNivel) {
    const std::pair<const char*, std::optional<Nivel>> casos[] = {
        {"1", Nivel::Facil},
        {"6", Nivel::PruebaYError},
        {"fácil", Nivel::Facil},
        {"Facil", Nivel::Facil},
        {"Muy difícil", Nivel::MuyDificil},
        {"muy-dificil", Nivel::MuyDificil},
        {"EXTREMO", Nivel::Extremo},
        {"prueba y error", Nivel::PruebaYError},
        {"0", std::nullopt},
        {"7", std::nullopt},
        {"", std::nullopt},
        {"imposible", std::nullopt},
    };
    for (const auto& [texto, nivel] : casos)
        EXPECT_EQ(LeerNivel(texto), nivel) << texto;
}

} // namespace
} // namespace velmora
