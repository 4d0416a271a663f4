#include "ui/resolucion.h"

#include "ui/form1.h"

namespace velmora {

Resolucion::Resolucion(Form1& form) : form_(form), cuenta_(form.plataforma_.Saltos()) {}

ModoCalculo Resolucion::Modo() const {
    return form_.Opcion;
}

bool Resolucion::Ceder() {
    if (!cuenta_.Pasa()) return false;
    form_.plataforma_.ProcesarEventos();
    return true;
}

void Resolucion::MostrarMatriz() {
    form_.MostrarMatriz();
}

bool Resolucion::PuedeCerrar() {
    if (!resolviendo_) return true;
    cierrePendiente_ = true;
    form_.Tab.Cancelado = true;
    return false;
}

void Resolucion::Resolver() {
    Tablero& t = form_.Tab;
    // Edits do not reach the board from validation to the end of the search.
    resolviendo_ = true;
    form_.VaciarCuadricula();
    t.Cancelado = false;
    if (form_.Validar()) {
        form_.DeshabilitarHerramientas();
        const FinBusqueda fin = Buscar(t, form_.progreso, *this);
        form_.resultado_ = fin.final == Final::Resuelto      ? Form1::Desenlace::Resuelto
                           : fin.final == Final::SinSolucion ? Form1::Desenlace::SinSolucion
                                                             : Form1::Desenlace::Cancelado;
        // Once the user is closing the window there is nothing more to say.
        if (fin.final == Final::SinSolucion && !cierrePendiente_)
            form_.plataforma_.MostrarMensaje(kTextoSinSolucion, kTituloSinSolucion, Icono::Critico);
        // Cancelled in "Interactivo": the grid is on screen and the cancel re-enabled the tools.
        if (fin.final != Final::Cancelado || !fin.interactivo) {
            form_.HabilitarHerramientas();
            if (form_.Opcion == ModoCalculo::UltraRapido)
                MostrarProgresoFinal(form_.progreso, t.Movimientos, fin.fila, fin.col);
            form_.MostrarMatriz();
        }
    }
    resolviendo_ = false;
}

} // namespace velmora
