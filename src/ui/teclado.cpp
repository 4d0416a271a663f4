// Drawing with the keyboard: a cursor cell moved by the arrows stands for the cell a click
// would hit. The mouse's own behaviour is untouched.

#include <algorithm>

#include "ui/form1.h"

namespace velmora {

void Form1::MoverCursor(int dfila, int dcol) {
    if (Cursor < 0) {
        Cursor = 0;
        return;
    }
    const int fila = std::clamp(FilaDe(Cursor) + dfila, 1, 9);
    const int col = std::clamp(ColDe(Cursor) + dcol, 1, 9);
    Cursor = Casilla(fila, col);
}

void Form1::PulsarEspacio() {
    if (Cursor >= 0 && !Jugando()) lb_Click(Cursor);
}

// As a click in the erase mode (Killer) or with the pad's "Borrar" (Normal), whatever is picked.
void Form1::LiberarCursor() {
    if (Cursor < 0 || Resolviendo() || Jugando()) return;
    lb[Cursor] = kLbNulo;
    if (Tab.ModoKiller)
        Tab.CasillaSeg[Cursor] = -1;
    else
        PonerTextoCelda(Cursor, {});
}

void Form1::ElegirCifra(int d) {
    if (Tab.ModoKiller || Jugando() || d < 1 || d > 9 || N[d - 1].marca) return;
    N_Click(d - 1);
}

} // namespace velmora
