#pragma once
// What the commands share: a puzzle file read and validated as the window does it, messages on
// stderr as "título: texto", and the search with a progress line on a terminal.

#include <QString>
#include <chrono>
#include <string>

#include "model/busqueda.h"
#include "model/enunciado.h"

namespace velmora {

class Consola {
public:
    // With `progreso`, the search refreshes a progress line on stderr a few times a second.
    explicit Consola(bool progreso = false);

    Tablero t;
    Progreso p;
    Enunciado e;

    void Mostrar(const Mensaje& m);

    // Reads the file as opening it in the window does, then validates it into the board as a
    // solve does; shows the failure.
    bool Abrir(const QString& ruta);
    // The search on the validated board, on `hilos` threads (one: the search itself, with its
    // progress figures; more: the count of every worker, without a percentage); shows the
    // no-solution message.
    FinBusqueda Resolver(int hilos = 1);
    // The grid and the move count on stdout.
    void EscribirResultado() const;

    // The search's host: one yield in a few thousand reads the clock.
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    void MostrarMatriz() {}
    bool Ceder() {
        if (!progreso_ || !cuenta_.Pasa()) return false;
        EscribirProgreso();
        return false;
    }

private:
    void EscribirProgreso();
    void BorrarLinea();

    bool progreso_;
    std::string separador_;
    Cuenta cuenta_{0x1000};
    bool lineaVisible_ = false;
    std::chrono::steady_clock::time_point ultima_ = std::chrono::steady_clock::now();
};

} // namespace velmora
