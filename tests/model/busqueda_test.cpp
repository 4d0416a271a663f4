#include "model/busqueda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/azar.h"
#include "support/plataforma_falsa.h"
#include "support/puzzles.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

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
    int matrices = 0, vaciados = 0, deshabilitados = 0, habilitados = 0;

    ModoCalculo Modo() const { return modo; }
    void ProcesarEventos() {
        ++eventos;
        if (conHuellas)
            huellas.push_back(Huella([&](int k) { return t.Matriz[k]; }, t.Movimientos));
        if (eventos == cancelarEn) t.Cancelado = true;
    }
    void MostrarMatriz() { ++matrices; }
    void VaciarCuadricula() {
        ++vaciados;
        t.VaciarCuadricula();
        p = {};
    }
    bool Validar() { return ValidarMostrando(t, e, plataforma); }
    void DeshabilitarHerramientas() { ++deshabilitados; }
    void HabilitarHerramientas() { ++habilitados; }
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) {
        plataforma.MostrarMensaje(texto, titulo, icono);
    }

    std::optional<FinBusqueda> Resolver() { return ResolverSudoku(t, p, *this); }
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
        EXPECT_EQ(a.habilitados, 1);
        EXPECT_EQ(a.matrices, 1);

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
        EXPECT_EQ(a.plataforma.mensajes,
                  (std::vector<Mensaje>{{std::string(kTextoSinSolucion),
                                         std::string(kTituloSinSolucion), Icono::Critico}}));
        // Eight givens skipped forward, nine steps back to before the first cell.
        EXPECT_EQ(t.Movimientos, 17);
        EXPECT_EQ(Rejilla(t), pistas);
        EXPECT_EQ(a.habilitados, 1);
        EXPECT_EQ(a.matrices, 1);
        if (modo == ModoCalculo::UltraRapido) {
            EXPECT_EQ(a.p.TextoMovimientos("."), "17");
            EXPECT_EQ(a.p.TextoPorcentaje(), "0 %");
        }
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
    EXPECT_EQ(a.plataforma.mensajes.size(), 1u);
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
    EXPECT_EQ(a.deshabilitados, 0);
    EXPECT_EQ(a.habilitados, 0);
    EXPECT_EQ(a.matrices, 0);
    EXPECT_EQ(a.eventos, 0);
    EXPECT_EQ(a.vaciados, 1);
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
            if (modo == ModoCalculo::Interactivo) {
                // The grid was shown before the yield that cancelled; the cancel itself gave the
                // tools back.
                EXPECT_EQ(a.matrices, colocado);
                EXPECT_EQ(a.habilitados, 0);
            } else {
                EXPECT_EQ(a.matrices, 1);
                EXPECT_EQ(a.habilitados, 1);
            }
            if (modo == ModoCalculo::Rapido && colocado == 2) {
                // Still the figures of the first forward step, from (1, 1).
                EXPECT_EQ(a.p.TextoMovimientos("."), "1");
                EXPECT_EQ(a.p.TextoPorcentaje(), "2 %");
            }
            if (ultra) {
                EXPECT_EQ(a.p.movimientos, t.Movimientos);
                EXPECT_EQ(a.p.TextoPorcentaje(),
                          std::to_string(Porcentaje(fin->fila, fin->col)) + " %");
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
// Random puzzles (support/azar.h) against the reference.

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
