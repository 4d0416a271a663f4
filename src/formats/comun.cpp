#include "formats/comun.h"

#include <algorithm>

#include "validation/validacion.h"

namespace velmora::formatos {

ErrorFormato NoValido(std::string texto) {
    return {std::move(texto), std::string(kTituloNoValido)};
}

ErrorFormato Variante(std::string texto) {
    return {std::move(texto), std::string(kTituloVariante)};
}

namespace {

bool Continuacion(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string Donde(std::string_view texto, size_t i) {
    int linea = 1, columna = 1;
    for (size_t j = 0; j < i && j < texto.size(); ++j) {
        if (texto[j] == '\n') {
            ++linea;
            columna = 1;
        } else if (!Continuacion(texto[j])) {
            ++columna;
        }
    }
    if (texto.find('\n') == std::string_view::npos) return "la posición " + std::to_string(columna);
    return "la línea " + std::to_string(linea) + ", columna " + std::to_string(columna);
}

ErrorFormato CaracterNoValido(std::string_view texto, size_t i) {
    size_t fin = i + 1;
    while (fin < texto.size() && Continuacion(texto[fin]) && fin - i < 4)
        ++fin;
    const auto c = static_cast<unsigned char>(texto[i]);
    // Control characters and spaces would not show between the quotes.
    const std::string cual =
        c > ' ' && c != 0x7F ? " «" + std::string(texto.substr(i, fin - i)) + "»" : "";
    return NoValido("Carácter no válido" + cual + " en " + Donde(texto, i) + ".");
}

std::string Cita(std::string_view texto) {
    constexpr size_t kMaximo = 20;
    if (texto.size() <= kMaximo) return "«" + std::string(texto) + "»";
    size_t corte = kMaximo;
    while (corte > 0 && Continuacion(texto[corte]))
        --corte;
    return "«" + std::string(texto.substr(0, corte)) + "…»";
}

std::string NombreCasilla(int k) {
    return "fila " + std::to_string(FilaDe(k)) + ", columna " + std::to_string(ColDe(k));
}

Resultado<Enunciado> EnunciadoKiller(std::vector<Jaula> jaulas) {
    if (jaulas.size() > kSegmentos) {
        return ErrorFormato{"El sudoku tiene " + std::to_string(jaulas.size()) +
                                " segmentos y Velmora admite " + std::to_string(kSegmentos) +
                                " como máximo.",
                            "Demasiados segmentos"};
    }
    for (Jaula& j : jaulas)
        std::sort(j.casillas.begin(), j.casillas.end());
    std::stable_sort(jaulas.begin(), jaulas.end(), [](const Jaula& a, const Jaula& b) {
        return a.casillas.front() < b.casillas.front();
    });
    Enunciado e;
    for (size_t n = 0; n < jaulas.size(); ++n) {
        e.sumas[n] = jaulas[n].suma;
        for (const int k : jaulas[n].casillas)
            e.segmento[k] = static_cast<int8_t>(n);
    }
    return e;
}

namespace {

ErrorFormato Rechazo(const Mensaje& m) {
    return {m.texto, m.titulo};
}

} // namespace

Resultado<std::vector<JaulaValida>> JaulasValidas(const Enunciado& e) {
    if (!e.killer) {
        return ErrorFormato{"Un sudoku clásico no se puede escribir como cadena Killer: solo "
                            "lleva segmentos con su suma.",
                            "Formato no adecuado"};
    }
    Tablero t;
    if (const auto m = Validar(t, e)) return Rechazo(*m);
    std::vector<JaulaValida> jaulas;
    std::array<int, kSegmentos> indice;
    indice.fill(-1);
    for (int k = 0; k < kCasillas; ++k) {
        const int s = t.CasillaSeg[k];
        if (s < 0 || s >= kSegmentos) continue;
        if (indice[s] < 0) {
            indice[s] = static_cast<int>(jaulas.size());
            jaulas.push_back({s, t.Segmentos[s].Suma, {}});
        }
        jaulas[indice[s]].casillas.push_back(k);
    }
    return jaulas;
}

Resultado<std::array<int, kCasillas>> CifrasValidas(const Enunciado& e) {
    if (e.killer) {
        return ErrorFormato{"Un sudoku Killer no se puede escribir como línea clásica: solo lleva "
                            "cifras dadas.",
                            "Formato no adecuado"};
    }
    Tablero t;
    if (const auto m = Validar(t, e)) return Rechazo(*m);
    std::array<int, kCasillas> cifras{};
    for (int k = 0; k < kCasillas; ++k)
        if (t.EsFija(k)) cifras[k] = t.Matriz[k];
    return cifras;
}

} // namespace velmora::formatos
