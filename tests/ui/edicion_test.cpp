// Drawing puzzles: segments from the palette, digits from the pad.

#include <gtest/gtest.h>

#include "support/ventana_falsa.h"

namespace velmora {
namespace {

const Mensaje kSinSegmento{
    "Debes indicar un segmento haciendo click en su color antes de marcar en una casilla.",
    "Segmento sin seleccionar", Icono::Informacion};
const Mensaje kSinNumero{
    "Debes indicar un número haciendo click sobre él antes de marcar en una casilla.",
    "Número sin seleccionar", Icono::Informacion};

// Exactly the number label of the picked segment wears the selected look and the marker.
void EsperarElegido(const Form1& f, int elegido) {
    EXPECT_EQ(f.SegSeleccionado, elegido);
    for (int i = 0; i < kSegmentos; ++i) {
        EXPECT_EQ(f.LbN[i].marca, i == elegido) << i;
        EXPECT_EQ(f.LbN[i].aspecto, i == elegido ? kLbMarcado : kLbNoMarcado) << i;
    }
}

TEST(Segmentos, ClickEnCasillaSinSegmentoElegido) {
    VentanaDePrueba v;
    v.f.lb_Click(7);
    EXPECT_EQ(v.p.mensajes, Solo(kSinSegmento));
    EXPECT_EQ(v.f.lb[7], kLbNulo);
    EXPECT_EQ(v.f.Tab.CasillaSeg[7], -1);
}

TEST(Segmentos, PintarYMoverCasillasEntreSegmentos) {
    VentanaDePrueba v;
    v.f.S_Click(5);
    EsperarElegido(v.f, 5);
    for (const int k : {0, 1, 2})
        v.f.lb_Click(k);
    v.f.lb_Click(2); // a second click leaves it in the segment
    v.f.LbN_Click(7);
    EsperarElegido(v.f, 7);
    v.f.lb_Click(1);
    EXPECT_EQ(v.f.lb[0], kPaleta[5]);
    EXPECT_EQ(v.f.lb[2], kPaleta[5]);
    EXPECT_EQ(v.f.lb[1], kPaleta[7]);
    EXPECT_EQ(v.f.Tab.CasillaSeg[0], 5);
    EXPECT_EQ(v.f.Tab.CasillaSeg[1], 7);
    EXPECT_EQ(v.f.Tab.CasillaSeg[2], 5);
    EXPECT_EQ(v.f.TextoCelda(1), ""); // captions are never touched in Killer mode
    EXPECT_TRUE(v.p.mensajes.empty());

    v.f.S_Click(21);
    v.f.lb_Click(40);
    EXPECT_EQ(v.f.lb[40], (Aspecto{Rgb(0, 0, 255), Rgb(255, 255, 255)}));
    v.f.S_Click(0);
    v.f.lb_Click(41);
    EXPECT_EQ(v.f.lb[41], (Aspecto{Rgb(255, 192, 192), kTextoVentana}));
}

TEST(Segmentos, UnSegundoClickDesmarca) {
    VentanaDePrueba v;
    v.f.S_Click(3);
    v.f.S_Click(3);
    EsperarElegido(v.f, -1);
    v.f.LbN_Click(3);
    v.f.LbN_Click(3);
    EsperarElegido(v.f, -1);
    v.f.lb_Click(0);
    EXPECT_EQ(v.p.mensajes, Solo(kSinSegmento));
}

TEST(Segmentos, ClickEnElColorEnfocaSuSumaYEligeUnaVez) {
    VentanaDePrueba v;
    v.f.T_Change(4, "17");
    const int antes = v.p.eventos;
    v.f.S_Click(4);
    EXPECT_EQ(v.p.eventos, antes + 1); // the swatch click yields once, before it picks
    EXPECT_EQ(v.p.focos, std::vector<int>{4});
    EXPECT_EQ(v.p.selecciones, std::vector<int>{4});
    EsperarElegido(v.f, 4);
    EXPECT_FALSE(v.f.SaltarFoco);
    EXPECT_FALSE(v.f.MarcaFocoT[4]);

    // A click on a number label does not yield.
    v.f.LbN_Click(9);
    EXPECT_EQ(v.p.eventos, antes + 1);
    EsperarElegido(v.f, 9);
}

TEST(Segmentos, ElFocoQueLlegaDespuesNoEligeOtraVez) {
    VentanaDePrueba v;
    v.focoInmediato = false; // the window is not active: the focus event comes later
    v.f.S_Click(2);
    EXPECT_TRUE(v.f.SaltarFoco);
    EsperarElegido(v.f, 2);
    v.f.S_Click(2); // unpicked before the focus event arrives
    EsperarElegido(v.f, -1);
    v.f.T_GotFocus(2); // consumed: picks nothing
    EsperarElegido(v.f, -1);
    EXPECT_FALSE(v.f.SaltarFoco);
    v.f.T_GotFocus(2); // the user enters the box: picks
    EsperarElegido(v.f, 2);
}

TEST(Segmentos, EntrarEnUnaSumaElige) {
    VentanaDePrueba v;
    v.f.T_GotFocus(6);
    EsperarElegido(v.f, 6);
    EXPECT_TRUE(v.p.focos.empty());
    v.f.T_GotFocus(6); // the picked segment's own box keeps it picked
    EsperarElegido(v.f, 6);
    v.f.T_GotFocus(8);
    EsperarElegido(v.f, 8);
    EXPECT_EQ(v.p.selecciones, (std::vector<int>{6, 6, 8}));
}

TEST(Segmentos, ModoBorrar) {
    VentanaDePrueba v;
    v.f.S_Click(3);
    v.f.lb_Click(10);
    v.f.lb_Click(11);
    v.f.LbDel_Click();
    EXPECT_TRUE(v.f.ModoBorrar);
    EXPECT_EQ(v.f.LbDel.aspecto, kLbMarcado);
    EsperarElegido(v.f, -1);
    v.f.lb_Click(10);
    v.f.lb_Click(12); // a free cell stays free
    EXPECT_EQ(v.f.lb[10], kLbNulo);
    EXPECT_EQ(v.f.Tab.CasillaSeg[10], -1);
    EXPECT_EQ(v.f.lb[12], kLbNulo);
    EXPECT_EQ(v.f.Tab.CasillaSeg[12], -1);
    EXPECT_EQ(v.f.Tab.CasillaSeg[11], 3);

    v.f.LbDel_Click();
    EXPECT_FALSE(v.f.ModoBorrar);
    EXPECT_EQ(v.f.LbDel.aspecto, kLbNoMarcado);
    v.f.lb_Click(11);
    EXPECT_EQ(v.p.mensajes, Solo(kSinSegmento));
    EXPECT_EQ(v.f.Tab.CasillaSeg[11], 3);
}

TEST(Segmentos, ElegirUnColorTerminaElModoBorrarYEntrarEnSuSumaNo) {
    VentanaDePrueba v;
    v.f.LbDel_Click();
    v.f.S_Click(1);
    EXPECT_FALSE(v.f.ModoBorrar);
    EXPECT_EQ(v.f.LbDel.aspecto, kLbNoMarcado);
    EsperarElegido(v.f, 1);

    v.f.LbDel_Click();
    v.f.T_GotFocus(5); // entering a sum box with the mouse
    EXPECT_TRUE(v.f.ModoBorrar);
    EsperarElegido(v.f, 5);
    v.f.lb_Click(30); // a picked segment paints, erase mode or not
    EXPECT_EQ(v.f.Tab.CasillaSeg[30], 5);
    v.f.LbDel_Click(); // leaves the erase mode; the segment stays picked
    EXPECT_FALSE(v.f.ModoBorrar);
    EsperarElegido(v.f, 5);

    v.f.LbDel_Click();
    v.f.T_GotFocus(5);
    v.f.S_Click(5); // unpicks and ends the erase mode
    EsperarElegido(v.f, -1);
    EXPECT_FALSE(v.f.ModoBorrar);
}

TEST(Segmentos, FiltroDeTeclas) {
    VentanaDePrueba v;
    for (const int c : {int{'a'}, int{'-'}, int{' '}, int{','}, 0x00F1, 0x8000, 0xFFFF, 127, -1})
        EXPECT_EQ(v.f.T_KeyPress(0, c), 0) << c;
    for (const int c : {int{'0'}, int{'4'}, int{'5'}, int{'9'}, 8, 13, 0, 31})
        EXPECT_EQ(v.f.T_KeyPress(0, c), c) << c;
}

TEST(Digitos, ElegirEnElTecladoNumerico) {
    VentanaDePrueba v;
    v.f.EjecutarHerramienta("ID_Normal");
    v.f.N_Click(4);
    v.f.N_Click(6); // moves the highlight in one click
    EXPECT_EQ(v.f.NumSeleccionado, 7);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(v.f.N[i].marca, i == 6);
        EXPECT_EQ(v.f.N[i].aspecto, i == 6 ? kMarcado : kNoMarcado);
    }
    v.f.N_Click(6);
    EXPECT_EQ(v.f.NumSeleccionado, 0);
    EXPECT_EQ(v.f.N[6].aspecto, kNoMarcado);
    v.f.lb_Click(3);
    EXPECT_EQ(v.p.mensajes, Solo(kSinNumero));
    EXPECT_EQ(v.f.lb[3], kLbNulo);
}

TEST(Digitos, EscribirYBorrarCasillas) {
    VentanaDePrueba v;
    v.f.EjecutarHerramienta("ID_Normal");
    v.f.N_Click(4);
    for (const int k : {0, 1, 2})
        v.f.lb_Click(k);
    for (const int k : {0, 1, 2}) {
        EXPECT_EQ(v.f.TextoCelda(k), "5");
        EXPECT_EQ(v.f.lb[k], kLbAma);
    }
    EXPECT_EQ(v.f.NumSeleccionado, 5);
    v.f.N_Click(7);
    v.f.lb_Click(1); // replaces, even with 8 nowhere else: no check at entry
    v.f.lb_Click(2);
    EXPECT_EQ(v.f.TextoCelda(1), "8");
    EXPECT_EQ(v.f.TextoCelda(2), "8");
    v.f.N_Click(9);
    EXPECT_EQ(v.f.NumSeleccionado, 10);
    v.f.lb_Click(0);
    v.f.lb_Click(50);
    EXPECT_EQ(v.f.TextoCelda(0), "");
    EXPECT_EQ(v.f.lb[0], kLbNulo);
    EXPECT_EQ(v.f.lb[50], kLbNulo);
    const Enunciado e = v.f.LeerEnunciado();
    EXPECT_EQ(e.fijas.count(), 2u);
    EXPECT_FALSE(e.fijas[0]);
    EXPECT_TRUE(v.p.mensajes.empty());
}

TEST(DuranteLaBusqueda, LaEdicionNoLlegaAlTablero) {
    VentanaDePrueba v;
    v.f.EjecutarHerramienta("ID_Normal");
    bool probado = false;
    v.p.alProcesar = [&](int) {
        if (probado) return;
        probado = true;
        v.f.N_Click(2);
        v.f.lb_Click(80);
        EXPECT_EQ(v.f.NumSeleccionado, 0);
        EXPECT_EQ(v.f.lb[80], kLbNulo);
        v.f.EjecutarHerramienta("ID_Killer"); // disabled while solving, and ignored
        EXPECT_EQ(v.f.Caption, "Sudoku Normal");
        v.f.EjecutarHerramienta("ID_Cancelar");
    };
    v.f.EjecutarHerramienta("ID_Resolver");
    ASSERT_TRUE(probado);

    VentanaDePrueba k;
    probado = false;
    k.p.alProcesar = [&](int) {
        if (probado || !k.f.Resolviendo()) return;
        probado = true;
        k.f.S_Click(0);
        k.f.LbN_Click(1);
        k.f.LbDel_Click();
        k.f.T_GotFocus(2);
        k.f.T_Change(3, "9");
        k.f.lb_Click(0);
        EXPECT_EQ(k.f.T_KeyPress(3, '5'), 0);
        EXPECT_EQ(k.f.SegSeleccionado, -1);
        EXPECT_FALSE(k.f.ModoBorrar);
        EXPECT_EQ(k.f.T[3], "");
        EXPECT_EQ(k.f.Tab.CasillaSeg[0], -1);
        EXPECT_TRUE(k.p.mensajes.empty());
    };
    k.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_TRUE(probado);
}

} // namespace
} // namespace velmora
