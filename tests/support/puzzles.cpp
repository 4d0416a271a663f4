#include "support/puzzles.h"

namespace velmora {

Enunciado Clasico(std::string_view celdas) {
    Enunciado e;
    e.killer = false;
    for (int k = 0; k < kCasillas; ++k) {
        if (celdas[k] == '0' || celdas[k] == '.') continue;
        e.fijas.set(k);
        e.textos[k] = std::string(1, celdas[k]);
    }
    return e;
}

Enunciado Killer(std::string_view segmentos, std::initializer_list<const char*> sumas) {
    Enunciado e;
    for (int k = 0; k < kCasillas; ++k) {
        const char c = segmentos[k];
        e.segmento[k] = static_cast<int8_t>(c >= 'a' && c <= 'z'   ? c - 'a'
                                            : c >= 'A' && c <= 'Z' ? c - 'A' + 26
                                                                   : -1);
    }
    int i = 0;
    for (const char* s : sumas)
        e.sumas[i++] = s;
    return e;
}

std::string Marcas(std::initializer_list<std::pair<int, char>> marcas) {
    std::string s(kCasillas, '.');
    for (const auto& [k, c] : marcas)
        s[k] = c;
    return s;
}

} // namespace velmora
