#pragma once
// The window's layout as data, in twips (15 twips = 1 pixel at 96 dpi): every control with its
// container, position, size, caption, font and colours, and the toolbar's tools. The Qt window
// builds itself from this table; the tests check the geometry here, without a display.

#include <array>
#include <string_view>
#include <vector>

#include "ui/apariencia.h"
#include "ui/form1.h"

namespace velmora {

inline constexpr int kTwipsPorPixel = 15;
// The client area; the panels end at 6435, and the toolbar is docked in the strip below them.
inline constexpr int kAnchoCliente = 11685;
inline constexpr int kAltoCliente = 7530;
inline constexpr int kLargoSuma = 2; // what typing may leave in a sum box

struct Rect {
    int x = 0, y = 0, ancho = 0, alto = 0; // left, top, width, height
    constexpr int Derecha() const { return x + ancho; }
    constexpr int Abajo() const { return y + alto; }
    constexpr bool operator==(const Rect&) const = default;
};

struct Fuente {
    std::string_view cara;
    double puntos;
    bool negrita;
    constexpr bool operator==(const Fuente&) const = default;
};
// Used by every control that names no font, and by the toolbar.
inline constexpr Fuente kFuenteVentana{"Tahoma", 8.25, true};

enum class Clase : uint8_t {
    Marco,             // frame with a caption
    Opcion,            // option button
    Panel,             // 3-D panel; a caption, if any, centred at the top
    Etiqueta,          // label
    Barra,             // thick black grid line
    Progreso,          // progress bar, 0 to 100
    Suma,              // sum box
    Guardacolor,       // colour holder: never shown, its look is read and copied
    BarraHerramientas, // the toolbar host, docked at the bottom
    DialogoFichero     // the file dialog; never part of the window
};

struct Control {
    std::string_view nombre{};
    int indice = -1; // position in its control array; -1 for a single control
    Clase clase = Clase::Etiqueta;
    std::string_view contenedor{}; // empty: the window
    Rect r{};                      // relative to the container
    std::string_view texto{};
    Fuente fuente = kFuenteVentana;
    Aspecto aspecto{kCaraBoton, kTextoBoton};
    Color colorTitulo = kTextoBoton; // a panel's caption
    bool borde = false;              // single-line border
    bool centrado = false;           // centred text
    bool visible = true;             // at start
    bool seleccionada = false;       // an option button selected at start
};

// The strip the toolbar is docked in.
inline constexpr Rect kBandaHerramientas{0, 6435, kAnchoCliente, kAltoCliente - 6435};

// Geometry of the control arrays.
constexpr Rect GeometriaLb(int k) {
    const int r = k / 9, c = k % 9;
    return {120 + 660 * c + 120 * (c / 3), 120 + 660 * r + 120 * (r / 3), 600, 600};
}
constexpr int FilaPaleta(int i) {
    return 600 + 300 * (i % 13);
}
constexpr Rect GeometriaS(int i) {
    constexpr int izq[3] = {480, 2100, 3780};
    return {izq[i / 13], FilaPaleta(i), 615, 255};
}
constexpr Rect GeometriaT(int i) {
    constexpr int izq[3] = {1140, 2760, 4440};
    return {izq[i / 13], FilaPaleta(i), 315, 255};
}
constexpr Rect GeometriaLbN(int i) {
    constexpr int izq[3] = {180, 1800, 3480};
    return {izq[i / 13], FilaPaleta(i), 315, 255};
}
constexpr Rect GeometriaN(int i) {
    if (i == 9) return {900, 3900, 3255, 495};
    return {900 + 1200 * (i % 3), 660 + 1080 * (i / 3), 855, 855};
}

// Every control, a container before its children; arrays are expanded in index order.
const std::vector<Control>& Controles();
// The control of that name and index; nullptr if there is none.
const Control* BuscarControl(std::string_view nombre, int indice = -1);
// A control's rectangle in client-area coordinates.
Rect EnVentana(const Control& c);

// The toolbar `Botones`, in order; a separator has no tool.
struct Boton {
    bool separador;
    Herramienta herramienta;
    constexpr std::string_view Id() const {
        return kIdsHerramientas[static_cast<int>(herramienta)];
    }
    constexpr std::string_view Titulo() const {
        return kTitulosHerramientas[static_cast<int>(herramienta)];
    }
};
inline constexpr std::array<Boton, 10> kBotones = {{
    {false, Herramienta::Nuevo},
    {false, Herramienta::Abrir},
    {false, Herramienta::Guardar},
    {true, {}},
    {false, Herramienta::Vaciar},
    {false, Herramienta::Resolver},
    {false, Herramienta::Cancelar},
    {true, {}},
    {false, Herramienta::Killer},
    {false, Herramienta::Normal},
}};

} // namespace velmora
