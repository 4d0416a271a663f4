#include "ui/resolucion.h"

#include <chrono>
#include <future>
#include <thread>

#include "model/paralela.h"
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

bool Resolucion::EnSegundoPlano(Rotulo rotulo, const Trabajo& trabajo) {
    Tablero& t = form_.Tab;
    resolviendo_ = true;
    t.Cancelado = false;
    tarea_ = std::move(rotulo);
    cuentaTarea_ = 0;
    form_.DeshabilitarHerramientas();
    std::promise<void> fin;
    std::future<void> hecho = fin.get_future();
    bool parado = false;
    {
        std::jthread hilo([&](std::stop_token parar) {
            trabajo(parar, cuentaTarea_);
            fin.set_value();
        });
        // The same pace as the parallel search's spinner: a cancel is seen within 10 ms.
        while (hecho.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            form_.plataforma_.ProcesarEventos();
            if (t.Cancelado && !parado) parado = hilo.request_stop();
        }
    }
    form_.HabilitarHerramientas();
    tarea_ = {};
    resolviendo_ = false;
    return !parado;
}

std::string Resolucion::TextoTarea(std::string_view separador) const {
    if (tarea_.una.empty()) return tarea_.que;
    const int64_t n = cuentaTarea_.load(std::memory_order_relaxed);
    return tarea_.que + " " + FormatearMovimientos(n, separador) + " " +
           (n == 1 ? tarea_.una : tarea_.varias);
}

FinBusqueda Resolucion::BuscarEnParalelo(int hilos) {
    Tablero& t = form_.Tab;
    BusquedaParalela b(t, hilos);
    // The workers count; this thread keeps the spinner and the event loop going.
    while (!b.Esperar(std::chrono::milliseconds(10))) {
        ActualizarProgreso(form_.progreso, ModoCalculo::UltraRapido, 0, 0, 0);
        form_.plataforma_.ProcesarEventos();
        if (t.Cancelado) b.Cancelar();
    }
    return b.Resultado(t);
}

void Resolucion::Resolver() {
    Tablero& t = form_.Tab;
    // Edits do not reach the board from validation to the end of the search.
    resolviendo_ = true;
    form_.VaciarCuadricula();
    t.Cancelado = false;
    if (form_.Validar()) {
        form_.DeshabilitarHerramientas();
        // "Ultra-Rápido" shows nothing of the search but a spinner: every core may count.
        const int hilos = form_.plataforma_.Hilos();
        const FinBusqueda fin = form_.Opcion == ModoCalculo::UltraRapido && hilos > 1
                                    ? BuscarEnParalelo(hilos)
                                    : Buscar(t, form_.progreso, *this);
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
