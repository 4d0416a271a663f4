#pragma once
// velmora-cli --batch: a collection, one puzzle per line, judged by check, unique, solve (and
// rate once the logic solver is in) on several threads, one result line per puzzle in order.

#include <cstdint>
#include <optional>
#include <string_view>

#include "formats/formatos.h"

namespace velmora {

struct OpcionesColeccion {
    int hilos = 1;
    bool json = false;
    bool progreso = false; // a progress line on stderr (a terminal)
    std::optional<Formato> formato;
    int64_t maxMovimientos = 0; // solve: stop a line after this many moves; 0 for no limit
};

// Whether `orden` takes --batch.
bool OrdenDeColeccion(std::string_view orden);

// Runs `orden` over the lines of the file `ruta` ("-": standard input). Exit status: 0 when
// every line gave a result, 2 when one was refused or the input or output failed.
int ComandoColeccion(std::string_view orden, std::string_view ruta, const OpcionesColeccion& o);

// The value of --max-moves: a whole number from 1, or nothing.
std::optional<int64_t> LeerMovimientos(std::string_view texto);

} // namespace velmora
