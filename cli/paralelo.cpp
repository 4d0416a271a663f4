#include "paralelo.h"

#include <chrono>

#include "model/entero.h"

namespace velmora {

std::optional<int> LeerHilos(std::string_view texto) {
    const int n = LeerEntero(texto, kMaxHilos);
    if (n < 1) return std::nullopt;
    return n;
}

FinBusqueda BuscarConProgreso(Tablero& t, int hilos, const std::function<void(int64_t)>& progreso) {
    BusquedaParalela b(t, hilos);
    while (!b.Esperar(std::chrono::milliseconds(100)))
        progreso(b.MovimientosContados());
    return b.Resultado(t);
}

} // namespace velmora
