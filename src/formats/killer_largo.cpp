// The Killer long string (SumoCue's): "3x3:" flags ":k:" then 81 numbers separated by ':', each
// sum * 256 + cage id; a number below 256 is a cell in no cage with a sum. Published strings end
// in ':' (an 85th, empty field) and some readers need it: it is written, and read or not.

#include <map>

#include "formats/comun.h"
#include "model/entero.h"

namespace velmora::formatos {

namespace {

constexpr std::string_view kCabecera = "3x3:";
constexpr std::string_view kK = ":k:";

// "AxB" before the first ':', the grid's box size.
bool Tamano(std::string_view cabecera) {
    const size_t x = cabecera.find('x');
    return x != std::string_view::npos && LeerEntero(cabecera.substr(0, x), 0xFFFF) >= 0 &&
           LeerEntero(cabecera.substr(x + 1), 0xFFFF) >= 0;
}

} // namespace

Resultado<Enunciado> LeerKillerLargo(std::string_view texto) {
    if (!texto.starts_with(kCabecera)) {
        const std::string_view cabecera = texto.substr(0, texto.find(':'));
        if (!Tamano(cabecera)) return NoValido("La cadena Killer larga debe empezar por «3x3:».");
        return Variante("Velmora solo lee sudokus de 9 × 9 casillas en cajas de 3 × 3; la cadena "
                        "es de tipo " +
                        Cita(cabecera) + ".");
    }
    const size_t k = texto.find(':', kCabecera.size());
    if (k == std::string_view::npos || texto.substr(k, kK.size()) != kK) {
        return NoValido("Falta «:k:» tras las marcas, en " +
                        Donde(texto, k == std::string_view::npos ? texto.size() : k) + ".");
    }
    const std::string_view marcas = texto.substr(kCabecera.size(), k - kCabecera.size());
    if (marcas.find('d') != std::string_view::npos) {
        return Variante("La cadena es de un sudoku diagonal (marca «d»): Velmora no tiene la regla "
                        "de las diagonales.");
    }
    if (!marcas.empty()) {
        return Variante("La cadena lleva marcas que Velmora no conoce: " + Cita(marcas) + ".");
    }

    std::vector<Jaula> jaulas;
    std::map<int, std::pair<int, size_t>> porId; // cage id -> (sum, index in jaulas)
    std::array<int, kCasillas> primerNumero{};   // of each cage, for messages
    int n = 0;
    size_t inicio = k + kK.size();
    while (inicio < texto.size()) {
        const size_t fin = std::min(texto.find(':', inicio), texto.size());
        const std::string_view numero = texto.substr(inicio, fin - inicio);
        const int v = LeerEntero(numero, 0xFFFF);
        if (v < 0) {
            if (numero.empty()) return NoValido("Falta un número en " + Donde(texto, inicio) + ".");
            return NoValido("Número no válido " + Cita(numero) + " en " + Donde(texto, inicio) +
                            ": cada casilla lleva suma × 256 + identificador, hasta 65535.");
        }
        if (n == kCasillas) {
            return NoValido("Sobran números: el 82 está en " + Donde(texto, inicio) +
                            "; la cadena Killer larga lleva 81.");
        }
        if (const int suma = v >> 8; suma > 0) {
            const auto [it, nueva] = porId.try_emplace(v & 0xFF, suma, jaulas.size());
            if (nueva) {
                primerNumero[jaulas.size()] = n;
                jaulas.push_back({{}, std::to_string(suma)});
            } else if (it->second.first != suma) {
                return NoValido("Los números " +
                                std::to_string(primerNumero[it->second.second] + 1) + " y " +
                                std::to_string(n + 1) + " tienen el mismo segmento (" +
                                std::to_string(v & 0xFF) + ") con sumas distintas.");
            }
            jaulas[it->second.second].casillas.push_back(n);
        }
        ++n;
        inicio = fin + 1; // a ':' after the last number is allowed
    }
    if (n < kCasillas) {
        return NoValido("Faltan números: la cadena tiene " + std::to_string(n) +
                        " y la cadena Killer larga lleva 81.");
    }
    return EnunciadoKiller(std::move(jaulas));
}

std::string EscribirKillerLargo(const std::vector<JaulaValida>& jaulas) {
    std::array<int, kCasillas> numeros{};
    for (size_t j = 0; j < jaulas.size(); ++j)
        for (const int k : jaulas[j].casillas)
            numeros[k] = jaulas[j].suma * 256 + static_cast<int>(j) + 1;
    std::string s = std::string(kCabecera) + std::string(kK);
    for (int k = 0; k < kCasillas; ++k)
        s += std::to_string(numeros[k]) + ':';
    return s;
}

} // namespace velmora::formatos
