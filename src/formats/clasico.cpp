// The classic line: 81 cells row by row, '1'-'9' a given, '.' or '0' an empty cell. Also read:
// nine lines of nine, with spaces, '|' between boxes and lines of '-', '+' and '=' between
// bands, as some sites print them.

#include "formats/comun.h"

namespace velmora::formatos {

namespace {

bool Separadora(std::string_view linea) {
    return linea.find_first_of("-=") != std::string_view::npos &&
           linea.find_first_not_of("-+=| \t\r") == std::string_view::npos;
}

} // namespace

Resultado<Enunciado> LeerClasico(std::string_view texto) {
    Enunciado e;
    e.killer = false;
    int k = 0;
    for (size_t inicio = 0; inicio < texto.size();) {
        const size_t fin = std::min(texto.find('\n', inicio), texto.size());
        const std::string_view linea = texto.substr(inicio, fin - inicio);
        if (!Separadora(linea)) {
            for (size_t i = 0; i < linea.size(); ++i) {
                const char c = linea[i];
                if (c == ' ' || c == '\t' || c == '\r' || c == '|') continue;
                if (c != '.' && (c < '0' || c > '9')) return CaracterNoValido(texto, inicio + i);
                if (k == kCasillas) {
                    return NoValido("Sobran casillas: la casilla 82 está en " +
                                    Donde(texto, inicio + i) + "; una línea clásica tiene 81.");
                }
                if (c != '.' && c != '0') {
                    e.fijas.set(k);
                    e.textos[k] = std::string(1, c);
                }
                ++k;
            }
        }
        inicio = fin + 1;
    }
    if (k < kCasillas) {
        return NoValido("Faltan casillas: el texto tiene " + std::to_string(k) +
                        " y una línea clásica tiene 81.");
    }
    return e;
}

std::string EscribirClasico(const std::array<int, kCasillas>& cifras) {
    std::string s(kCasillas, '.');
    for (int k = 0; k < kCasillas; ++k)
        if (cifras[k]) s[k] = static_cast<char>('0' + cifras[k]);
    return s;
}

} // namespace velmora::formatos
