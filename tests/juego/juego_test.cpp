// The game as a value: entry, marks, candidates, clashes, cage arithmetic, the check, the
// clock, the play history and the kept file.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

#include "juego/estado.h"
#include "juego/reglas.h"
#include "support/puzzles.h"

namespace velmora {
namespace {

// A full grid: row r shifted by 3r + r/3.
Digitos Solucion() {
    Digitos s{};
    for (int k = 0; k < kCasillas; ++k) {
        const int r = FilaDe(k) - 1, c = ColDe(k) - 1;
        s[k] = static_cast<uint8_t>((r * 3 + r / 3 + c) % 9 + 1);
    }
    return s;
}

// A Killer on that grid: three cells of a row within a box make a cage (27 cages), with the
// solution's sums; `dadas` cells are given.
Partida KillerDe(std::initializer_list<int> dadas = {}) {
    Partida p;
    p.solucion = Solucion();
    p.enunciado.killer = true;
    std::array<int, kSegmentos> sumas{};
    for (int k = 0; k < kCasillas; ++k) {
        const int s = (FilaDe(k) - 1) * 3 + (ColDe(k) - 1) / 3;
        p.enunciado.segmento[k] = static_cast<int8_t>(s);
        sumas[s] += p.solucion[k];
    }
    for (int s = 0; s < 27; ++s)
        p.enunciado.sumas[s] = std::to_string(sumas[s]);
    for (const int k : dadas) {
        p.enunciado.fijas.set(k);
        p.enunciado.textos[k] = std::string(1, static_cast<char>('0' + p.solucion[k]));
    }
    return p;
}

Partida ClasicoDe(std::initializer_list<int> dadas) {
    Partida p = KillerDe(dadas);
    p.enunciado.killer = false;
    p.enunciado.segmento.fill(-1);
    p.enunciado.sumas = {};
    return p;
}

uint16_t M(std::initializer_list<int> ds) {
    uint16_t m = 0;
    for (const int d : ds)
        m = static_cast<uint16_t>(m | (1u << d));
    return m;
}

// A given cell (0) and entries out of range change nothing.
TEST(Juego, RefusedEntriesChangeNothing) {
    Partida p = KillerDe({0});
    for (const auto& [k, d] : {std::pair{0, 5}, {-1, 1}, {81, 1}, {1, 0}, {1, 10}}) {
        EXPECT_FALSE(PonerCifra(p, k, d)) << k << " " << d;
        EXPECT_FALSE(AlternarMarca(p, k, d)) << k << " " << d;
    }
    EXPECT_FALSE(BorrarCasilla(p, 0));
    EXPECT_EQ(p, KillerDe({0}));
    EXPECT_EQ(CifraEn(p, 0), p.solucion[0]);
}

TEST(Juego, ADigitReplacesItsMarksAndLeavesItsHousesMarks) {
    Partida p = KillerDe();
    // Marks of 4 in the same row (8), column (72), box (20), cage (1) and elsewhere (40).
    for (const int k : {1, 8, 20, 72, 40})
        ASSERT_TRUE(AlternarMarca(p, k, 4));
    ASSERT_TRUE(AlternarMarca(p, 0, 7));
    ASSERT_TRUE(PonerCifra(p, 0, 4));
    EXPECT_EQ(p.cifras[0], 4);
    EXPECT_EQ(p.marcas[0], 0);
    for (const int k : {1, 8, 20, 72})
        EXPECT_EQ(p.marcas[k], 0) << k;
    EXPECT_EQ(p.marcas[40], M({4}));
    EXPECT_FALSE(PonerCifra(p, 0, 4)) << "the same digit again is no change";
    EXPECT_FALSE(AlternarMarca(p, 0, 3)) << "no marks on a cell with a digit";
    for (int d = 1; d <= 9; ++d) // marks toggle, up to all nine
        ASSERT_TRUE(AlternarMarca(p, 10, d));
    ASSERT_TRUE(AlternarMarca(p, 10, 5));
    EXPECT_EQ(p.marcas[10], kTodasLasMarcas & ~M({5}));
    EXPECT_TRUE(BorrarCasilla(p, 0));
    EXPECT_FALSE(BorrarCasilla(p, 0));
}

TEST(Juego, AutomaticCandidatesFollowHousesAndCages) {
    // Classic: the solution's digit is always among them, and none a house shows.
    Partida c = ClasicoDe({0, 1, 2, 9, 10, 11, 40});
    ASSERT_TRUE(CandidatosAutomaticos(c));
    EXPECT_FALSE(CandidatosAutomaticos(c));
    for (int k = 0; k < kCasillas; ++k) {
        if (EsDada(c, k)) {
            EXPECT_EQ(c.marcas[k], 0);
            continue;
        }
        EXPECT_TRUE(c.marcas[k] & (1u << c.solucion[k])) << k;
    }
    // Row 1's three givens are out of the rest of the row.
    EXPECT_EQ(c.marcas[5] & M({c.solucion[0], c.solucion[1], c.solucion[2]}), 0);
    // Killer: a cage of sum 6 over three cells holds only 1, 2, 3.
    Partida p = KillerDe();
    p.enunciado.sumas[0] = "6";
    EXPECT_EQ(CandidatosDe(p)[0], M({1, 2, 3}));
    EXPECT_EQ(CandidatosDe(p)[3] & M({1, 2, 3}), M({1, 2, 3})) << "another cage is free";
}

TEST(Juego, ClashesInEveryHouse) {
    struct Caso {
        const char* nombre;
        int a, b;
        bool killer, choque, dada = false;
    };
    const Caso casos[] = {
        {"row", 0, 8, false, true},           {"column", 0, 72, false, true},
        {"box", 0, 20, false, true},          {"cage", 27, 29, true, true},
        {"elsewhere", 0, 40, false, false},   {"cage in classic", 28, 29, false, true},
        {"a given", 0, 1, false, true, true},
    };
    for (const Caso& c : casos) {
        Partida p = c.killer ? KillerDe() : ClasicoDe({});
        if (c.dada) { // cell a holds the solution's 7 as a given
            p.solucion[c.a] = 7;
            p.enunciado.fijas.set(c.a);
            p.enunciado.textos[c.a] = "7";
        }
        if (c.killer) {
            // Two cells of one cage in different rows, columns and boxes.
            p.enunciado.segmento[c.b] = p.enunciado.segmento[c.a];
        }
        PonerCifra(p, c.a, 7);
        PonerCifra(p, c.b, 7);
        const auto ch = Choques(p);
        EXPECT_EQ(ch[c.a], c.choque) << c.nombre;
        EXPECT_EQ(ch[c.b], c.choque) << c.nombre;
        EXPECT_EQ(ch.count(), c.choque ? 2u : 0u) << c.nombre;
    }
}

TEST(Juego, CageArithmetic) {
    Partida p = KillerDe();
    p.enunciado.sumas[0] = "15"; // cells 0, 1, 2
    CuentaJaula c = CuentasDeJaula(p, 1);
    // Segment, cells, sum, placed, empty, and every 3-set of sum 15.
    EXPECT_EQ(std::tuple(c.segmento, c.casillas, c.suma, c.puesta, c.vacias, c.posibles.size()),
              std::tuple(0, 3, 15, 0, 3, 8u));
    PonerCifra(p, 0, 9);
    c = CuentasDeJaula(p, 1);
    EXPECT_EQ(std::pair(c.puesta, c.vacias), std::pair(9, 2));
    // 9 with 1+5 or 2+4.
    EXPECT_EQ(c.posibles, (std::vector<uint16_t>{M({1, 5, 9}), M({2, 4, 9})}));
    PonerCifra(p, 1, 9);
    EXPECT_TRUE(CuentasDeJaula(p, 1).posibles.empty()) << "a repeated digit leaves none";
    EXPECT_EQ(CuentasDeJaula(ClasicoDe({}), 0).segmento, -1);
}

TEST(Juego, WrongCages) {
    struct Caso {
        const char* nombre;
        std::initializer_list<std::pair<int, int>> cifras;
        bool mal;
    };
    // Cage 0 is cells 0..2 with sum 15.
    const Caso casos[] = {
        {"empty", {}, false},
        {"below", {{0, 9}, {1, 5}}, false},
        {"exceeds", {{0, 9}, {1, 8}}, true},
        {"full right", {{0, 9}, {1, 5}, {2, 1}}, false},
        {"full wrong", {{0, 9}, {1, 2}, {2, 1}}, true},
    };
    for (const Caso& c : casos) {
        Partida p = KillerDe();
        p.enunciado.sumas[0] = "15";
        for (const auto& [k, d] : c.cifras)
            PonerCifra(p, k, d);
        EXPECT_EQ(JaulasMal(p)[0], c.mal) << c.nombre;
        EXPECT_EQ(JaulasMal(p).count(), c.mal ? 1u : 0u) << c.nombre;
    }
}

TEST(Juego, CheckCountsWrongDigitsOnly) {
    Partida p = KillerDe({0});
    PonerCifra(p, 1, p.solucion[1]);
    PonerCifra(p, 2, p.solucion[2] % 9 + 1);
    PonerCifra(p, 40, p.solucion[40] % 9 + 1);
    AlternarMarca(p, 50, p.solucion[50] % 9 + 1); // marks are no digits
    const auto mal = Equivocadas(p);
    EXPECT_EQ(mal.count(), 2u);
    EXPECT_TRUE(mal[2] && mal[40]);
    EXPECT_FALSE(Terminada(p));
}

TEST(Juego, FinishedWhenEveryCellIsTheSolutions) {
    Partida p = KillerDe({0, 1});
    for (int k = 2; k < kCasillas; ++k)
        PonerCifra(p, k, p.solucion[k]);
    EXPECT_TRUE(Terminada(p));
    EXPECT_TRUE(Choques(p).none());
    EXPECT_TRUE(JaulasMal(p).none());
    EXPECT_TRUE(Equivocadas(p).none());
    BorrarCasilla(p, 80);
    EXPECT_FALSE(Terminada(p));
}

TEST(Juego, HintPlacesEliminatesAndCounts) {
    Partida p = KillerDe();
    Pista h;
    h.frase = "Única en la casilla";
    h.colocadas = {{0, p.solucion[0]}};
    h.eliminadas = {{40, M({1, 2})}};
    ASSERT_TRUE(AplicarPista(p, h));
    EXPECT_EQ(p.cifras[0], p.solucion[0]);
    EXPECT_EQ(p.pistas, 1);
    // Cell 40 had no marks: it takes its candidates first, then loses the eliminated ones.
    EXPECT_EQ(p.marcas[40], CandidatosDe(KillerDe())[40] & ~M({1, 2}) & ~M({p.solucion[0]}));
    EXPECT_FALSE(AplicarPista(p, Pista{})) << "a hint that changes nothing is not counted";
    EXPECT_EQ(p.pistas, 1);
}

TEST(Juego, MarksForAHintLeaveOutWrongOnes) {
    Partida p = KillerDe({0});
    PonerCifra(p, 1, 5);
    const int bien = p.solucion[2], mal = p.solucion[3] % 9 + 1;
    AlternarMarca(p, 2, bien);
    AlternarMarca(p, 3, mal);
    const Lapiz m = MarcasParaPista(p);
    // Cell 3's mark is dropped: the solution's digit is not among them.
    EXPECT_EQ(std::vector(m.begin(), m.begin() + 5),
              (std::vector<uint16_t>{0, 0, M({bien}), kTodasLasMarcas, kTodasLasMarcas}));
}

TEST(Juego, TimeText) {
    const std::pair<int64_t, const char*> casos[] = {
        {0, "00:00"},       {999, "00:00"},       {1000, "00:01"},        {754000, "12:34"},
        {3599999, "59:59"}, {3600000, "1:00:00"}, {36061000, "10:01:01"}, {-5, "00:00"}};
    for (const auto& [ms, texto] : casos)
        EXPECT_EQ(TextoTiempo(ms), texto) << ms;
}

TEST(Juego, ClockOnAnInjectedClock) {
    int64_t ahora = 1000;
    Cronometro c([&] { return ahora; });
    EXPECT_EQ(c.Milisegundos(), 0);
    c.Arrancar();
    ahora += 500;
    EXPECT_EQ(c.Milisegundos(), 500);
    c.Arrancar(); // running already: no restart
    ahora += 500;
    c.Parar();
    ahora += 10000; // paused
    EXPECT_EQ(c.Milisegundos(), 1000);
    c.Arrancar();
    ahora += 250;
    EXPECT_EQ(c.Milisegundos(), 1250);
    ahora -= 5000; // the system clock went back
    EXPECT_EQ(c.Milisegundos(), 1000);
    c.Fijar(60000);
    EXPECT_FALSE(c.EnMarcha());
    EXPECT_EQ(c.Milisegundos(), 60000);
}

TEST(Juego, PlayHistoryUndoesEachEntry) {
    Partida p = KillerDe();
    HistorialJuego h;
    h.Empezar(p);
    const Partida inicio = p;
    PonerCifra(p, 0, 5);
    h.Anotar(p);
    const Partida uno = p;
    AlternarMarca(p, 1, 3);
    h.Anotar(p);
    const Partida dos = p;
    EXPECT_FALSE(h.Anotar(p));
    ASSERT_TRUE(h.Deshacer(p));
    EXPECT_EQ(p, uno);
    ASSERT_TRUE(h.Deshacer(p));
    EXPECT_EQ(p, inicio);
    EXPECT_FALSE(h.Deshacer(p));
    ASSERT_TRUE(h.Rehacer(p));
    ASSERT_TRUE(h.Rehacer(p));
    EXPECT_EQ(p, dos);
    EXPECT_FALSE(h.Rehacer(p));
    h.Deshacer(p);
    PonerCifra(p, 5, 1); // a new entry drops what could be redone
    h.Anotar(p);
    EXPECT_FALSE(h.PuedeRehacer());
}

// ---- The kept file ---------------------------------------------------------------------------

Partida Jugada() {
    Partida p = KillerDe({0, 40});
    PonerCifra(p, 1, 3);
    AlternarMarca(p, 2, 4);
    AlternarMarca(p, 2, 9);
    p.milisegundos = 754321;
    p.pistas = 2;
    return p;
}

TEST(Juego, StateRoundTrips) {
    const Partida p = Jugada();
    QTemporaryDir dir;
    const QString carpeta = dir.filePath("config/velmora");
    EXPECT_FALSE(AbrirPartida(carpeta).hay);
    ASSERT_TRUE(GuardarPartida(carpeta, p));
    const PartidaGuardada g = AbrirPartida(carpeta);
    EXPECT_TRUE(g.hay);
    ASSERT_TRUE(g.partida);
    EXPECT_EQ(*g.partida, p);
    BorrarPartida(carpeta);
    EXPECT_FALSE(AbrirPartida(carpeta).hay);
}

// Random plays round-trip too.
TEST(Juego, RandomPlaysRoundTrip) {
    std::mt19937 azar(20);
    for (int n = 0; n < 200; ++n) {
        Partida p = KillerDe({static_cast<int>(azar() % 81)});
        for (int i = 0; i < 40; ++i) {
            const int k = static_cast<int>(azar() % 81), d = static_cast<int>(azar() % 9 + 1);
            (azar() % 2 ? PonerCifra(p, k, d) : AlternarMarca(p, k, d));
        }
        p.milisegundos = azar();
        const auto leida = LeerPartida(EscribirPartida(p));
        ASSERT_TRUE(leida);
        EXPECT_EQ(*leida, p);
    }
}

TEST(Juego, DamagedOrForeignStateIsRefused) {
    const QByteArray bueno = EscribirPartida(Jugada());
    const auto cambiar = [&](const char* de, const char* a) {
        QByteArray d = bueno;
        const qsizetype i = d.indexOf(de);
        EXPECT_GE(i, 0) << de;
        return d.replace(i, qsizetype(strlen(de)), a);
    };
    const std::pair<const char*, QByteArray> casos[] = {
        {"empty", ""},
        {"cut", bueno.left(bueno.size() / 2)},
        {"not json", "velmora"},
        {"an array", "[1,2,3]"},
        {"the unsaved puzzle file", "{\"velmora\":1}"},
        {"other version", cambiar("\"velmora-partida\":1", "\"velmora-partida\":2")},
        {"negative time", cambiar("\"milisegundos\":754321", "\"milisegundos\":-1")},
        {"fractional time", cambiar("\"milisegundos\":754321", "\"milisegundos\":1.5")},
        {"time as text", cambiar("\"milisegundos\":754321", "\"milisegundos\":\"1\"")},
        {"negative hints", cambiar("\"pistas\":2", "\"pistas\":-2")},
        {"digit on a given", cambiar("\"cifras\":[0,", "\"cifras\":[5,")},
        {"digit 10", cambiar("\"cifras\":[0,3,", "\"cifras\":[0,10,")},
        {"mark bit 0", cambiar("\"marcas\":[0,0,", "\"marcas\":[0,1,")},
        {"mark beside a digit", cambiar("\"marcas\":[0,0,", "\"marcas\":[0,2,")},
        {"broken solution", cambiar("\"solucion\":[1,2,", "\"solucion\":[1,1,")},
        {"padding", bueno + QByteArray(kTamanoMaximoPartida, ' ')},
    };
    for (const auto& [nombre, datos] : casos)
        EXPECT_FALSE(LeerPartida(datos)) << nombre;

    QTemporaryDir dir;
    QFile f(dir.filePath(kNombrePartida));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"velmora-partida\":1,\"enunciado\":");
    f.close();
    const PartidaGuardada g = AbrirPartida(dir.path());
    EXPECT_TRUE(g.hay);
    EXPECT_FALSE(g.partida);
    // A folder where the file should be is no file either.
    QTemporaryDir otro;
    ASSERT_TRUE(QDir(otro.path()).mkdir(kNombrePartida));
    EXPECT_TRUE(AbrirPartida(otro.path()).hay);
    EXPECT_FALSE(AbrirPartida(otro.path()).partida);
}

} // namespace
} // namespace velmora
