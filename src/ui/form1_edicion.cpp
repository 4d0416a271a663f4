// Drawing a puzzle: segments from the palette in Killer mode, digits from the pad in classic
// mode. While a search runs, none of this reaches the board.

#include "ui/form1.h"

namespace velmora {

void Form1::Desmarcar(int i) {
    LbN[i].aspecto = kLbNoMarcado;
    LbN[i].marca = false;
}

// Picking by a click on the swatch or the number: a second click unpicks.
void Form1::ElegirSegmento(int i) {
    if (LbN[i].marca) {
        Desmarcar(i);
        SegSeleccionado = -1;
    } else {
        LbN[i].aspecto = kLbMarcado;
        LbN[i].marca = true;
        if (SegSeleccionado >= 0) Desmarcar(SegSeleccionado);
        SegSeleccionado = i;
        SaltarFoco = true;
        plataforma_.EnfocarSuma(i);
    }
    if (ModoBorrar) {
        ModoBorrar = false;
        LbDel.aspecto = kLbNoMarcado;
    }
}

// Picking by entering the sum box: never unpicks, leaves the erase mode alone.
void Form1::ElegirSegmentoDesdeSuma(int i) {
    if (SegSeleccionado >= 0 && SegSeleccionado != i) Desmarcar(SegSeleccionado);
    LbN[i].aspecto = kLbMarcado;
    LbN[i].marca = true;
    SegSeleccionado = i;
    MarcaFocoT[i] = false;
}

void Form1::S_Click(int i) {
    if (Resolviendo() || Jugando()) return;
    plataforma_.ProcesarEventos();
    if (MarcaFocoT[i])
        ElegirSegmentoDesdeSuma(i);
    else
        ElegirSegmento(i);
}

void Form1::LbN_Click(int i) {
    if (Resolviendo() || Jugando()) return;
    ElegirSegmento(i);
}

void Form1::T_GotFocus(int i) {
    if (Resolviendo() || Jugando()) {
        SaltarFoco = false;
        return;
    }
    plataforma_.SeleccionarSuma(i);
    MarcaFocoT[i] = true;
    if (!SaltarFoco)
        S_Click(i);
    else
        SaltarFoco = false; // the focus move a pick asked for: the segment is already picked
    MarcaFocoT[i] = false;
}

int Form1::T_KeyPress(int, int codigo) {
    if (Resolviendo() || Jugando()) return 0;
    return (codigo >= '0' && codigo <= '9') || (codigo >= 0 && codigo <= 31) ? codigo : 0;
}

void Form1::T_Change(int i, std::string texto) {
    if (Resolviendo() || Jugando()) return;
    T[i] = std::move(texto);
}

void Form1::LbDel_Click() {
    if (Resolviendo() || Jugando()) return;
    if (!ModoBorrar) {
        LbDel.aspecto = kLbMarcado;
        ModoBorrar = true;
        if (SegSeleccionado >= 0) Desmarcar(SegSeleccionado);
        SegSeleccionado = -1;
    } else {
        ModoBorrar = false;
        LbDel.aspecto = kLbNoMarcado;
    }
}

void Form1::N_Click(int i) {
    if (Resolviendo() || Jugando()) return;
    if (!N[i].marca) {
        N[i].aspecto = kMarcado;
        N[i].marca = true;
        if (NumSeleccionado != 0) {
            N[NumSeleccionado - 1].aspecto = kNoMarcado;
            N[NumSeleccionado - 1].marca = false;
        }
        NumSeleccionado = i + 1;
    } else {
        N[i].aspecto = kNoMarcado;
        N[i].marca = false;
        NumSeleccionado = 0;
    }
}

void Form1::lb_Click(int i) {
    if (Resolviendo()) return;
    // In play a click selects the cell.
    if (Jugando()) {
        if (!EnPausa()) Cursor = i;
        return;
    }
    if (Tab.ModoKiller) {
        if (SegSeleccionado >= 0) {
            lb[i] = kPaleta[SegSeleccionado];
            Tab.CasillaSeg[i] = static_cast<int16_t>(SegSeleccionado);
        } else if (ModoBorrar) {
            lb[i] = kLbNulo;
            Tab.CasillaSeg[i] = -1;
        } else {
            plataforma_.MostrarMensaje("Debes indicar un segmento haciendo click en su color antes "
                                       "de marcar en una casilla.",
                                       "Segmento sin seleccionar", Icono::Informacion);
        }
        return;
    }
    if (NumSeleccionado == 0) {
        plataforma_.MostrarMensaje(
            "Debes indicar un número haciendo click sobre él antes de marcar en una casilla.",
            "Número sin seleccionar", Icono::Informacion);
    } else if (NumSeleccionado <= 9) {
        PonerTextoCelda(i, std::string(1, static_cast<char>('0' + NumSeleccionado)));
        lb[i] = kLbAma;
    } else {
        PonerTextoCelda(i, {});
        lb[i] = kLbNulo;
    }
}

} // namespace velmora
