#pragma once
// Puzzles for tests, at random and reproducible from their seed on every platform: mt19937_64's
// sequence is fixed by the standard, the distributions are not, so they are not used.

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/busqueda.h"
#include "model/enunciado.h"
#include "model/tablero.h"

namespace velmora {

// A puzzle as the window holds it: the board's mode and segment map, and the rest of the value.
struct Puzzle {
    std::string nombre;
    Tablero t;
    Enunciado e;
};

// A classic puzzle from 81 characters row by row, '.' for an empty cell.
Puzzle ClasicoDe(std::string nombre, const std::string& celdas);

class Azar {
public:
    explicit Azar(uint64_t semilla) : g_(semilla) {}
    int Hasta(int n) { return static_cast<int>(g_() % static_cast<uint64_t>(n)); } // 0..n-1
    int Entre(int a, int b) { return a + Hasta(b - a + 1); }
    bool Porcentaje(int p) { return Hasta(100) < p; }
    template <class V> auto Elegir(const V& v) { return v[Indice(v.size())]; }
    size_t Indice(size_t n) { return static_cast<size_t>(Hasta(static_cast<int>(n))); }
    template <class V> void Barajar(V& v) {
        for (size_t i = v.size(); i > 1; --i)
            std::swap(v[i - 1], v[Indice(i)]);
    }

private:
    std::mt19937_64 g_;
};

using Rejilla81 = std::array<uint8_t, kCasillas>;

// A solved grid, drawn at random.
Rejilla81 RejillaResuelta(Azar& az);

// Splits the grid into connected cages of `minima` to `maxima` cells whose digits in the
// solution are distinct. How many there are is left to chance.
std::vector<std::vector<int>> Jaulas(const Rejilla81& solucion, Azar& az, int maxima,
                                     int minima = 1);

// A search host that shows nothing and cancels at the first placed digit once `tope` moves are
// counted.
struct Tope {
    Tablero& t;
    int64_t tope;
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    bool Ceder() {
        if (t.Movimientos >= tope) t.Cancelado = true;
        return false;
    }
    void MostrarMatriz() {}
};

// The single-thread search from a prepared board, cancelled from `tope` moves on.
struct Secuencial {
    Tablero t;
    FinBusqueda fin;
};
inline Secuencial BuscarHasta(const Tablero& preparado, int64_t tope) {
    Secuencial s{preparado, {}};
    Progreso p;
    Tope host{s.t, tope};
    s.fin = Buscar(s.t, p, host);
    return s;
}

// Classic puzzles of four kinds, by n % 4: givens kept from a solved grid; the same with one given
// changed to a digit that repeats nothing (mostly without solution); givens thrown at random that
// repeat nothing; and givens with one repeated digit, which validation refuses.
Puzzle ClasicoAlAzar(Azar& az, int n);

// Killer puzzles of five kinds, by n % 5: every cell covered; part of the grid covered; mostly
// cages with a unique combination (one-cell cages among them); a sum moved so that the puzzle
// (mostly) has no solution; and sums drawn at random, which also makes reservations collide.
Puzzle KillerAlAzar(Azar& az, int n);

// Killer puzzles of large segments, of four kinds by n % 4: segments of six to nine cells
// covering the grid; the same with a sum moved (mostly no solution); a few such segments and
// the rest of the grid open; four- and five-cell segments covering the grid. Givens from the
// solution besides (15-50% of the cells), for checks that read them (Reglas); Killer mode does not.
Puzzle KillerGrandeAlAzar(Azar& az, int n);

} // namespace velmora
