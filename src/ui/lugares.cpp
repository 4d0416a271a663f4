#include "ui/lugares.h"

#include <string>

#include "formats/formatos.h"

namespace velmora {

namespace {

// The number right after `clave` in s, from its first occurrence; -1 when there is none.
int NumeroTras(std::string_view s, std::string_view clave, size_t* fin = nullptr) {
    const size_t p = s.find(clave);
    if (p == std::string_view::npos) return -1;
    size_t i = p + clave.size();
    int n = -1;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && n < 100000)
        n = std::max(n, 0) * 10 + (s[i++] - '0');
    if (fin) *fin = i;
    return n;
}

bool Continuacion(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool EnRango(int x) {
    return x >= 1 && x <= 9;
}

} // namespace

std::bitset<kCasillas> CasillasNombradas(const Mensaje& m, const Enunciado& e) {
    std::bitset<kCasillas> casillas;
    if (const int s = NumeroTras(m.titulo, "Fallo en segmento "); s >= 1 && s <= kSegmentos) {
        for (int k = 0; k < kCasillas; ++k)
            casillas[k] = e.segmento[k] == s - 1;
        return casillas;
    }
    size_t fin = 0;
    if (const int f = NumeroTras(m.texto, "fila ", &fin); EnRango(f)) {
        const int c = NumeroTras(m.texto.substr(fin), ", columna ");
        if (EnRango(c) && m.texto.substr(fin).starts_with(", columna ")) {
            casillas.set(Casilla(f, c));
            return casillas;
        }
    }
    const int d = NumeroTras(m.texto, "El número ");
    if (!EnRango(d)) return casillas;
    const std::string cifra(1, static_cast<char>('0' + d));
    const auto repetido = [&](std::string_view donde, auto&& en) {
        const int x = NumeroTras(m.texto, donde);
        if (!EnRango(x)) return;
        for (int k = 0; k < kCasillas; ++k)
            casillas[k] = e.fijas[k] && e.textos[k] == cifra && en(k, x);
    };
    repetido(" repetido en la fila ", [](int k, int x) { return FilaDe(k) == x; });
    repetido(" repetido en la columna ", [](int k, int x) { return ColDe(k) == x; });
    repetido(" repetido en el cuadrante ",
             [](int k, int x) { return Cuadrante(FilaDe(k), ColDe(k)) == x; });
    return casillas;
}

std::optional<Tramo> TramoNombrado(std::string_view mensaje, std::string_view texto) {
    int linea = 1, columna = NumeroTras(mensaje, "la posición ");
    if (columna < 0) {
        size_t fin = 0;
        linea = NumeroTras(mensaje, "la línea ", &fin);
        if (linea < 1 || !mensaje.substr(fin).starts_with(", columna ")) return std::nullopt;
        columna = NumeroTras(mensaje.substr(fin), ", columna ");
    }
    if (linea < 1 || columna < 1) return std::nullopt;
    // As the readers count: lines end at '\n', every other character is one column.
    int l = 1, c = 1;
    for (size_t i = 0; i < texto.size(); ++i) {
        if (Continuacion(texto[i])) continue;
        if (l == linea && c == columna) {
            size_t j = i + 1;
            while (j < texto.size() && Continuacion(texto[j]))
                ++j;
            return Tramo{i, j - i};
        }
        if (texto[i] == '\n') {
            ++l;
            c = 1;
        } else {
            ++c;
        }
    }
    // Just past the end: a text cut short.
    if (l == linea && c == columna) return Tramo{texto.size(), 0};
    return std::nullopt;
}

bool EsPuzzlePegable(std::string_view texto) {
    const size_t a = texto.find_first_not_of(" \t\r\n");
    if (a == std::string_view::npos) return false;
    const std::string_view t = texto.substr(a, texto.find_last_not_of(" \t\r\n") - a + 1);
    if (t.size() <= 2 && t.find_first_not_of("0123456789") == std::string_view::npos) return false;
    return DetectarFormato(texto).has_value();
}

} // namespace velmora
