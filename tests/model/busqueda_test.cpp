#include "model/busqueda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/plataforma_falsa.h"
#include "support/puzzles.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

struct Puzzle {
    std::string nombre;
    Tablero t;
    Enunciado e;
};

bool ValidarMostrando(Tablero& t, const Enunciado& e, Plataforma& p) {
    const auto m = velmora::Validar(t, e);
    if (m) p.Mostrar(*m);
    return !m;
}

// The grid and the move count folded into one number, taken at every yield after a placed digit,
// so that two searches can be compared step by step.
template <class Digito> uint64_t Huella(Digito digito, int64_t movimientos) {
    uint64_t h = 1469598103934665603ull;
    for (int k = 0; k < kCasillas; ++k)
        h = (h ^ digito(k)) * 1099511628211ull;
    return (h ^ static_cast<uint64_t>(movimientos)) * 1099511628211ull;
}

// The window's part in a solve, recorded. ProcesarEventos sets Cancelado at call `cancelarEn`.
class Anfitrion {
public:
    Anfitrion(Tablero& t, const Enunciado& e) : t(t), e(e) {}

    Tablero& t;
    const Enunciado& e;
    Progreso p;
    PlataformaFalsa plataforma; // every message, the validation's and the search's
    ModoCalculo modo = ModoCalculo::Rapido;
    int64_t cancelarEn = 0;
    bool conHuellas = false;
    std::vector<uint64_t> huellas;
    int64_t eventos = 0;
    int matrices = 0;

    ModoCalculo Modo() const { return modo; }
    bool Ceder() {
        ++eventos;
        if (conHuellas)
            huellas.push_back(Huella([&](int k) { return t.Matriz[k]; }, t.Movimientos));
        if (eventos == cancelarEn) t.Cancelado = true;
        return true;
    }
    void MostrarMatriz() { ++matrices; }

    // The solve without a window: validation, then the search.
    std::optional<FinBusqueda> Resolver() {
        t.VaciarCuadricula();
        t.Cancelado = false;
        if (!ValidarMostrando(t, e, plataforma)) return std::nullopt;
        return Buscar(t, p, *this);
    }
};

// The reference search on the puzzle, stopped after `tope` placed digits (0: never).
struct Referencia {
    Referencia(const Puzzle& z, int64_t tope) : t(z.t) {
        t.VaciarCuadricula();
        PlataformaFalsa plataforma;
        valido = ValidarMostrando(t, z.e, plataforma);
        if (!valido) return;
        r.emplace(t);
        r->ProcesarEventos = [this, tope] {
            huellas.push_back(Huella([&](int k) { return r->Digito(k); }, r->Movimientos));
            if (static_cast<int64_t>(huellas.size()) == tope) r->Cancelado = true;
        };
        resultado = r->Resolver();
    }

    Referencia(const Referencia&) = delete; // the reference's yield points back here

    std::string Rejilla() const {
        std::string s;
        for (int k = 0; k < kCasillas; ++k)
            s += r->Digito(k) ? static_cast<char>('0' + r->Digito(k)) : '.';
        return s;
    }

    Tablero t; // as validation left it
    bool valido = false;
    std::optional<referencia::Busqueda> r;
    referencia::Resultado resultado{};
    std::vector<uint64_t> huellas;
};

std::string Describir(const Puzzle& z) {
    std::string s = z.nombre + (z.t.ModoKiller ? " Killer " : " clásico ");
    for (int k = 0; k < kCasillas; ++k) {
        const int g = z.t.CasillaSeg[k];
        s += z.t.ModoKiller ? (g < 0    ? '.'
                               : g < 26 ? static_cast<char>('a' + g)
                                        : static_cast<char>('A' + g - 26))
                            : (z.e.fijas[k] ? z.e.textos[k][0] : '.');
    }
    if (z.t.ModoKiller)
        for (int i = 0; i < kSegmentos && !z.e.sumas[i].empty(); ++i)
            s += (i ? "," : " ") + z.e.sumas[i];
    return s;
}

// The whole search state, fast against reference: grid, counter, flags, use tables and the
// digits each segment holds.
void EsperarMismoEstado(const Tablero& t, const referencia::Busqueda& r) {
    for (int k = 0; k < kCasillas; ++k)
        ASSERT_EQ(t.Matriz[k], r.Digito(k)) << "cell " << k;
    EXPECT_EQ(t.Movimientos, r.Movimientos);
    EXPECT_EQ(t.SinSolucion, r.SinSolucion);
    EXPECT_EQ(t.SinCandidato, r.SinCandidato);
    const std::pair<Tabla, const std::array<referencia::Linea, 10>*> tablas[] = {
        {Tabla::Filas, &r.Filas},
        {Tabla::Columnas, &r.Columnas},
        {Tabla::Cuadrantes, &r.Cuadrantes}};
    for (const auto& [tabla, lineas] : tablas)
        for (int x = 1; x <= 9; ++x)
            for (int d = 1; d <= 9; ++d) {
                const UsoNumero u = t.Uso(tabla, x, d);
                const referencia::UsoNumero v = (*lineas)[x].Numero[d];
                ASSERT_TRUE(u.Usado == v.Usado && u.SegReserva == v.SegReserva)
                    << "table " << static_cast<int>(tabla) << " line " << x << " digit " << d;
            }
    for (int s = 0; s < kRegistros; ++s) {
        uint16_t conjunto = 0;
        int cuenta = 0;
        for (int j = 1; j <= 16 && r.Segmentos[s].Numeros[j]; ++j, ++cuenta)
            conjunto |= Bit(r.Segmentos[s].Numeros[j]);
        ASSERT_EQ(t.Segmentos[s].Numeros, conjunto) << "segment " << s;
        ASSERT_EQ(std::popcount(conjunto), cuenta) << "segment " << s;
    }
}

// Row, column and box rule, the givens kept, and each segment's digits distinct with its sum.
bool EsSolucion(const Tablero& t, const Enunciado& e) {
    std::array<uint16_t, 27> lineas{};
    std::array<uint16_t, kRegistros> enSegmento{};
    std::array<int, kRegistros> suma{};
    for (int k = 0; k < kCasillas; ++k) {
        const int d = t.Matriz[k];
        if (d < 1 || d > 9) return false;
        if (e.fijas[k] && e.textos[k] != std::string(1, static_cast<char>('0' + d))) return false;
        for (const int l : {kLineas[k].fila, kLineas[k].col, kLineas[k].cuad}) {
            if (lineas[l] & Bit(d)) return false;
            lineas[l] |= Bit(d);
        }
        if (const int s = t.CasillaSeg[k]; s >= 0) {
            if (enSegmento[s] & Bit(d)) return false;
            enSegmento[s] |= Bit(d);
            suma[s] += d;
        }
    }
    for (int s = 0; s < kSegmentos; ++s)
        if (enSegmento[s] && suma[s] != t.Segmentos[s].Suma) return false;
    return true;
}

// Runs both searches, each stopped after `tope` placed digits, and expects the same state at
// every placed digit and at the end. Returns how the fast search ended; nothing when validation
// refused the puzzle (then the reference's validation must refuse it too).
std::optional<Final> CompararConReferencia(const Puzzle& z, int64_t tope) {
    SCOPED_TRACE(Describir(z) + " tope " + std::to_string(tope));
    Tablero t = z.t;
    Anfitrion a(t, z.e);
    a.cancelarEn = tope;
    a.conHuellas = true;
    const std::optional<FinBusqueda> fin = a.Resolver();
    const Referencia ref(z, tope);
    EXPECT_EQ(fin.has_value(), ref.valido);
    if (!fin || !ref.valido) return std::nullopt;

    const auto [pa, pr] =
        std::mismatch(a.huellas.begin(), a.huellas.end(), ref.huellas.begin(), ref.huellas.end());
    EXPECT_TRUE(pa == a.huellas.end() && pr == ref.huellas.end())
        << "first different placed digit: " << (pa - a.huellas.begin()) + 1 << " of "
        << a.huellas.size() << " and " << ref.huellas.size();
    EXPECT_EQ(fin->final, ref.resultado.final);
    EXPECT_EQ(fin->fila, ref.resultado.fila);
    EXPECT_EQ(fin->col, ref.resultado.col);
    EsperarMismoEstado(t, *ref.r);
    if (fin->final == Final::Resuelto) {
        EXPECT_TRUE(EsSolucion(t, z.e));
    }
    return fin->final;
}

// ---------------------------------------------------------------------------------------------
// Known puzzles and their first solutions.

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kConSanitizadores = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kConSanitizadores = true;
#else
constexpr bool kConSanitizadores = false;
#endif
#else
constexpr bool kConSanitizadores = false;
#endif

constexpr std::string_view kSolucionVacio = "123456789"
                                            "456789123"
                                            "789123456"
                                            "214365897"
                                            "365897214"
                                            "897214365"
                                            "531642978"
                                            "642978531"
                                            "978531642";
constexpr std::string_view kSolucion176m = "987654321"
                                           "246173985"
                                           "351928746"
                                           "128537694"
                                           "634892157"
                                           "795461832"
                                           "519286473"
                                           "472319568"
                                           "863745219";
// The 176m puzzle with the first four cells given: far fewer moves.
constexpr std::string_view kClasico192k = "9876....."
                                          ".....3.85"
                                          "..1.2...."
                                          "...5.7..."
                                          "..4...1.."
                                          ".9......."
                                          "5......73"
                                          "..2.1...."
                                          "....4...9";

Puzzle ClasicoDe(std::string nombre, const std::string& celdas) {
    Puzzle z{std::move(nombre), {}, Clasico(celdas)};
    return z;
}

Puzzle KillerTexto(std::string nombre, std::string_view segmentos,
                   std::initializer_list<const char*> sumas) {
    Puzzle z{std::move(nombre), {}, {}};
    z.e = Killer(z.t, segmentos, sumas);
    return z;
}

// The same puzzle with each given turned into a one-cell Killer segment of that sum.
Puzzle KillerDeUnaCasilla(std::string_view clasico) {
    Puzzle z{"Killer de una casilla por pista", {}, {}};
    z.t.ModoKiller = true;
    int s = 0;
    for (int k = 0; k < kCasillas; ++k)
        if (clasico[k] != '.') {
            z.t.CasillaSeg[k] = static_cast<int16_t>(s);
            z.e.segmento[k] = static_cast<int8_t>(s);
            z.e.sumas[s++] = std::string(1, clasico[k]);
        }
    return z;
}

// Every cell in one of 29 cages; the solution is unique.
Puzzle KillerCompleto() {
    return KillerTexto("Killer completo",
                       "abbccddde"
                       "aafgcddhe"
                       "ijkgclhhh"
                       "mkkgcnooo"
                       "mmknnnppq"
                       "rmstuvvpw"
                       "rrstxxvyy"
                       "rsstxxxzA"
                       "BBBCCCCAA",
                       {"17", "16", "22", "31", "3",  "6",  "17", "20", "2",  "1",
                        "16", "5",  "25", "23", "19", "10", "4",  "20", "11", "15",
                        "2",  "13", "9",  "31", "9",  "8",  "17", "21", "12"});
}

// 26 cages and 27 cells in none.
Puzzle KillerParcial() {
    return KillerTexto("Killer parcial",
                       "aa.bccdef"
                       "ag..hhd.i"
                       "ggj...klm"
                       "gnnn..kkm"
                       "ooppq.krm"
                       "oop......"
                       "....stt.."
                       ".u.usvvvw"
                       "xuuu.yyyz",
                       {"13", "9",  "6", "9", "7", "6", "15", "9",  "5",  "8", "10", "9",  "18",
                        "20", "18", "9", "9", "4", "6", "16", "19", "19", "1", "9",  "19", "2"});
}

struct CasoSolucion {
    Puzzle puzzle;
    std::string_view solucion;
    int64_t movimientos;
};

std::vector<CasoSolucion> CasosSolucion() {
    std::vector<CasoSolucion> casos;
    casos.push_back({ClasicoDe("clásico vacío", std::string(kCasillas, '.')), kSolucionVacio, 701});
    // Every cell given: each is skipped with one move.
    casos.push_back({ClasicoDe("clásico lleno", std::string(kSolucionVacio)), kSolucionVacio, 81});
    casos.push_back(
        {ClasicoDe("clásico de 192.403", std::string(kClasico192k)), kSolucion176m, 192403});
    // A one-cell segment acts as a given: the same grid in the same number of moves.
    casos.push_back({KillerDeUnaCasilla(kClasico192k), kSolucion176m, 192403});
    casos.push_back({KillerCompleto(),
                     "479632851"
                     "586147932"
                     "213985746"
                     "324719568"
                     "897563214"
                     "651824379"
                     "145398627"
                     "932476185"
                     "768251493",
                     74415});
    casos.push_back({KillerParcial(),
                     "153924876"
                     "749836125"
                     "268571493"
                     "397465218"
                     "586192347"
                     "412783569"
                     "635217984"
                     "824659731"
                     "971348652",
                     17453});
    return casos;
}

TEST(ResolverSudoku, PrimeraSolucionYMovimientos) {
    for (CasoSolucion& c : CasosSolucion()) {
        SCOPED_TRACE(c.puzzle.nombre);
        Tablero t = c.puzzle.t;
        Anfitrion a(t, c.puzzle.e);
        const std::optional<FinBusqueda> fin = a.Resolver();
        ASSERT_TRUE(fin.has_value());
        EXPECT_EQ(fin->final, Final::Resuelto);
        EXPECT_EQ(Rejilla(t), c.solucion);
        EXPECT_EQ(t.Movimientos, c.movimientos);
        EXPECT_TRUE(EsSolucion(t, c.puzzle.e));
        EXPECT_TRUE(a.plataforma.mensajes.empty());
        EXPECT_EQ(a.p.TextoPorcentaje(), "100 %");
        EXPECT_EQ(a.p.movimientos, c.movimientos);

        // The reference reaches the same figures on its own.
        const Referencia ref(c.puzzle, 0);
        ASSERT_TRUE(ref.valido);
        EXPECT_EQ(ref.resultado.final, Final::Resuelto);
        EXPECT_EQ(ref.Rejilla(), c.solucion);
        EXPECT_EQ(ref.r->Movimientos, c.movimientos);
    }
}

TEST(ResolverSudoku, ClasicoDe176MillonesDeMovimientos) {
    if (kConSanitizadores) GTEST_SKIP() << "some seconds of search; run without sanitizers";
    Tablero t;
    const Enunciado e = Cargar(t, "clasico_176m.xml");
    Anfitrion a(t, e);
    const std::optional<FinBusqueda> fin = a.Resolver();
    ASSERT_TRUE(fin.has_value());
    EXPECT_EQ(fin->final, Final::Resuelto);
    EXPECT_EQ(Rejilla(t), kSolucion176m);
    EXPECT_EQ(t.Movimientos, 176357043);
}

// ---------------------------------------------------------------------------------------------
// Outcomes other than a solution.

TEST(ResolverSudoku, SinSolucionAvisaYDejaSoloLasPistas) {
    // The last cell of the first row needs a 9, which its column already has.
    const std::string pistas = "12345678."
                               "........9" +
                               std::string(63, '.');
    for (const ModoCalculo modo :
         {ModoCalculo::Rapido, ModoCalculo::Interactivo, ModoCalculo::UltraRapido}) {
        SCOPED_TRACE(static_cast<int>(modo));
        const Puzzle z = ClasicoDe("sin solución", pistas);
        Tablero t = z.t;
        Anfitrion a(t, z.e);
        a.modo = modo;
        const std::optional<FinBusqueda> fin = a.Resolver();
        ASSERT_TRUE(fin.has_value());
        EXPECT_EQ(fin->final, Final::SinSolucion);
        EXPECT_EQ(fin->fila, 0);
        EXPECT_EQ(fin->col, 9);
        EXPECT_TRUE(t.SinSolucion);
        // Eight givens skipped forward, nine steps back to before the first cell.
        EXPECT_EQ(t.Movimientos, 17);
        EXPECT_EQ(Rejilla(t), pistas);
    }
}

TEST(ResolverSudoku, DosCasillasDeUnSegmentoNuncaRepitenDigito) {
    // Row 1 leaves only 5 for its first cell, which shares a sum-10 segment with (2, 4): 5 + 5
    // would fit the sum and every line, but not the segment.
    const Puzzle z = KillerTexto("Killer sin solución", "abcdefghi...a" + std::string(68, '.'),
                                 {"10", "1", "2", "3", "4", "6", "7", "8", "9"});
    Tablero t = z.t;
    Anfitrion a(t, z.e);
    const std::optional<FinBusqueda> fin = a.Resolver();
    ASSERT_TRUE(fin.has_value());
    EXPECT_EQ(fin->final, Final::SinSolucion);
    EXPECT_EQ(Rejilla(t), std::string(kCasillas, '.'));
    const Referencia ref(z, 0);
    EXPECT_EQ(t.Movimientos, ref.r->Movimientos);
}

TEST(ResolverSudoku, ValidacionFallidaNoTocaNada) {
    const Puzzle z = ClasicoDe("repetido", "5.......5" + std::string(72, '.'));
    Tablero t = z.t;
    t.Movimientos = 1234;
    Anfitrion a(t, z.e);
    EXPECT_FALSE(a.Resolver().has_value());
    EXPECT_EQ(a.plataforma.mensajes,
              (std::vector<Mensaje>{{"El número 5 se encuentra repetido en la fila 1",
                                     "Número Repetido", Icono::Exclamacion}}));
    EXPECT_EQ(t.Movimientos, 1234);
    EXPECT_EQ(a.matrices, 0);
    EXPECT_EQ(a.eventos, 0);
}

// ---------------------------------------------------------------------------------------------
// Cancelling.

// A Killer puzzle has no givens, so in "Ultra-Rápido" the yields alternate strictly: odd calls
// follow a placed digit, even calls a forward step.
TEST(Cancelar, ParaEnElDigitoColocadoDeEsaLlamada) {
    const Puzzle z = KillerParcial();
    for (const ModoCalculo modo :
         {ModoCalculo::Rapido, ModoCalculo::Interactivo, ModoCalculo::UltraRapido}) {
        const bool ultra = modo == ModoCalculo::UltraRapido;
        for (const int64_t colocado : {1, 2, 81, 4000}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(modo)) + " digit " +
                         std::to_string(colocado));
            const Referencia ref(z, colocado);
            Tablero t = z.t;
            Anfitrion a(t, z.e);
            a.modo = modo;
            a.cancelarEn = ultra ? 2 * colocado - 1 : colocado;
            const std::optional<FinBusqueda> fin = a.Resolver();
            ASSERT_TRUE(fin.has_value());
            EXPECT_EQ(fin->final, Final::Cancelado);
            EXPECT_EQ(fin->interactivo, modo == ModoCalculo::Interactivo);
            EXPECT_EQ(fin->fila, ref.resultado.fila);
            EXPECT_EQ(fin->col, ref.resultado.col);
            EsperarMismoEstado(t, *ref.r);
            EXPECT_EQ(a.eventos, a.cancelarEn); // nothing yields after the cancel
            EXPECT_TRUE(a.plataforma.mensajes.empty());
            // In "Interactivo" the grid was shown before the yield that cancelled.
            EXPECT_EQ(a.matrices, modo == ModoCalculo::Interactivo ? colocado : 0);
            if (modo == ModoCalculo::Rapido && colocado == 2) {
                // Still the figures of the first forward step, from (1, 1).
                EXPECT_EQ(a.p.TextoMovimientos("."), "1");
                EXPECT_EQ(a.p.TextoPorcentaje(), "2 %");
            }
        }
    }
}

TEST(Cancelar, EnUltraRapidoTrasUnPasoSeNotaEnElSiguienteDigito) {
    const Puzzle z = KillerParcial();
    const Referencia ref(z, 31);
    Tablero t = z.t;
    Anfitrion a(t, z.e);
    a.modo = ModoCalculo::UltraRapido;
    a.cancelarEn = 60; // the forward step after the 30th placed digit
    const std::optional<FinBusqueda> fin = a.Resolver();
    ASSERT_TRUE(fin.has_value());
    EXPECT_EQ(fin->final, Final::Cancelado);
    EXPECT_EQ(a.eventos, 61);
    EXPECT_EQ(fin->fila, ref.resultado.fila);
    EXPECT_EQ(fin->col, ref.resultado.col);
    EsperarMismoEstado(t, *ref.r);
}

TEST(Cancelar, UnaFijaNoDaOcasionDeCancelar) {
    // Givens are skipped without a yield in "Rápido": the third yield is the third placed digit,
    // past the two givens in between.
    const Puzzle z = ClasicoDe("dos fijas", "1.2.3" + std::string(76, '.'));
    Tablero t = z.t;
    Anfitrion a(t, z.e);
    a.cancelarEn = 3;
    const std::optional<FinBusqueda> fin = a.Resolver();
    ASSERT_TRUE(fin.has_value());
    EXPECT_EQ(fin->final, Final::Cancelado);
    EXPECT_EQ(fin->fila, 1);
    EXPECT_EQ(fin->col, 6);
    EXPECT_EQ(Rejilla(t).substr(0, 7), "142536.");
    EXPECT_EQ(t.Movimientos, 5);
}

// ---------------------------------------------------------------------------------------------
// Random puzzles, reproducible from their seed on every platform: mt19937_64's sequence is
// fixed by the standard, the distributions are not, so they are not used.

class Azar {
public:
    explicit Azar(uint64_t semilla) : g_(semilla) {}
    int Hasta(int n) { return static_cast<int>(g_() % static_cast<uint64_t>(n)); } // 0..n-1
    int Entre(int a, int b) { return a + Hasta(b - a + 1); }
    bool Porcentaje(int p) { return Hasta(100) < p; }
    template <class V> void Barajar(V& v) {
        for (size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[static_cast<size_t>(Hasta(static_cast<int>(i)))]);
    }

private:
    std::mt19937_64 g_;
};

using Rejilla81 = std::array<uint8_t, kCasillas>;

Rejilla81 RejillaResuelta(Azar& az) {
    Rejilla81 r{};
    std::array<uint16_t, 27> usado{};
    auto llenar = [&](auto& self, int k) -> bool {
        if (k == kCasillas) return true;
        const LineasCasilla l = kLineas[k];
        std::array<int, 9> digitos = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        az.Barajar(digitos);
        for (const int d : digitos) {
            if ((usado[l.fila] | usado[l.col] | usado[l.cuad]) & Bit(d)) continue;
            usado[l.fila] |= Bit(d);
            usado[l.col] |= Bit(d);
            usado[l.cuad] |= Bit(d);
            r[k] = static_cast<uint8_t>(d);
            if (self(self, k + 1)) return true;
            usado[l.fila] &= ~Bit(d);
            usado[l.col] &= ~Bit(d);
            usado[l.cuad] &= ~Bit(d);
        }
        return false;
    };
    llenar(llenar, 0);
    return r;
}

bool ChocaConPistas(const std::string& celdas, int k, char d) {
    for (int j = 0; j < kCasillas; ++j)
        if (j != k && celdas[j] == d &&
            (FilaDe(j) == FilaDe(k) || ColDe(j) == ColDe(k) ||
             Cuadrante(FilaDe(j), ColDe(j)) == Cuadrante(FilaDe(k), ColDe(k))))
            return true;
    return false;
}

// Classic puzzles of four kinds: givens kept from a solved grid; the same with one given changed
// to a digit that repeats nothing (mostly without solution); givens thrown at random that
// repeat nothing; and givens with one repeated digit, which validation refuses.
Puzzle ClasicoAlAzar(Azar& az, int n) {
    static const char* const kTipos[] = {"clásico con pistas ", "clásico con pista cambiada ",
                                         "clásico al azar ", "clásico con repetición "};
    const int tipo = n % 4;
    const std::string nombre = kTipos[tipo] + std::to_string(n);
    const Rejilla81 solucion = RejillaResuelta(az);
    std::string celdas(kCasillas, '.');
    if (tipo == 2) {
        for (int i = az.Entre(8, 30); i > 0; --i) {
            const int k = az.Hasta(kCasillas);
            const char d = static_cast<char>('1' + az.Hasta(9));
            if (!ChocaConPistas(celdas, k, d)) celdas[k] = d;
        }
        return ClasicoDe(nombre, celdas);
    }
    // A changed given among many is soon found to leave no solution.
    const int densidad = tipo == 1 ? az.Entre(45, 75) : az.Entre(20, 75);
    for (int k = 0; k < kCasillas; ++k)
        if (az.Porcentaje(densidad)) celdas[k] = static_cast<char>('0' + solucion[k]);
    std::vector<int> pistas;
    for (int k = 0; k < kCasillas; ++k)
        if (celdas[k] != '.') pistas.push_back(k);
    if (tipo == 1 && !pistas.empty()) {
        const int k = pistas[static_cast<size_t>(az.Hasta(static_cast<int>(pistas.size())))];
        for (char d = '1'; d <= '9'; ++d)
            if (d != celdas[k] && !ChocaConPistas(celdas, k, d)) {
                celdas[k] = d;
                break;
            }
    }
    if (tipo == 3 && !pistas.empty()) {
        // The digit of a given once more in its row, column or box.
        const int a = pistas[static_cast<size_t>(az.Hasta(static_cast<int>(pistas.size())))];
        const int donde = az.Hasta(3);
        std::vector<int> linea;
        for (int j = 0; j < kCasillas; ++j)
            if (j != a &&
                (donde == 0   ? FilaDe(j) == FilaDe(a)
                 : donde == 1 ? ColDe(j) == ColDe(a)
                              : Cuadrante(FilaDe(j), ColDe(j)) == Cuadrante(FilaDe(a), ColDe(a))))
                linea.push_back(j);
        celdas[static_cast<size_t>(linea[static_cast<size_t>(az.Hasta(8))])] = celdas[a];
    }
    return ClasicoDe(nombre, celdas);
}

// Whether exactly one set of n distinct digits adds up to suma.
bool SumaUnica(int n, int suma) {
    int veces = 0;
    for (unsigned c = 2; c <= kDigitos; c += 2) {
        int s = 0;
        for (int d = 1; d <= 9; ++d)
            if (c & Bit(d)) s += d;
        if (std::popcount(c) == n && s == suma) ++veces;
    }
    return veces == 1;
}

// Splits the grid into connected cages of 1 to `maxima` cells whose digits in the solution are
// distinct. How many there are is left to chance.
std::vector<std::vector<int>> Jaulas(const Rejilla81& solucion, Azar& az, int maxima) {
    std::vector<int> orden(kCasillas);
    for (int k = 0; k < kCasillas; ++k)
        orden[static_cast<size_t>(k)] = k;
    az.Barajar(orden);
    std::array<int, kCasillas> jaula;
    jaula.fill(-1);
    std::vector<std::vector<int>> jaulas;
    for (const int inicio : orden) {
        if (jaula[inicio] >= 0) continue;
        const int tamano = az.Entre(1, maxima);
        std::vector<int> celdas = {inicio};
        uint16_t digitos = Bit(solucion[inicio]);
        jaula[inicio] = static_cast<int>(jaulas.size());
        while (static_cast<int>(celdas.size()) < tamano) {
            std::vector<int> borde;
            for (const int k : celdas) {
                const int f = FilaDe(k), c = ColDe(k);
                for (const auto& [df, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    if (f + df < 1 || f + df > 9 || c + dc < 1 || c + dc > 9) continue;
                    const int v = Casilla(f + df, c + dc);
                    if (jaula[v] < 0 && !(digitos & Bit(solucion[v]))) borde.push_back(v);
                }
            }
            if (borde.empty()) break;
            const int v = borde[static_cast<size_t>(az.Hasta(static_cast<int>(borde.size())))];
            celdas.push_back(v);
            digitos |= Bit(solucion[v]);
            jaula[v] = jaula[inicio];
        }
        jaulas.push_back(std::move(celdas));
    }
    return jaulas;
}

Puzzle KillerDe(std::string nombre, const std::vector<std::vector<int>>& jaulas,
                const std::vector<int>& sumas) {
    Puzzle z{std::move(nombre), {}, {}};
    z.t.ModoKiller = true;
    for (size_t i = 0; i < jaulas.size(); ++i) {
        for (const int k : jaulas[i]) {
            z.t.CasillaSeg[k] = static_cast<int16_t>(i);
            z.e.segmento[k] = static_cast<int8_t>(i);
        }
        z.e.sumas[i] = std::to_string(sumas[i]);
    }
    return z;
}

// Killer puzzles of five kinds: every cell covered; part of the grid covered; mostly cages with
// a unique combination (one-cell cages among them); a sum moved so that the puzzle (mostly)
// has no solution; and sums drawn at random, which also makes reservations collide.
Puzzle KillerAlAzar(Azar& az, int n) {
    const Rejilla81 solucion = RejillaResuelta(az);
    const int tipo = n % 5;
    std::vector<std::vector<int>> jaulas;
    do
        jaulas = Jaulas(solucion, az, tipo == 2 ? 3 : 5);
    while (tipo != 1 && tipo != 2 && tipo != 4 && jaulas.size() > kSegmentos);
    az.Barajar(jaulas);

    auto suma = [&](const std::vector<int>& j) {
        int s = 0;
        for (const int k : j)
            s += solucion[k];
        return s;
    };
    std::vector<std::vector<int>> elegidas;
    for (const auto& j : jaulas) {
        const int tamano = static_cast<int>(j.size());
        const bool quedarse = tipo == 0 || tipo == 3 ? true
                              : tipo == 2 ? SumaUnica(tamano, suma(j)) || az.Porcentaje(25)
                                          : az.Porcentaje(65);
        if (quedarse && elegidas.size() < kSegmentos) elegidas.push_back(j);
    }
    std::vector<int> sumas;
    for (const auto& j : elegidas) {
        const int tamano = static_cast<int>(j.size());
        sumas.push_back(tipo == 4 ? az.Entre(SumaMinima(tamano), SumaMaxima(tamano)) : suma(j));
    }
    if (tipo == 3) {
        // Move one sum up and another down, keeping 405 and the bounds.
        for (int intento = 0; intento < 50; ++intento) {
            const size_t a = static_cast<size_t>(az.Hasta(static_cast<int>(elegidas.size())));
            const size_t b = static_cast<size_t>(az.Hasta(static_cast<int>(elegidas.size())));
            const int na = static_cast<int>(elegidas[a].size());
            const int nb = static_cast<int>(elegidas[b].size());
            const int delta = az.Entre(1, 2);
            if (a == b || sumas[a] + delta > SumaMaxima(na) || sumas[b] - delta < SumaMinima(nb))
                continue;
            sumas[a] += delta;
            sumas[b] -= delta;
            break;
        }
    }
    static const char* const kTipos[] = {"Killer completo ", "Killer parcial ", "Killer de únicas ",
                                         "Killer con suma cambiada ", "Killer con sumas al azar "};
    return KillerDe(kTipos[tipo] + std::to_string(n), elegidas, sumas);
}

// Caps from a single placed digit to 40,000; many puzzles end well within them.
int64_t TopeAlAzar(Azar& az) {
    const int tipo = az.Hasta(4);
    return tipo == 0 ? az.Entre(1, 60) : tipo == 1 ? az.Entre(1, 2000) : 40000;
}

struct Recuento {
    int resueltos = 0, sinSolucion = 0, cancelados = 0, rechazados = 0;
    void Anotar(std::optional<Final> f) {
        if (!f)
            ++rechazados;
        else if (*f == Final::Resuelto)
            ++resueltos;
        else if (*f == Final::SinSolucion)
            ++sinSolucion;
        else
            ++cancelados;
    }
};

TEST(BusquedaContraReferencia, ClasicosAlAzar) {
    Azar az(20240611);
    Recuento r;
    for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) {
        const Puzzle z = ClasicoAlAzar(az, n);
        r.Anotar(CompararConReferencia(z, TopeAlAzar(az)));
    }
    // Every way a search can end has been compared.
    EXPECT_GT(r.resueltos, 10);
    EXPECT_GT(r.sinSolucion, 10);
    EXPECT_GT(r.cancelados, 10);
    EXPECT_GT(r.rechazados, 10);
}

TEST(BusquedaContraReferencia, KillerAlAzar) {
    Azar az(7151);
    Recuento r;
    for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) {
        const Puzzle z = KillerAlAzar(az, n);
        r.Anotar(CompararConReferencia(z, TopeAlAzar(az)));
    }
    EXPECT_GT(r.resueltos, 10);
    EXPECT_GT(r.sinSolucion, 10);
    EXPECT_GT(r.cancelados, 10);
    EXPECT_EQ(r.rechazados, 0);
}

} // namespace
} // namespace velmora
