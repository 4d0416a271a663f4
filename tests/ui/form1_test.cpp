// The window's commands, modes, reset and solve, without widgets.

#include <gtest/gtest.h>

#include "support/ventana_falsa.h"

namespace velmora {
namespace {

using H = Herramienta;

// Enters a classic puzzle with the number pad, as a user does.
void EntrarClasico(Form1& f, std::string_view celdas) {
    f.EjecutarHerramienta("ID_Normal");
    for (int d = 1; d <= 9; ++d) {
        f.N_Click(d - 1);
        for (int k = 0; k < kCasillas; ++k)
            if (celdas[k] == '0' + d) f.lb_Click(k);
    }
    f.N_Click(8); // a second click on "9" leaves nothing picked
}

// Enters a Killer puzzle with the palette: segment letters from the first cell on ('.' for no
// segment), sums in segment order.
void EntrarKiller(Form1& f, std::string segmentos, std::vector<std::string> sumas) {
    segmentos.resize(kCasillas, '.');
    for (size_t i = 0; i < sumas.size(); ++i) {
        f.S_Click(static_cast<int>(i));
        f.T_Change(static_cast<int>(i), sumas[i]);
        for (int k = 0; k < kCasillas; ++k)
            if (segmentos[k] == 'a' + static_cast<int>(i)) f.lb_Click(k);
    }
    f.S_Click(static_cast<int>(sumas.size()) - 1); // unpick
}

std::string Celdas(Form1& f) {
    std::string s;
    for (int k = 0; k < kCasillas; ++k)
        s += f.TextoCelda(k).empty() ? "." : f.TextoCelda(k);
    return s;
}

std::array<bool, kHerramientas> Herramientas(const Form1& f) {
    std::array<bool, kHerramientas> h;
    for (int i = 0; i < kHerramientas; ++i)
        h[i] = f.Habilitada(static_cast<H>(i));
    return h;
}

// Nuevo Abrir Guardar Vaciar Resolver Cancelar Killer Normal
constexpr std::array<bool, 8> kIdleKiller = {1, 1, 1, 1, 1, 0, 0, 1};
constexpr std::array<bool, 8> kIdleClasico = {1, 1, 1, 1, 1, 0, 1, 0};
constexpr std::array<bool, 8> kResolviendo = {0, 0, 0, 0, 0, 1, 0, 0};

const std::string kVacia(kCasillas, '.');
constexpr std::string_view kSolucionVacia = "123456789456789123789123456214365897365897214897214365"
                                            "531642978642978531978531642";
// Cell 8 can never be filled: row 1 holds 1..8 and column 9 holds 9.
const std::string kSinSolucion = [] {
    std::string s = "12345678" + std::string(73, '.');
    s[17] = '9';
    return s;
}();

TEST(Arranque, VentanaCentradaEnModoKillerConElTableroVacio) {
    VentanaDePrueba v;
    ASSERT_TRUE(v.p.posicion);
    EXPECT_EQ(v.p.posicion->x, (19200 - 11805) / 2);
    EXPECT_EQ(v.p.posicion->y, (14400 - 8430) / 2);
    EXPECT_EQ(v.f.Caption, "Sudoku Killer");
    EXPECT_TRUE(v.f.Panel_Killer);
    EXPECT_FALSE(v.f.Panel_Normal);
    EXPECT_EQ(Herramientas(v.f), kIdleKiller);
    for (int i = 0; i < kSegmentos; ++i) {
        EXPECT_EQ(v.f.LbN[i].texto, std::to_string(i + 1));
        EXPECT_EQ(v.f.LbN[i].aspecto, kLbNoMarcado);
    }
    for (int k = 0; k < kCasillas; ++k) {
        EXPECT_EQ(v.f.lb[k], kLbNulo);
        EXPECT_EQ(v.f.TextoCelda(k), "");
        EXPECT_EQ(v.f.Tab.CasillaSeg[k], -1);
    }
    EXPECT_EQ(v.f.LbDel.aspecto, kAspectoSistema);
    EXPECT_EQ(v.f.Opcion, ModoCalculo::Interactivo);
    EXPECT_EQ(v.f.SegSeleccionado, -1);
    EXPECT_TRUE(v.p.focos.empty());
    EXPECT_TRUE(v.p.mensajes.empty());
}

TEST(Modos, CambiarDeModoDescartaElTableroYNuevoConservaElModo) {
    VentanaDePrueba v;
    EntrarKiller(v.f, "aa", {"3"});
    v.f.S_Click(4);
    v.f.EjecutarHerramienta("ID_Normal");
    EXPECT_EQ(v.f.Caption, "Sudoku Normal");
    EXPECT_FALSE(v.f.Panel_Killer);
    EXPECT_TRUE(v.f.Panel_Normal);
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    EXPECT_EQ(v.f.T[0], "");
    EXPECT_EQ(v.f.lb[0], kLbNulo);
    EXPECT_EQ(v.f.Tab.CasillaSeg[0], -1);
    EXPECT_EQ(v.f.SegSeleccionado, -1);
    EXPECT_TRUE(v.p.mensajes.empty());

    v.f.N_Click(4);
    v.f.lb_Click(10);
    v.f.EjecutarHerramienta("ID_Nuevo");
    EXPECT_EQ(v.f.Caption, "Sudoku Normal");
    EXPECT_TRUE(v.f.Panel_Normal);
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    EXPECT_EQ(v.f.lb[10], kLbNulo);
    EXPECT_EQ(v.f.TextoCelda(10), "");
    EXPECT_EQ(v.f.NumSeleccionado, 0);
    EXPECT_EQ(v.f.N[4].aspecto, kNoMarcado);

    v.f.EjecutarHerramienta("ID_Killer");
    EXPECT_EQ(v.f.Caption, "Sudoku Killer");
    EXPECT_EQ(Herramientas(v.f), kIdleKiller);
    v.f.EjecutarHerramienta("ID_Otro");
    v.f.EjecutarHerramienta("id_nuevo");
    EXPECT_EQ(v.f.Caption, "Sudoku Killer");
}

TEST(Reinicio, NuevoFrenteAVaciarTrasResolverUnClasico) {
    VentanaDePrueba v;
    EntrarClasico(v.f, "12345678." + std::string(72, '.'));
    v.f.Opcion = ModoCalculo::Rapido;
    v.f.EjecutarHerramienta("ID_Resolver");
    ASSERT_TRUE(v.p.mensajes.empty());
    EXPECT_EQ(Celdas(v.f).substr(0, 9), "123456789");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "100 %");

    v.f.EjecutarHerramienta("ID_Vaciar");
    EXPECT_EQ(Celdas(v.f), "12345678." + std::string(72, '.'));
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "0");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "0 %");
    EXPECT_FALSE(v.f.progreso.barraVisible);
    EXPECT_EQ(v.f.lb[0], kLbAma);

    v.f.EjecutarHerramienta("ID_Nuevo");
    EXPECT_EQ(Celdas(v.f), kVacia);
    EXPECT_EQ(v.f.lb[0], kLbNulo);
}

TEST(Reinicio, NuevoApagaElModoBorrarYSoloEntonces) {
    VentanaDePrueba v;
    v.f.LbDel_Click();
    v.f.EjecutarHerramienta("ID_Nuevo");
    EXPECT_FALSE(v.f.ModoBorrar);
    EXPECT_EQ(v.f.LbDel.aspecto, kLbNoMarcado);

    VentanaDePrueba w;
    w.f.EjecutarHerramienta("ID_Nuevo");
    EXPECT_EQ(w.f.LbDel.aspecto, kAspectoSistema);
}

struct CasoModo {
    ModoCalculo modo;
    const char* nombre;
};
class Resolver : public testing::TestWithParam<CasoModo> {};

TEST_P(Resolver, ResuelveYMuestraLasCifrasFinales) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kVacia);
    v.f.Opcion = GetParam().modo;
    std::array<bool, 8> durante{};
    v.p.alProcesar = [&](int) { durante = Herramientas(v.f); };
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(durante, kResolviendo);
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    EXPECT_EQ(Celdas(v.f), kSolucionVacia);
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "701");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "100 %");
    EXPECT_TRUE(v.f.progreso.barraVisible);
    EXPECT_EQ(v.f.progreso.barra, 100);
    EXPECT_TRUE(v.p.mensajes.empty());
    EXPECT_FALSE(v.f.Resolviendo());
}

TEST_P(Resolver, SinSolucion) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kSinSolucion);
    v.f.Opcion = GetParam().modo;
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(v.p.mensajes,
              Solo({"El sudoku, con las combinaciones de números propuestas, No tiene solución",
                    "Proceso Terminado", Icono::Critico}));
    EXPECT_EQ(Celdas(v.f), kSinSolucion);
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    // Ultra-Rápido ends with the figures of the position the search ran out at; the others keep
    // the last forward step's.
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(),
              GetParam().modo == ModoCalculo::UltraRapido ? "0 %" : "11 %");
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."),
              GetParam().modo == ModoCalculo::UltraRapido ? "17" : "8");
}

TEST_P(Resolver, CancelarEnUnPasoExacto) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kVacia);
    const ModoCalculo modo = GetParam().modo;
    v.f.Opcion = modo;
    const int pasos = v.p.eventos;
    // The validation yields once, then every placed digit (and in Ultra-Rápido every forward
    // step too): cancel on the yield that follows the 12th placed digit, at cell (2, 3).
    const int yield = pasos + 1 + (modo == ModoCalculo::UltraRapido ? 23 : 12);
    std::array<bool, 8> trasCancelar{};
    int ordenesIgnoradas = 0;
    v.p.alProcesar = [&](int n) {
        if (n == yield) {
            v.f.EjecutarHerramienta("ID_Cancelar");
            trasCancelar = Herramientas(v.f);
            // Queued behind the cancel, before the search has stopped: ignored.
            v.f.EjecutarHerramienta("ID_Nuevo");
            v.f.lb_Click(80);
            ordenesIgnoradas = 2;
        }
    };
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(ordenesIgnoradas, 2);
    EXPECT_EQ(trasCancelar, kIdleClasico);
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    EXPECT_TRUE(v.p.mensajes.empty());
    EXPECT_EQ(v.f.Caption, "Sudoku Normal");
    const std::string parcial = std::string(kSolucionVacia.substr(0, 12)) + std::string(69, '.');
    EXPECT_EQ(Celdas(v.f), parcial);
    EXPECT_EQ(v.f.Tab.Movimientos, 11);
    // The last figures shown are those after cell (2, 2), or in Ultra-Rápido the final ones
    // at cell (2, 3): n = 12 either way.
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "11");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "15 %");
}

INSTANTIATE_TEST_SUITE_P(Modos, Resolver,
                         testing::Values(CasoModo{ModoCalculo::Rapido, "Rapido"},
                                         CasoModo{ModoCalculo::Interactivo, "Interactivo"},
                                         CasoModo{ModoCalculo::UltraRapido, "UltraRapido"}),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(Resolver, InteractivoMuestraLaRejillaTrasCadaCifra) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kVacia);
    const int antes = v.p.eventos + 1; // after the validation's pass
    std::vector<std::string> vistas;
    v.p.alProcesar = [&](int n) {
        if (n > antes && vistas.size() < 3) vistas.push_back(Celdas(v.f).substr(0, 3));
    };
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(vistas, (std::vector<std::string>{"1..", "12.", "123"}));
}

TEST(Resolver, UltraRapidoGiraDuranteLaBusqueda) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kVacia);
    v.f.Opcion = ModoCalculo::UltraRapido;
    const int antes = v.p.eventos;
    std::string giros;
    v.p.alProcesar = [&](int n) {
        if (n - antes > 8) return;
        giros += v.f.progreso.TextoMovimientos(".");
        giros += v.f.progreso.TextoPorcentaje().empty() ? "_" : "%";
    };
    v.f.EjecutarHerramienta("ID_Resolver");
    // The validation's pass and the first digit's see the reset figures; then every forward
    // step shows the next frame, hides the percentage and yields, and the digit after it
    // yields once more.
    EXPECT_EQ(giros, "0%0%|_|_/_/_-_-_");
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "701");
}

TEST(Resolver, ElModoSeLeeEnCadaPaso) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kVacia);
    v.f.Opcion = ModoCalculo::UltraRapido;
    v.p.alProcesar = [&](int n) {
        if (n == 40) v.f.Opcion = ModoCalculo::Rapido;
    };
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "701");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "100 %");
}

TEST(Resolver, FalloDeValidacionNoTocaLasHerramientas) {
    VentanaDePrueba v;
    EntrarClasico(v.f, "5......5." + std::string(72, '.'));
    v.f.Tab.Movimientos = 55;
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(v.f.Tab.Movimientos, 55);
    EXPECT_EQ(v.p.mensajes, Solo({"El número 5 se encuentra repetido en la fila 1",
                                  "Número Repetido", Icono::Exclamacion}));
    EXPECT_EQ(Herramientas(v.f), kIdleClasico);
    EXPECT_EQ(v.f.progreso.TextoMovimientos("."), "0");
    EXPECT_EQ(v.f.progreso.TextoPorcentaje(), "0 %");

    VentanaDePrueba k;
    EntrarKiller(k.f, "aab", {"3", ""});
    k.f.EjecutarHerramienta("ID_Resolver");
    ASSERT_EQ(k.p.mensajes.size(), 1u);
    EXPECT_EQ(k.p.mensajes[0].titulo, "Fallo en segmento 2");
    EXPECT_EQ(Herramientas(k.f), kIdleKiller);
}

TEST(Resolver, KillerPintaLaSolucionSobreLosColores) {
    VentanaDePrueba v;
    // Two cages of two cells in the top left box.
    EntrarKiller(v.f, "ab.......ab", {"3", "17"});
    v.f.Opcion = ModoCalculo::Rapido;
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_TRUE(v.p.mensajes.empty());
    const auto d = [&](int k) { return v.f.TextoCelda(k)[0] - '0'; };
    EXPECT_EQ(d(0) + d(9), 3);
    EXPECT_EQ(d(1) + d(10), 17);
    EXPECT_EQ(v.f.lb[0], kPaleta[0]);
    EXPECT_EQ(v.f.lb[10], kPaleta[1]);
    v.f.EjecutarHerramienta("ID_Vaciar");
    EXPECT_EQ(Celdas(v.f), kVacia);
    EXPECT_EQ(v.f.lb[0], kPaleta[0]);
    EXPECT_EQ(v.f.T[1], "17");
}

TEST(Cerrar, DuranteUnaBusquedaLaDetieneSinMensajes) {
    VentanaDePrueba v;
    EntrarClasico(v.f, kSinSolucion); // would end with the no-solution message
    v.f.Opcion = ModoCalculo::UltraRapido;
    bool puedeCerrar = true;
    v.p.alProcesar = [&](int n) {
        if (n == 5) puedeCerrar = v.f.PuedeCerrar();
    };
    EXPECT_TRUE(v.f.PuedeCerrar());
    v.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_FALSE(puedeCerrar);
    EXPECT_TRUE(v.f.CierrePendiente());
    EXPECT_TRUE(v.p.mensajes.empty());
    EXPECT_FALSE(v.f.Resolviendo());
}

} // namespace
} // namespace velmora
