#include "unica.h"

#include <iostream>
#include <string>

#include "consola.h"

namespace velmora {

namespace {

constexpr int kSalidaUnica = 0, kSalidaNinguna = 1, kSalidaError = 2, kSalidaVarias = 3;

} // namespace

int ComandoUnica(std::string_view ruta, std::optional<Formato> formato, bool progreso) {
    Consola c(progreso);
    if (!c.Abrir(ruta, formato)) return kSalidaError;
    const Veredicto v = c.Juzgar();
    switch (v.soluciones) {
    case 0:
        std::cout << "Soluciones: 0\n";
        return kSalidaNinguna;
    case 1:
        std::cout << "Soluciones: 1\n" << TextoRejilla(v.primera);
        return kSalidaUnica;
    default:
        std::cout << "Soluciones: 2 o más\n"
                  << TextoRejilla(v.primera) << '\n'
                  << TextoRejilla(v.segunda);
        return kSalidaVarias;
    }
}

} // namespace velmora
