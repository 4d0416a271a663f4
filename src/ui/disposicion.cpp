#include "ui/disposicion.h"

namespace velmora {

namespace {

constexpr Color kNegro = Rgb(0, 0, 0);
constexpr Color kGris = Rgb(192, 192, 192);

std::vector<Control> Construir() {
    std::vector<Control> v;
    auto poner = [&v](Control c) -> Control& { return v.emplace_back(c); };
    const Fuente arial{"Arial", 8.25, true};
    const Fuente verdana{"Verdana", 8.25, true};
    const Fuente tituloPanel{"Tahoma", 14.25, true};

    // Calculation mode.
    poner({.nombre = "Frame1",
           .clase = Clase::Marco,
           .r = {60, 60, 1515, 1275},
           .texto = "Modo Calculo",
           .fuente = arial});
    poner({.nombre = "Option3",
           .clase = Clase::Opcion,
           .contenedor = "Frame1",
           .r = {120, 300, 1335, 315},
           .texto = "Ultra-Rápido",
           .fuente = arial});
    poner({.nombre = "Option1",
           .clase = Clase::Opcion,
           .contenedor = "Frame1",
           .r = {120, 600, 1275, 315},
           .texto = "Rápido",
           .fuente = arial});
    poner({.nombre = "Option2",
           .clase = Clase::Opcion,
           .contenedor = "Frame1",
           .r = {120, 900, 1275, 315},
           .texto = "Interactivo",
           .fuente = arial,
           .seleccionada = true});

    // Progress box.
    poner({.nombre = "SSPanel2", .clase = Clase::Panel, .r = {1680, 60, 3375, 1335}});
    poner({.nombre = "Label9",
           .contenedor = "SSPanel2",
           .r = {660, 120, 1875, 195},
           .texto = "Movimientos:",
           .centrado = true});
    poner({.nombre = "LbM",
           .contenedor = "SSPanel2",
           .r = {660, 360, 1815, 225},
           .texto = "0",
           .fuente = {"Tahoma", 9, true},
           .aspecto = {kNegro, Rgb(255, 255, 192)},
           .centrado = true});
    poner({.nombre = "Label10",
           .contenedor = "SSPanel2",
           .r = {720, 720, 975, 195},
           .texto = "Progreso:",
           .centrado = true});
    poner({.nombre = "LbPor",
           .contenedor = "SSPanel2",
           .r = {1740, 720, 555, 225},
           .texto = "0 %",
           .fuente = arial,
           .aspecto = {kNegro, Rgb(192, 255, 192)},
           .centrado = true});
    poner({.nombre = "PBar",
           .clase = Clase::Progreso,
           .contenedor = "SSPanel2",
           .r = {120, 960, 3135, 255},
           .visible = false});

    // Killer segment panel: per row a number, a swatch and a sum box.
    poner({.nombre = "Panel_Killer",
           .clase = Clase::Panel,
           .r = {60, 1440, 4995, 4995},
           .texto = "Segmentos Sudoku Killer",
           .fuente = tituloPanel,
           .colorTitulo = Rgb(0, 128, 128),
           .visible = false});
    for (int i = 0; i < kSegmentos; ++i)
        poner({.nombre = "LbN",
               .indice = i,
               .contenedor = "Panel_Killer",
               .r = GeometriaLbN(i),
               .aspecto = kAspectoSistema,
               .borde = true,
               .centrado = true});
    for (int i = 0; i < kSegmentos; ++i)
        poner({.nombre = "S",
               .indice = i,
               .contenedor = "Panel_Killer",
               .r = GeometriaS(i),
               .aspecto = kPaleta[i],
               .borde = true});
    for (int i = 0; i < kSegmentos; ++i)
        poner({.nombre = "T",
               .indice = i,
               .clase = Clase::Suma,
               .contenedor = "Panel_Killer",
               .r = GeometriaT(i),
               .aspecto = {kFondoVentana, kNegro}});
    poner({.nombre = "LbDel",
           .contenedor = "Panel_Killer",
           .r = {1440, 4560, 2055, 255},
           .texto = "Borrar",
           .fuente = verdana,
           .aspecto = kAspectoSistema,
           .borde = true,
           .centrado = true});

    // Classic number pad.
    poner({.nombre = "Panel_Normal",
           .clase = Clase::Panel,
           .r = {60, 1440, 4995, 4995},
           .texto = "Sudoku Normal",
           .fuente = tituloPanel,
           .aspecto = {kGris, kTextoBoton},
           .colorTitulo = Rgb(128, 0, 0),
           .visible = false});
    static constexpr std::string_view kDigitos[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < 10; ++i)
        poner({.nombre = "N",
               .indice = i,
               .contenedor = "Panel_Normal",
               .r = GeometriaN(i),
               .texto = i < 9 ? kDigitos[i] : "Borrar",
               .fuente = {"Verdana", i < 9 ? 27.75 : 18, true},
               .aspecto = kNoMarcado,
               .borde = true,
               .centrado = true});
    poner({.nombre = "Marcado",
           .clase = Clase::Guardacolor,
           .contenedor = "Panel_Normal",
           .r = {180, 1560, 675, 495},
           .aspecto = kMarcado,
           .visible = false});
    poner({.nombre = "NoMarcado",
           .clase = Clase::Guardacolor,
           .contenedor = "Panel_Normal",
           .r = {180, 840, 675, 495},
           .aspecto = kNoMarcado,
           .visible = false});

    // The grid: a grey panel, thick black bars over it, the cells between them.
    poner({.nombre = "SSPanel1",
           .clase = Clase::Panel,
           .r = {5220, 60, 6375, 6375},
           .fuente = {"MS Sans Serif", 8.25, false},
           .aspecto = {kGris, kTextoBoton}});
    struct Linea {
        std::string_view nombre;
        Rect r;
    };
    static constexpr Linea kLineas[8] = {
        {"Label8", {0, 0, 6315, 75}},     {"Label5", {60, 2100, 6315, 75}},
        {"Label7", {0, 4200, 6315, 75}},  {"Label6", {0, 6300, 6315, 75}},
        {"Label3", {0, 0, 75, 6375}},     {"Label1", {2100, 60, 75, 6255}},
        {"Label2", {4200, 60, 75, 6255}}, {"Label4", {6300, 0, 75, 6375}}};
    for (const Linea& l : kLineas)
        poner({.nombre = l.nombre,
               .clase = Clase::Barra,
               .contenedor = "SSPanel1",
               .r = l.r,
               .aspecto = {kNegro, kNegro}});
    for (int k = 0; k < kCasillas; ++k)
        poner({.nombre = "lb",
               .indice = k,
               .contenedor = "SSPanel1",
               .r = GeometriaLb(k),
               .fuente = {"Verdana", 20.25, true},
               .aspecto = kAspectoSistema,
               .borde = true,
               .centrado = true});

    // Colour holders of the window.
    struct Guardacolor {
        std::string_view nombre;
        Rect r;
        Aspecto aspecto;
    };
    static constexpr Guardacolor kGuardacolores[4] = {
        {"LbAma", {4500, 600, 795, 345}, kLbAma},
        {"LbNulo", {3690, 600, 795, 285}, kLbNulo},
        {"LbMarcado", {3180, 0, 1095, 255}, kLbMarcado},
        {"LbNoMarcado", {3180, 240, 1095, 255}, kLbNoMarcado}};
    for (const Guardacolor& g : kGuardacolores)
        poner({.nombre = g.nombre,
               .clase = Clase::Guardacolor,
               .r = g.r,
               .aspecto = g.aspecto,
               .visible = false});

    poner({.nombre = "ATB", .clase = Clase::BarraHerramientas, .r = kBandaHerramientas});
    poner({.nombre = "CDial", .clase = Clase::DialogoFichero, .visible = false});
    return v;
}

} // namespace

const std::vector<Control>& Controles() {
    static const std::vector<Control> controles = Construir();
    return controles;
}

const Control* BuscarControl(std::string_view nombre, int indice) {
    for (const Control& c : Controles())
        if (c.nombre == nombre && c.indice == indice) return &c;
    return nullptr;
}

Rect EnVentana(const Control& c) {
    Rect r = c.r;
    for (const Control* p = BuscarControl(c.contenedor); p; p = BuscarControl(p->contenedor)) {
        r.x += p->r.x;
        r.y += p->r.y;
    }
    return r;
}

} // namespace velmora
