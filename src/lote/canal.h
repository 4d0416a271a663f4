#pragma once
// Lines spread over threads and written back in input order, with a bounded number in flight:
// memory does not grow with the input, and the output does not depend on the thread count.
//
// The calling thread reads and writes; `hilos` workers judge. A ring of `ventana` slots holds
// the lines read and not yet written: the reader waits for the oldest to be written before it
// reads past the ring, so a slow line holds up at most `ventana` lines behind it.

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

#include "lote/lote.h"

namespace velmora::lote {

struct Tarea {
    int64_t numero = 0; // the input line's number, from 1
    std::string entrada;
    int64_t bytes = 0; // input consumed up to the end of this line, for progress
    Salida salida;
};

struct Canal {
    int hilos = 1;
    size_t ventana = 256;
    // Fills the next slot (reusing its strings); false at the end of the input.
    std::function<bool(Tarea&)> leer;
    // On a worker: the slot's salida from its entrada. `parar` is requested when writing fails.
    std::function<void(Tarea&, std::stop_token)> trabajar;
    // On the calling thread, in input order; false stops the run (reading ends, workers are
    // asked to stop, what is in flight is dropped).
    std::function<bool(const Tarea&)> escribir;
    // On the calling thread, about ten times a second while it waits, and after each write.
    std::function<void()> latido;
};

// Runs the canal to the end of its input; false when a write failed.
bool Procesar(const Canal& c);

} // namespace velmora::lote
