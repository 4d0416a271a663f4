// The window's layout table: geometry, captions, fonts and colours of the controls.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/disposicion.h"

namespace velmora {
namespace {

const Control& Ctl(std::string_view nombre, int indice = -1) {
    const Control* c = BuscarControl(nombre, indice);
    EXPECT_NE(c, nullptr) << nombre << "(" << indice << ")";
    static const Control vacio{};
    return c ? *c : vacio;
}

TEST(Disposicion, CeldasEntreLasLineasGruesas) {
    EXPECT_EQ(Ctl("lb", 0).contenedor, "SSPanel1");
    EXPECT_EQ(Ctl("lb", 0).r, (Rect{120, 120, 600, 600}));
    EXPECT_EQ(Ctl("lb", 80).r, (Rect{5640, 5640, 600, 600}));
    EXPECT_EQ(Ctl("lb", 1).r.x - Ctl("lb", 0).r.x, 660);
    EXPECT_EQ(Ctl("lb", 3).r.x - Ctl("lb", 2).r.x, 780);
    const int posiciones[9] = {120, 780, 1440, 2220, 2880, 3540, 4320, 4980, 5640};
    for (int k = 0; k < kCasillas; ++k) {
        EXPECT_EQ(Ctl("lb", k).r.x, posiciones[k % 9]) << k;
        EXPECT_EQ(Ctl("lb", k).r.y, posiciones[k / 9]) << k;
    }
    // The cells of neighbouring boxes lie on either side of a bar.
    const Rect barra = Ctl("Label1").r;
    EXPECT_LE(Ctl("lb", 2).r.Derecha(), barra.x);
    EXPECT_GE(Ctl("lb", 3).r.x, barra.Derecha());
    EXPECT_EQ(EnVentana(Ctl("lb", 0)), (Rect{5340, 180, 600, 600}));
}

TEST(Disposicion, FilasDeLaPaleta) {
    EXPECT_EQ(Ctl("S", 13).r, (Rect{2100, 600, 615, 255}));
    EXPECT_EQ(Ctl("S", 38).r, (Rect{3780, 4200, 615, 255}));
    EXPECT_EQ(Ctl("S", 0).r, (Rect{480, 600, 615, 255}));
    for (int i = 0; i < kSegmentos; ++i) {
        // Number, swatch and sum box side by side on one row.
        const Rect n = Ctl("LbN", i).r, s = Ctl("S", i).r, t = Ctl("T", i).r;
        EXPECT_EQ(n.y, s.y) << i;
        EXPECT_EQ(t.y, s.y) << i;
        EXPECT_EQ(s.y, 600 + 300 * (i % 13)) << i;
        EXPECT_LT(n.x, s.x) << i;
        EXPECT_LT(s.x, t.x) << i;
        EXPECT_EQ((Rect{0, 0, n.ancho, n.alto}), (Rect{0, 0, 315, 255}));
        EXPECT_EQ((Rect{0, 0, t.ancho, t.alto}), (Rect{0, 0, 315, 255}));
        for (const char* nombre : {"LbN", "S", "T"})
            EXPECT_EQ(Ctl(nombre, i).contenedor, "Panel_Killer");
    }
    EXPECT_EQ(Ctl("T", 26).r.x, 4440);
    EXPECT_EQ(Ctl("LbN", 13).r.x, 1800);
    EXPECT_EQ(Ctl("LbDel").r, (Rect{1440, 4560, 2055, 255}));
}

TEST(Disposicion, TecladoNumerico) {
    EXPECT_EQ(Ctl("N", 0).r, (Rect{900, 660, 855, 855}));
    EXPECT_EQ(Ctl("N", 4).r, (Rect{2100, 1740, 855, 855}));
    EXPECT_EQ(Ctl("N", 8).r, (Rect{3300, 2820, 855, 855}));
    EXPECT_EQ(Ctl("N", 9).r, (Rect{900, 3900, 3255, 495}));
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Ctl("N", i).texto, std::string(1, static_cast<char>('1' + i)));
        EXPECT_EQ(Ctl("N", i).fuente, (Fuente{"Verdana", 27.75, true}));
    }
    EXPECT_EQ(Ctl("N", 9).texto, "Borrar");
    EXPECT_EQ(Ctl("N", 9).fuente, (Fuente{"Verdana", 18, true}));
    EXPECT_EQ(Ctl("N", 0).contenedor, "Panel_Normal");
}

TEST(Disposicion, CadaControlDentroDeSuContenedor) {
    std::set<std::string_view> vistos{""};
    std::set<std::pair<std::string_view, int>> nombres;
    for (const Control& c : Controles()) {
        EXPECT_TRUE(vistos.count(c.contenedor)) << c.nombre << " before " << c.contenedor;
        EXPECT_TRUE(nombres.insert({c.nombre, c.indice}).second) << c.nombre << c.indice;
        if (c.indice < 0) vistos.insert(c.nombre);
        if (c.clase == Clase::BarraHerramientas || c.clase == Clase::DialogoFichero) continue;
        const Control* p = BuscarControl(c.contenedor);
        const int ancho = p ? p->r.ancho : kAnchoCliente, alto = p ? p->r.alto : kAltoCliente;
        EXPECT_GE(c.r.x, 0) << c.nombre << c.indice;
        EXPECT_GE(c.r.y, 0) << c.nombre << c.indice;
        EXPECT_LE(c.r.Derecha(), ancho) << c.nombre << c.indice;
        EXPECT_LE(c.r.Abajo(), alto) << c.nombre << c.indice;
        // Whole pixels at 96 dpi.
        EXPECT_EQ(c.r.x % kTwipsPorPixel + c.r.y % kTwipsPorPixel + c.r.ancho % kTwipsPorPixel +
                      c.r.alto % kTwipsPorPixel,
                  0)
            << c.nombre << c.indice;
    }
    EXPECT_EQ(nombres.size(), Controles().size());
    EXPECT_EQ(Ctl("Panel_Killer").r.Abajo(), 6435);
    EXPECT_EQ(Ctl("SSPanel1").r.Abajo(), 6435);
}

TEST(Disposicion, LosPanelesDeModoDejanSitioAlTitulo) {
    EXPECT_EQ(Ctl("Panel_Killer").r, Ctl("Panel_Normal").r);
    for (const Control& c : Controles()) {
        if (c.contenedor != "Panel_Killer" && c.contenedor != "Panel_Normal") continue;
        if (c.clase == Clase::Guardacolor) continue;
        EXPECT_GE(c.r.y, 600) << c.nombre << c.indice;
    }
    EXPECT_EQ(Ctl("Panel_Killer").texto, "Segmentos Sudoku Killer");
    EXPECT_EQ(Ctl("Panel_Killer").colorTitulo, Rgb(0, 128, 128));
    EXPECT_EQ(Ctl("Panel_Killer").aspecto.fondo, kCaraBoton);
    EXPECT_EQ(Ctl("Panel_Normal").texto, "Sudoku Normal");
    EXPECT_EQ(Ctl("Panel_Normal").colorTitulo, Rgb(128, 0, 0));
    EXPECT_EQ(Ctl("Panel_Normal").aspecto.fondo, Rgb(192, 192, 192));
    EXPECT_EQ(Ctl("Panel_Normal").fuente, (Fuente{"Tahoma", 14.25, true}));
}

TEST(Disposicion, ColoresDeLaPaleta) {
    // Dark swatches give their cells white text, so that digits stay readable.
    EXPECT_EQ(Ctl("S", 21).aspecto, (Aspecto{Rgb(0, 0, 255), Rgb(255, 255, 255)}));
    EXPECT_EQ(Ctl("S", 0).aspecto, (Aspecto{Rgb(255, 192, 192), kTextoVentana}));
    // The given-digit look differs in background from every other look a cell can wear.
    for (int i = 0; i < kSegmentos; ++i)
        EXPECT_NE(Ctl("S", i).aspecto.fondo, kLbAma.fondo) << i;
    EXPECT_NE(kLbNulo.fondo, kLbAma.fondo);
}

TEST(Disposicion, BarraDeHerramientas) {
    std::string orden;
    for (const Boton& b : kBotones)
        orden += b.separador ? std::string("|")
                             : std::string(b.Id()) + ":" + std::string(b.Titulo()) + " ";
    EXPECT_EQ(orden, "ID_Nuevo:Nuevo ID_Abrir:Abrir ID_Guardar:Guardar |ID_Vaciar:Vaciar "
                     "ID_Resolver:Resolver ID_Cancelar:Cancelar |ID_Killer:Killer "
                     "ID_Normal:Normal ");
    EXPECT_EQ(Ctl("ATB").clase, Clase::BarraHerramientas);
}

} // namespace
} // namespace velmora
