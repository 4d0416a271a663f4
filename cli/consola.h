#pragma once
// What the commands share: a puzzle read and validated as the window does it, messages on
// stderr as "título: texto", and the search with a progress line on a terminal.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "formats/formatos.h"
#include "model/busqueda.h"
#include "model/enunciado.h"
#include "solver/veredicto.h"

namespace velmora {

class Consola {
public:
    // With `progreso`, the search refreshes a progress line on stderr a few times a second.
    explicit Consola(bool progreso = false);

    Tablero t;
    Progreso p;
    Enunciado e;

    void Mostrar(const Mensaje& m);

    // Reads the puzzle of a file or of standard input ("-"), XML as opening it in the window
    // does or a text in `formato` or any format, then validates it into the board as a solve
    // does; shows the failure, and what the reader made of the text.
    bool Abrir(std::string_view ruta, std::optional<Formato> formato = {});
    // The search on the validated board, on `hilos` threads (one: the search itself, with its
    // progress figures; more: the count of every worker, without a percentage); shows the
    // no-solution message.
    FinBusqueda Resolver(int hilos = 1);
    // The grid and the move count on stdout.
    void EscribirResultado() const;
    // The verdict with "Comprobando… N ramas" refreshed on stderr while it runs, when the
    // console shows progress.
    Veredicto Juzgar();

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
