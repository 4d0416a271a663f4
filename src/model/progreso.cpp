#include "model/progreso.h"

namespace velmora {

std::string FormatearMovimientos(int64_t movimientos, std::string_view separador) {
    const std::string digitos = std::to_string(movimientos);
    const size_t inicio = movimientos < 0 ? 1 : 0; // keep a sign out of the groups
    std::string texto = digitos.substr(0, inicio);
    for (size_t i = inicio; i < digitos.size(); ++i) {
        if (i > inicio && (digitos.size() - i) % 3 == 0) texto += separador;
        texto += digitos[i];
    }
    return texto;
}

std::string Progreso::TextoMovimientos(std::string_view separador) const {
    return giro >= 0 ? std::string(1, kGiros[giro]) : FormatearMovimientos(movimientos, separador);
}

std::string Progreso::TextoPorcentaje() const {
    return porcentaje < 0 ? std::string() : std::to_string(porcentaje) + " %";
}

} // namespace velmora
