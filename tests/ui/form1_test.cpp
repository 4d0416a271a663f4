// The window without widgets: drawing puzzles, the modes, reset and solve.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "files/puzzle_xml.h"
#include "support/puzzles.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

// Enters a classic puzzle with the number pad.
void EntrarClasico(Form1& f, std::string_view celdas) {
    std::string pasos = "ID_Normal";
    for (int d = 1; d <= 9; ++d) {
        pasos += " n" + std::to_string(d - 1);
        for (int k = 0; k < kCasillas; ++k)
            if (celdas[k] == '0' + d) pasos += " c" + std::to_string(k);
    }
    Pasos(f, pasos + " n8"); // a second click on "9" leaves nothing picked
}

// The cells in a segment as "cell:segment" ('?' for one not in its segment's colour), the picked
// segment, the number labels wearing the picked look and the marker ('?' if only one of them),
// and the erase mode ('?' if its label does not show it).
std::string Elegido(const Form1& f) {
    std::string s;
    for (int k = 0; k < kCasillas; ++k)
        if (const int g = f.Tab.CasillaSeg[k]; g >= 0 || f.lb[k] != kLbNulo)
            s += std::to_string(k) + ":" +
                 (g >= 0 && f.lb[k] == kPaleta[g] ? std::to_string(g) : "?") + " ";
    s += std::to_string(f.SegSeleccionado) + ":";
    for (int i = 0; i < kSegmentos; ++i)
        if (f.LbN[i].marca || f.LbN[i].aspecto != kLbNoMarcado)
            s += std::to_string(i) + (f.LbN[i].marca && f.LbN[i].aspecto == kLbMarcado ? "" : "?");
    if (f.ModoBorrar) s += " borrar";
    if ((f.LbDel.aspecto == kLbMarcado) != f.ModoBorrar) s += "?";
    return s;
}

// Nuevo Abrir Guardar Vaciar Resolver Cancelar Killer Normal, 1 when enabled, then the progress
// box: counter, percentage, and the bar's position when shown.
std::string Cifras(const Form1& f) {
    std::string s;
    for (int i = 0; i < kHerramientas; ++i)
        s += f.Habilitada(static_cast<Herramienta>(i)) ? '1' : '0';
    const Progreso& p = f.progreso;
    for (const std::string& t : {p.TextoMovimientos("."), p.TextoPorcentaje(),
                                 p.barraVisible ? std::to_string(p.barra) : std::string("-")})
        s.append(" ").append(t);
    return s;
}

const Mensaje kSinSegmento{
    "Debes indicar un segmento haciendo click en su color antes de marcar en una casilla.",
    "Segmento sin seleccionar", Icono::Informacion};
const std::string kVacia(kCasillas, '.');
constexpr std::string_view kSolucionVacia = "123456789456789123789123456214365897365897214897214365"
                                            "531642978642978531978531642";
// Cell 8 can never be filled: row 1 holds 1..8 and column 9 holds 9.
const std::string kSinSolucion = "12345678.........9" + kVacia.substr(18);

TEST(Form1, PintarSegmentos) {
    VentanaDePrueba v;
    Pasos(v.f, "ID_Nuevo c7"); // no segment picked
    EXPECT_EQ(v.p.mensajes, Solo(kSinSegmento));
    EXPECT_EQ(v.f.LbDel.aspecto, kAspectoSistema); // its first look, until the erase mode
    // A second click leaves a cell in its segment; another segment takes it over.
    Pasos(v.f, "S5 c0 c1 c2 c2 L7 c1 S21 c40");
    EXPECT_EQ(Elegido(v.f), "0:5 1:7 2:5 40:21 21:21");
    EXPECT_EQ(Celdas(v.f), kVacia); // captions are never touched in Killer mode
    Pasos(v.f, "S21 L3 L3 c8");     // a second click unpicks
    EXPECT_EQ(v.p.mensajes.size(), 2u);

    // Erase mode: unpicks and frees cells; a second click or a picked colour ends it.
    Pasos(v.f, "S3 c11 D c0 c12");
    EXPECT_EQ(Elegido(v.f), "1:7 2:5 11:3 40:21 -1: borrar");
    Pasos(v.f, "D c11 D S1");
    EXPECT_EQ(Elegido(v.f), "1:7 2:5 11:3 40:21 1:1");
    // Entering a sum box picks and leaves the erase mode on; a picked segment paints.
    Pasos(v.f, "D F5 c30");
    EXPECT_EQ(Elegido(v.f), "1:7 2:5 11:3 30:5 40:21 5:5 borrar");
    Pasos(v.f, "D F5 S5");
    EXPECT_EQ(Elegido(v.f), "1:7 2:5 11:3 30:5 40:21 -1:");
    EXPECT_EQ(v.p.mensajes.size(), 3u);

    // Another mode, and Nuevo, start from an empty board in their mode; unknown tools do nothing.
    Pasos(v.f, "S2 D ID_Normal n4 c10 ID_Nuevo ID_Otro id_killer");
    EXPECT_EQ(v.f.Caption + Cifras(v.f), "Sudoku Normal11111010 0 0 % -");
    EXPECT_EQ(v.f.LeerEnunciado(), Clasico(kVacia));
    EXPECT_EQ(Elegido(v.f), "-1:");
    EXPECT_EQ(v.f.N[4].aspecto, kNoMarcado);
    Pasos(v.f, "ID_Killer");
    EXPECT_EQ(v.f.Caption + Cifras(v.f), "Sudoku Killer11111001 0 0 % -");
}

TEST(Form1, ElegirPorLaMuestraOPorLaSuma) {
    VentanaDePrueba v;
    const int antes = v.p.eventos;
    Pasos(v.f, "S4"); // yields once, picks, and moves the focus into its sum box
    EXPECT_EQ(v.p.eventos, antes + 1);
    EXPECT_EQ(Elegido(v.f), "4:4");
    EXPECT_FALSE(v.f.SaltarFoco || v.f.MarcaFocoT[4]);
    Pasos(v.f, "L9"); // the same without the yield
    EXPECT_EQ(v.p.eventos, antes + 1);
    Pasos(v.f, "F6 F6 F8"); // its own box keeps a segment picked
    EXPECT_EQ(Elegido(v.f), "8:8");
    EXPECT_EQ(v.p.selecciones, (std::vector<int>{4, 9, 6, 6, 8}));

    // The window is not active: the focus event comes after the pick and picks nothing.
    v.focoInmediato = false;
    Pasos(v.f, "S2");
    EXPECT_TRUE(v.f.SaltarFoco);
    Pasos(v.f, "S2 F2"); // unpicked before the focus event arrives
    EXPECT_EQ(Elegido(v.f), "-1:");
    EXPECT_FALSE(v.f.SaltarFoco);
    Pasos(v.f, "F2"); // the user enters the box
    EXPECT_EQ(Elegido(v.f), "2:2");

    // The sum boxes' key filter.
    for (const int c : {int{'a'}, int{' '}, 0x00F1, 0xFFFF, 127, -1, '0' - 1})
        EXPECT_EQ(v.f.T_KeyPress(0, c), 0) << c;
    for (const int c : {int{'0'}, int{'9'}, 8, 13, 0, 31})
        EXPECT_EQ(v.f.T_KeyPress(0, c), c) << c;
}

TEST(Form1, CifrasDelTeclado) {
    VentanaDePrueba v;
    Pasos(v.f, "ID_Normal c3");
    EXPECT_EQ(v.p.mensajes, Solo({"Debes indicar un número haciendo click sobre él antes de "
                                  "marcar en una casilla.",
                                  "Número sin seleccionar", Icono::Informacion}));
    Pasos(v.f, "n4 n6"); // moves the highlight in one click
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(v.f.N[i].aspecto, i == 6 && v.f.N[i].marca ? kMarcado : kNoMarcado) << i;
    // A digit replaces another with no check at entry; "Borrar" empties.
    Pasos(v.f, "c0 c1 c2 n4 c1 n9 c0 c50");
    EXPECT_EQ(Celdas(v.f), ".57" + kVacia.substr(3));
    EXPECT_EQ(v.f.LeerEnunciado(), Clasico(".57" + kVacia.substr(3))); // the given look too
}

// A window that solved a classic puzzle in a mode; the hook runs at every event pass of the
// solve, numbered from 1.
struct Resuelto : VentanaDePrueba {
    Resuelto(std::string_view celdas, ModoCalculo modo,
             std::function<void(Resuelto&, int)> gancho = {}) {
        EntrarClasico(f, celdas);
        f.Opcion = modo;
        const int antes = p.eventos;
        if (gancho) p.alProcesar = [this, antes, gancho](int n) { gancho(*this, n - antes); };
        f.EjecutarHerramienta("ID_Resolver");
    }
};

TEST(Form1, ResolverEnCadaModo) {
    for (const ModoCalculo modo :
         {ModoCalculo::Rapido, ModoCalculo::Interactivo, ModoCalculo::UltraRapido}) {
        SCOPED_TRACE(static_cast<int>(modo));
        const bool ultra = modo == ModoCalculo::UltraRapido;
        std::string durante;
        Resuelto v(kVacia, modo, [&](Resuelto& r, int) { durante = Cifras(r.f).substr(0, 8); });
        EXPECT_EQ(durante + " " + Cifras(v.f), "00000100 11111010 701 100 % 100");
        EXPECT_EQ(Celdas(v.f), kSolucionVacia);

        // Ultra-Rápido ends with the figures of the position the search ran out at; the others
        // keep the last forward step's.
        Resuelto w(kSinSolucion, modo);
        EXPECT_EQ(w.p.mensajes, Solo({"El sudoku, con las combinaciones de números propuestas, "
                                      "No tiene solución",
                                      "Proceso Terminado", Icono::Critico}));
        EXPECT_EQ(Celdas(w.f) + Cifras(w.f),
                  kSinSolucion + (ultra ? "11111010 17 0 % 0" : "11111010 8 11 % 11"));

        // The validation yields once, then every placed digit (and in Ultra-Rápido every forward
        // step too): cancel on the yield that follows the 12th placed digit, at cell (2, 3).
        // Commands queued behind the cancel, before the search has stopped, are ignored.
        std::string trasCancelar;
        Resuelto c(kVacia, modo, [&](Resuelto& r, int n) {
            if (n != (ultra ? 24 : 13)) return;
            Pasos(r.f, "ID_Cancelar");
            trasCancelar = Cifras(r.f).substr(0, 8);
            Pasos(r.f, "ID_Nuevo c80");
        });
        // The figures after cell (2, 2), or in Ultra-Rápido the final ones at (2, 3).
        EXPECT_EQ(trasCancelar + " " + Cifras(c.f), "11111010 11111010 11 15 % 15");
        EXPECT_EQ(Celdas(c.f), std::string(kSolucionVacia.substr(0, 12)) + kVacia.substr(12));
        EXPECT_TRUE(v.p.mensajes.empty() && c.p.mensajes.empty());
    }
}

TEST(Form1, LoQueSeVeDuranteLaBusqueda) {
    // "Interactivo" shows the grid at every placed digit.
    std::vector<std::string> vistas;
    Resuelto v(kVacia, ModoCalculo::Interactivo, [&](Resuelto& r, int n) {
        if (n > 1 && vistas.size() < 3) vistas.push_back(Celdas(r.f).substr(0, 3));
    });
    EXPECT_EQ(vistas, (std::vector<std::string>{"1..", "12.", "123"}));

    // The validation's pass and the first digit's see the reset figures; then every forward
    // step shows the next frame, hides the percentage and yields, and the digit after it yields
    // once more. The mode is read again at every pass.
    std::string giros;
    Resuelto u(kVacia, ModoCalculo::UltraRapido, [&](Resuelto& r, int n) {
        if (n <= 8) giros += Cifras(r.f).substr(9) + ";";
        if (n == 40) r.f.Opcion = ModoCalculo::Rapido;
    });
    EXPECT_EQ(giros, "0 0 % -;0 0 % -;|  -;|  -;/  -;/  -;-  -;-  -;");
    EXPECT_EQ(Cifras(u.f), "11111010 701 100 % 100");
}

TEST(Form1, VaciarQuitaLaSolucionYNuevoElSudoku) {
    const std::string pistas = kSinSolucion.substr(0, 9) + kVacia.substr(9);
    Resuelto v(pistas, ModoCalculo::Rapido);
    EXPECT_EQ(Celdas(v.f).substr(0, 10), "1234567894");
    Pasos(v.f, "ID_Vaciar");
    EXPECT_EQ(Celdas(v.f) + Cifras(v.f), pistas + "11111010 0 0 % -");
    EXPECT_EQ(v.f.LeerEnunciado(), Clasico(pistas));
    Pasos(v.f, "ID_Nuevo");
    EXPECT_EQ(Celdas(v.f), kVacia);
    EXPECT_EQ(v.f.LeerEnunciado(), Clasico(kVacia));
    // A puzzle that fails its check starts no search.
    Resuelto r("5......5." + kVacia.substr(9), ModoCalculo::Rapido);
    EXPECT_EQ(r.p.mensajes.size(), 1u);
    EXPECT_EQ(Cifras(r.f), "11111010 0 0 % -");
}

TEST(Form1, DuranteLaBusquedaSoloCancelarYCerrarLlegan) {
    bool probado = false;
    Resuelto v(kVacia, ModoCalculo::Rapido, [&](Resuelto& r, int) {
        if (probado || !r.f.Resolviendo()) return;
        probado = true;
        Pasos(r.f, "n2 S0 L1 D F2 T3=9 c0 ID_Killer"); // ID_Killer is disabled, and ignored
        EXPECT_EQ(r.f.T_KeyPress(3, '5') + r.f.NumSeleccionado, 0);
        EXPECT_EQ(Elegido(r.f), "-1:");
        EXPECT_FALSE(r.f.SaltarFoco);
        EXPECT_EQ(r.f.LeerEnunciado(), Clasico(kVacia));
        EXPECT_FALSE(r.f.PuedeCerrar()); // closing asks the search to stop
    });
    ASSERT_TRUE(probado);
    EXPECT_TRUE(v.f.CierrePendiente() && v.f.PuedeCerrar());
    // A search closed so stops without the message it would end with.
    Resuelto w(kSinSolucion, ModoCalculo::UltraRapido, [&](Resuelto& r, int n) {
        if (n == 5) r.f.PuedeCerrar();
    });
    EXPECT_TRUE(v.p.mensajes.empty() && w.p.mensajes.empty());
}

// "Ultra-Rápido" on several threads ends as on one: grid, figures and messages; a cancel stops
// it and leaves the earliest running subtree's partial grid.
TEST(Form1, UltraRapidoEnVariosHilos) {
    const auto resolver = [](int hilos, const char* fichero, int cancelarEn) {
        VentanaDePrueba v(hilos);
        v.f.PintarEnunciado(AbrirPuzzle(QString::fromUtf8(fichero)).enunciado);
        v.f.Opcion = ModoCalculo::UltraRapido;
        v.p.alProcesar = [&](int n) {
            if (n == cancelarEn) Pasos(v.f, "ID_Cancelar");
        };
        Pasos(v.f, "ID_Resolver");
        return std::tuple(Celdas(v.f) + " " + Cifras(v.f), v.p.mensajes, v.f.Tab.Cancelado,
                          v.f.Habilitada(Herramienta::Resolver));
    };
    for (const char* fichero :
         {VELMORA_TEST_DATA "/killer_bench.xml", VELMORA_TEST_DATA "/clasico_sin_solucion.xml",
          VELMORA_EXAMPLES "/killer_parcial.xml"}) {
        SCOPED_TRACE(fichero);
        EXPECT_EQ(resolver(1, fichero, -1), resolver(2, fichero, -1));
        EXPECT_EQ(resolver(1, fichero, -1), resolver(3, fichero, -1));
    }
    const auto [celdas, mensajes, cancelado, idle] =
        resolver(2, VELMORA_TEST_DATA "/clasico_176m.xml", 3);
    EXPECT_TRUE(cancelado && idle && mensajes.empty());
    EXPECT_NE(celdas.substr(0, 81).find_first_not_of('.'), std::string::npos);
}

// A Killer imported with a given digit outside its cages: the digit becomes a one-cell cage,
// and one message says so.
TEST(Importar, CifraDadaFueraDeLosSegmentos) {
    std::string grid = R"([[{"value":5,"given":true})";
    for (int k = 1; k < kCasillas; ++k)
        grid += k % 9 ? ",{}" : "],[{}";
    VentanaDePrueba v;
    ASSERT_TRUE(v.f.ImportarTexto(R"({"size":9,"killercage":[{"cells":["R1C2"],"value":"4"}],)"
                                  R"("grid":)" +
                                  grid + "]]}"));
    EXPECT_EQ(v.f.Tab.CasillaSeg[0], 0);
    EXPECT_EQ(v.f.Tab.CasillaSeg[1], 1);
    EXPECT_EQ(v.f.T[0], "5");
    ASSERT_EQ(v.p.mensajes.size(), 1u);
    EXPECT_EQ(v.p.mensajes[0].titulo, "Cifras dadas en un Killer");
}

} // namespace
} // namespace velmora
