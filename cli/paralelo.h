#pragma once
// velmora-cli's solve on several threads, with the progress line fed from the moves the workers
// have counted.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "model/busqueda.h"
#include "model/paralela.h"

namespace velmora {

inline constexpr int kMaxHilos = 1024;

// The value of --jobs: a whole number from 1 to kMaxHilos, or nothing.
std::optional<int> LeerHilos(std::string_view texto);

// The search of a validated board on `hilos` threads, to its end; while it runs, `progreso` gets
// the moves counted so far about ten times a second.
FinBusqueda BuscarConProgreso(Tablero& t, int hilos, const std::function<void(int64_t)>& progreso);

} // namespace velmora
