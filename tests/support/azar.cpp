#include "support/azar.h"

#include <array>
#include <bit>
#include <numeric>
#include <vector>

#include "support/puzzles.h"
#include "validation/validacion.h"

namespace velmora {

Rejilla81 RejillaResuelta(Azar& az) {
    Rejilla81 r{};
    std::array<uint16_t, 27> usado{};
    auto llenar = [&](auto& self, int k) -> bool {
        if (k == kCasillas) return true;
        const LineasCasilla l = kLineas[k];
        std::array<int, 9> digitos = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        az.Barajar(digitos);
        for (const int d : digitos) {
            if ((usado[l.fila] | usado[l.col] | usado[l.cuad]) & Bit(d)) continue;
            const auto marcar = [&] {
                for (const int x : {l.fila, l.col, l.cuad})
                    usado[x] ^= Bit(d);
            };
            marcar();
            r[k] = static_cast<uint8_t>(d);
            if (self(self, k + 1)) return true;
            marcar();
        }
        return false;
    };
    llenar(llenar, 0);
    return r;
}

namespace {

// The row, column and box of cell k.
std::array<int, 3> Lineas(int k) {
    return {kLineas[k].fila, kLineas[k].col, kLineas[k].cuad};
}

bool ChocaConPistas(const std::string& celdas, int k, char d) {
    for (int j = 0; j < kCasillas; ++j)
        for (int x = 0; x < 3; ++x)
            if (j != k && celdas[j] == d && Lineas(j)[x] == Lineas(k)[x]) return true;
    return false;
}

// Whether exactly one set of n distinct digits adds up to suma.
bool SumaUnica(int n, int suma) {
    int veces = 0;
    for (unsigned c = 2; c <= kDigitos; c += 2) {
        int s = 0;
        for (int d = 1; d <= 9; ++d)
            if (c & Bit(d)) s += d;
        if (std::popcount(c) == n && s == suma) ++veces;
    }
    return veces == 1;
}

} // namespace

std::vector<std::vector<int>> Jaulas(const Rejilla81& solucion, Azar& az, int maxima, int minima) {
    std::vector<int> orden(kCasillas);
    std::iota(orden.begin(), orden.end(), 0);
    az.Barajar(orden);
    std::vector<int> jaula(kCasillas, -1);
    std::vector<std::vector<int>> jaulas;
    for (const int inicio : orden) {
        if (jaula[inicio] >= 0) continue;
        const int tamano = az.Entre(minima, maxima);
        std::vector<int> celdas = {inicio};
        uint16_t digitos = Bit(solucion[inicio]);
        jaula[inicio] = static_cast<int>(jaulas.size());
        while (static_cast<int>(celdas.size()) < tamano) {
            std::vector<int> borde;
            for (const int k : celdas)
                for (const int v : {k - 9, k + 9, k % 9 ? k - 1 : -1, k % 9 < 8 ? k + 1 : -1})
                    if (v >= 0 && v < kCasillas && jaula[v] < 0 && !(digitos & Bit(solucion[v])))
                        borde.push_back(v);
            if (borde.empty()) break;
            const int v = az.Elegir(borde);
            celdas.push_back(v);
            digitos |= Bit(solucion[v]);
            jaula[v] = jaula[inicio];
        }
        jaulas.push_back(std::move(celdas));
    }
    return jaulas;
}

namespace {

Puzzle KillerDe(std::string nombre, const std::vector<std::vector<int>>& jaulas,
                const std::vector<int>& sumas) {
    Puzzle z{std::move(nombre), {}, {}};
    for (size_t i = 0; i < jaulas.size(); ++i) {
        for (const int k : jaulas[i])
            z.e.segmento[k] = static_cast<int8_t>(i);
        z.e.sumas[i] = std::to_string(sumas[i]);
    }
    return z;
}

} // namespace

Puzzle ClasicoDe(std::string nombre, const std::string& celdas) {
    return {std::move(nombre), {}, Clasico(celdas)};
}

Puzzle ClasicoAlAzar(Azar& az, int n) {
    static const char* const kTipos[] = {"clásico con pistas ", "clásico con pista cambiada ",
                                         "clásico al azar ", "clásico con repetición "};
    const int tipo = n % 4;
    const std::string nombre = kTipos[tipo] + std::to_string(n);
    const Rejilla81 solucion = RejillaResuelta(az);
    std::string celdas(kCasillas, '.');
    if (tipo == 2) {
        for (int i = az.Entre(8, 30); i > 0; --i) {
            const int k = az.Hasta(kCasillas);
            const char d = static_cast<char>('1' + az.Hasta(9));
            if (!ChocaConPistas(celdas, k, d)) celdas[k] = d;
        }
        return ClasicoDe(nombre, celdas);
    }
    // A changed given among many is soon found to leave no solution.
    const int densidad = tipo == 1 ? az.Entre(45, 75) : az.Entre(20, 75);
    for (int k = 0; k < kCasillas; ++k)
        if (az.Porcentaje(densidad)) celdas[k] = static_cast<char>('0' + solucion[k]);
    std::vector<int> pistas;
    for (int k = 0; k < kCasillas; ++k)
        if (celdas[k] != '.') pistas.push_back(k);
    if (tipo == 1 && !pistas.empty()) {
        const int k = az.Elegir(pistas);
        for (char d = '1'; d <= '9'; ++d)
            if (d != celdas[k] && !ChocaConPistas(celdas, k, d)) {
                celdas[k] = d;
                break;
            }
    }
    if (tipo == 3 && !pistas.empty()) {
        // The digit of a given once more in its row, column or box.
        const int a = az.Elegir(pistas), donde = az.Hasta(3);
        std::vector<int> linea;
        for (int j = 0; j < kCasillas; ++j)
            if (j != a && Lineas(j)[donde] == Lineas(a)[donde]) linea.push_back(j);
        celdas[linea[az.Indice(8)]] = celdas[a];
    }
    return ClasicoDe(nombre, celdas);
}

Puzzle KillerAlAzar(Azar& az, int n) {
    const Rejilla81 solucion = RejillaResuelta(az);
    const int tipo = n % 5;
    std::vector<std::vector<int>> jaulas;
    do
        jaulas = Jaulas(solucion, az, tipo == 2 ? 3 : 5);
    while (tipo != 1 && tipo != 2 && tipo != 4 && jaulas.size() > kSegmentos);
    az.Barajar(jaulas);

    auto suma = [&](const std::vector<int>& j) {
        int s = 0;
        for (const int k : j)
            s += solucion[k];
        return s;
    };
    std::vector<std::vector<int>> elegidas;
    for (const auto& j : jaulas) {
        const bool quedarse =
            tipo == 0 || tipo == 3 ? true
            : tipo == 2 ? SumaUnica(static_cast<int>(j.size()), suma(j)) || az.Porcentaje(25)
                        : az.Porcentaje(65);
        if (quedarse && elegidas.size() < kSegmentos) elegidas.push_back(j);
    }
    std::vector<int> sumas;
    for (const auto& j : elegidas) {
        const int tamano = static_cast<int>(j.size());
        sumas.push_back(tipo == 4 ? az.Entre(SumaMinima(tamano), SumaMaxima(tamano)) : suma(j));
    }
    if (tipo == 3) {
        // Move one sum up and another down, keeping 405 and the bounds.
        for (int intento = 0; intento < 50; ++intento) {
            const size_t a = az.Indice(elegidas.size()), b = az.Indice(elegidas.size());
            const int delta = az.Entre(1, 2);
            if (a == b || sumas[a] + delta > SumaMaxima(static_cast<int>(elegidas[a].size())) ||
                sumas[b] - delta < SumaMinima(static_cast<int>(elegidas[b].size())))
                continue;
            sumas[a] += delta;
            sumas[b] -= delta;
            break;
        }
    }
    static const char* const kTipos[] = {"Killer completo ", "Killer parcial ", "Killer de únicas ",
                                         "Killer con suma cambiada ", "Killer con sumas al azar "};
    return KillerDe(kTipos[tipo] + std::to_string(n), elegidas, sumas);
}

Puzzle KillerGrandeAlAzar(Azar& az, int n) {
    const Rejilla81 solucion = RejillaResuelta(az);
    const int tipo = n % 4;
    std::vector<std::vector<int>> jaulas;
    do
        jaulas = tipo == 3 ? Jaulas(solucion, az, 5, 4) : Jaulas(solucion, az, 9, 6);
    while (jaulas.size() > kSegmentos);
    az.Barajar(jaulas);
    std::vector<std::vector<int>> elegidas;
    for (const auto& j : jaulas)
        if (tipo != 2 || (j.size() >= 4 && az.Porcentaje(40))) elegidas.push_back(j);
    std::vector<int> sumas;
    for (const auto& j : elegidas) {
        int s = 0;
        for (const int k : j)
            s += solucion[k];
        sumas.push_back(s);
    }
    if (tipo == 1 && elegidas.size() > 1) {
        // One sum up and another down by one, within their bounds.
        for (size_t a = 0; a < elegidas.size(); ++a)
            if (sumas[a] < SumaMaxima(static_cast<int>(elegidas[a].size()))) {
                const size_t b = (a + 1) % elegidas.size();
                if (sumas[b] <= SumaMinima(static_cast<int>(elegidas[b].size()))) continue;
                ++sumas[a];
                --sumas[b];
                break;
            }
    }
    static const char* const kTipos[] = {
        "Killer de jaulas grandes ", "Killer de jaulas grandes con suma cambiada ",
        "Killer escaso de jaulas grandes ", "Killer de jaulas de cuatro y cinco "};
    Puzzle z = KillerDe(kTipos[tipo] + std::to_string(n), elegidas, sumas);
    // Givens from the solution, so that plain backtracking can count them in a test's time.
    const int densidad = az.Entre(15, 50);
    for (int k = 0; k < kCasillas; ++k)
        if (az.Porcentaje(densidad)) {
            z.e.fijas.set(k);
            z.e.textos[k] = std::string(1, static_cast<char>('0' + solucion[k]));
        }
    return z;
}

} // namespace velmora
