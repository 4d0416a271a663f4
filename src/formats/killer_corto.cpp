// The Killer short string: one character a cell, row by row. A cage's root holds its sum ('0'-'9',
// 'A'-'Z' for 10-35, 'a'-'j' for 36-45; '0' is a cell in no cage); every other cell an arrow to
// the next cell on the way to its root.

#include <deque>

#include "formats/comun.h"

namespace velmora::formatos {

namespace {

struct Flecha {
    char c;
    int df, dc; // toward the cell it points to
};

constexpr std::array<Flecha, 8> kFlechas = {{{'<', 0, -1},
                                             {'>', 0, 1},
                                             {'^', -1, 0},
                                             {'v', 1, 0},
                                             {'`', -1, -1},
                                             {'\'', -1, 1},
                                             {',', 1, -1},
                                             {'.', 1, 1}}};

int SumaDe(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'j') return c - 'a' + 36;
    return -1;
}

char CaracterSuma(int suma) {
    return static_cast<char>(suma < 10   ? '0' + suma
                             : suma < 36 ? 'A' + suma - 10
                                         : 'a' + suma - 36);
}

const Flecha* FlechaDe(char c) {
    for (const Flecha& f : kFlechas)
        if (f.c == c) return &f;
    return nullptr;
}

std::string Posicion(int k) {
    return "la posición " + std::to_string(k + 1) + " (" + NombreCasilla(k) + ")";
}

} // namespace

Resultado<Enunciado> LeerKillerCorto(std::string_view texto) {
    for (size_t i = 0; i < texto.size(); ++i)
        if (SumaDe(texto[i]) < 0 && !FlechaDe(texto[i])) return CaracterNoValido(texto, i);
    if (texto.size() != kCasillas) {
        return NoValido("La cadena Killer corta debe tener 81 caracteres y tiene " +
                        std::to_string(texto.size()) + ".");
    }
    // The cell each arrow points to; -1 at a root.
    std::array<int, kCasillas> siguiente;
    for (int k = 0; k < kCasillas; ++k) {
        siguiente[k] = -1;
        const Flecha* f = FlechaDe(texto[k]);
        if (!f) continue;
        const int fila = FilaDe(k) + f->df, col = ColDe(k) + f->dc;
        if (fila < 1 || fila > 9 || col < 1 || col > 9) {
            return NoValido("La flecha «" + std::string(1, f->c) + "» de " + Posicion(k) +
                            " sale de la cuadrícula.");
        }
        siguiente[k] = Casilla(fila, col);
    }
    // Each cell's root, following the arrows; a path that comes back on itself has none.
    std::array<int, kCasillas> raiz;
    raiz.fill(-2); // -2 not yet known, -3 on the path being followed
    for (int k = 0; k < kCasillas; ++k) {
        std::vector<int> camino;
        int c = k;
        while (raiz[c] == -2 && siguiente[c] >= 0) {
            raiz[c] = -3;
            camino.push_back(c);
            c = siguiente[c];
        }
        if (raiz[c] == -3) return NoValido("Las flechas forman un círculo en " + Posicion(c) + ".");
        const int r = raiz[c] >= 0 ? raiz[c] : c;
        if (!camino.empty() && SumaDe(texto[r]) == 0) {
            return NoValido("La flecha de " + Posicion(camino.back()) +
                            " lleva a una casilla sin segmento, en " + Posicion(r) + ".");
        }
        raiz[c] = r;
        for (const int p : camino)
            raiz[p] = r;
    }
    std::vector<Jaula> jaulas;
    std::array<int, kCasillas> jaula;
    jaula.fill(-1);
    for (int k = 0; k < kCasillas; ++k) {
        const int r = raiz[k];
        if (SumaDe(texto[r]) == 0) continue;
        if (jaula[r] < 0) {
            jaula[r] = static_cast<int>(jaulas.size());
            jaulas.push_back({{}, std::to_string(SumaDe(texto[r]))});
        }
        jaulas[jaula[r]].casillas.push_back(k);
    }
    return EnunciadoKiller(std::move(jaulas));
}

Resultado<std::string> EscribirKillerCorto(const std::vector<JaulaValida>& jaulas) {
    std::string s(kCasillas, '0');
    for (const JaulaValida& j : jaulas) {
        // A breadth-first tree from the root, the cage's first cell: each cell's arrow points
        // to the cell it was reached from.
        std::bitset<kCasillas> enJaula, alcanzada;
        for (const int k : j.casillas)
            enJaula.set(k);
        const int raiz = j.casillas.front();
        s[raiz] = CaracterSuma(j.suma);
        alcanzada.set(raiz);
        std::deque<int> cola{raiz};
        while (!cola.empty()) {
            const int p = cola.front();
            cola.pop_front();
            for (const Flecha& f : kFlechas) {
                // The neighbour from which this arrow points back to p.
                const int fila = FilaDe(p) - f.df, col = ColDe(p) - f.dc;
                if (fila < 1 || fila > 9 || col < 1 || col > 9) continue;
                const int c = Casilla(fila, col);
                if (!enJaula[c] || alcanzada[c]) continue;
                alcanzada.set(c);
                s[c] = f.c;
                cola.push_back(c);
            }
        }
        if (alcanzada != enJaula) {
            return ErrorFormato{"Las casillas del segmento " + std::to_string(j.segmento + 1) +
                                    " no están unidas: la cadena Killer corta solo lleva "
                                    "segmentos cuyas casillas se tocan, también en diagonal.",
                                "Segmento no contiguo"};
        }
    }
    return s;
}

} // namespace velmora::formatos
