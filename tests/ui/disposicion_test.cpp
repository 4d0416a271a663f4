// The window's layout table: geometry, captions, fonts and colours of the controls.

#include "ui/disposicion.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

const Control& Ctl(std::string_view nombre, int indice = -1) {
    static const Control ninguno{};
    const Control* c = BuscarControl(nombre, indice);
    EXPECT_NE(c, nullptr) << nombre << "(" << indice << ")";
    return c ? *c : ninguno;
}

TEST(Disposicion, GeometriaTextosYFuentes) {
    const struct {
        std::string_view nombre;
        int indice;
        Rect r;
        std::string_view texto;
        Fuente fuente;
    } casos[] = {
        {"Frame1", -1, {60, 60, 1515, 1275}, "Modo Calculo", {"Arial", 8.25, true}},
        {"LbM", -1, {660, 360, 1815, 225}, "0", {"Tahoma", 9, true}},
        {"lb", 80, {5640, 5640, 600, 600}, "", {"Verdana", 20.25, true}},
        {"LbDel", -1, {1440, 4560, 2055, 255}, "Borrar", {"Verdana", 8.25, true}},
        {"N", 9, {900, 3900, 3255, 495}, "Borrar", {"Verdana", 18, true}},
        {"Panel_Killer",
         -1,
         {60, 1440, 4995, 4995},
         "Segmentos Sudoku Killer",
         {"Tahoma", 14.25, true}},
    };
    for (const auto& c : casos) {
        const Control& x = Ctl(c.nombre, c.indice);
        EXPECT_EQ(x.r, c.r) << c.nombre << c.indice;
        EXPECT_EQ(x.texto, c.texto) << c.nombre << c.indice;
        EXPECT_EQ(x.fuente, c.fuente) << c.nombre << c.indice;
    }
    // Cells sit between the thick bars.
    EXPECT_LE(Ctl("lb", 2).r.Derecha(), Ctl("Label1").r.x);
    EXPECT_GE(Ctl("lb", 3).r.x, Ctl("Label1").r.Derecha());
    EXPECT_EQ(EnVentana(Ctl("lb", 0)), (Rect{5340, 180, 600, 600}));
    // Dark swatches, and only they, carry white text.
    std::string blancos;
    for (int i = 0; i < kSegmentos; ++i)
        blancos += Ctl("S", i).aspecto.texto == Rgb(255, 255, 255) ? '1' : '0';
    EXPECT_EQ(blancos, "000000000000000000000111110001111111111");

    // Each control inside its container, which comes before it, and named once.
    std::set<std::string_view> vistos{""};
    std::set<std::pair<std::string_view, int>> nombres;
    for (const Control& c : Controles()) {
        SCOPED_TRACE(std::string(c.nombre) + std::to_string(c.indice));
        EXPECT_TRUE(vistos.count(c.contenedor)) << "before " << c.contenedor;
        EXPECT_TRUE(nombres.insert({c.nombre, c.indice}).second);
        if (c.indice < 0) vistos.insert(c.nombre);
        // The given-digit look differs in background from every other look a cell can wear.
        EXPECT_TRUE(c.nombre != "S" || c.aspecto.fondo != kLbAma.fondo);
        if (c.clase == Clase::BarraHerramientas || c.clase == Clase::DialogoFichero) continue;
        const Control* p = BuscarControl(c.contenedor);
        EXPECT_TRUE(c.r.x >= 0 && c.r.y >= 0);
        EXPECT_LE(c.r.Derecha(), p ? p->r.ancho : kAnchoCliente);
        EXPECT_LE(c.r.Abajo(), p ? p->r.alto : kAltoCliente);
        // Whole pixels at 96 dpi; the mode panels leave room for their caption.
        for (const int v : {c.r.x, c.r.y, c.r.ancho, c.r.alto})
            EXPECT_EQ(v % kTwipsPorPixel, 0);
        EXPECT_TRUE(!c.contenedor.starts_with("Panel_") || c.clase == Clase::Guardacolor ||
                    c.r.y >= 600);
    }
    std::string botones;
    for (const Boton& b : kBotones)
        botones += b.separador ? std::string("|") : std::string(b.Titulo()) + " ";
    EXPECT_EQ(botones, "Nuevo Abrir Guardar |Vaciar Resolver Cancelar |Killer Normal ");
}

} // namespace
} // namespace velmora
