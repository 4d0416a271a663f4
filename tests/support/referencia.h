#pragma once
// The search written out plainly on the board's original representation: a 10 × 10 grid, each
// segment's placed digits as a packed zero-terminated list, use tables of {Usado, SegReserva}
// records and a list of given cells scanned linearly. Nothing here is tuned; the fast search is
// checked against it step by step and timed against it.

#include <array>
#include <cstdint>
#include <functional>

#include "model/busqueda.h"
#include "model/tablero.h"

namespace velmora::referencia {

struct UsoNumero {
    bool Usado = false;
    int16_t SegReserva = -1;
};

// One row, column or box: an entry per digit, 1..9 (entry 0 unused).
struct Linea {
    std::array<UsoNumero, 10> Numero{};
};

struct Segmento {
    std::array<uint8_t, 17> Numeros{}; // positions 1..16; placed digits, packed, then zeros
    uint8_t NumCasillas = 0;
    uint8_t Suma = 0;
    bool Unica = false;
    std::array<uint8_t, 10> Combinacion{}; // positions 1..9, increasing when Unica
};

struct Fija {
    uint8_t Fila = 0;
    uint8_t Col = 0;
};

struct Resultado {
    Final final;
    int fila, col; // where the search stopped
};

class Busqueda {
public:
    // From a board that validation has just prepared: the given digits (classic) or the segment
    // sums, unique combinations and reservations (Killer) are in place and nothing is placed.
    explicit Busqueda(const Tablero& t);

    // The driver's main loop from the first cell. After every placed digit ProcesarEventos runs
    // (when set) and the search stops if it has set Cancelado.
    Resultado Resolver();
    // Carries the search on past the solution it stopped at, as if the cell after the last had
    // found no candidate: the next solution in the search's order, or the end.
    Resultado Reanudar();

    bool ColocarNumero(uint8_t fila, uint8_t col);
    void Retroceder(uint8_t& fila, uint8_t& col);
    bool ComprobarSeg(uint8_t Valor, int pos);
    void EliSegmento(uint8_t Valor, int pos);

    // The digit of cell k (0..80).
    uint8_t Digito(int k) const { return Matriz[k / 9 + 1][k % 9 + 1]; }

    std::function<void()> ProcesarEventos;

    std::array<std::array<uint8_t, 10>, 10> Matriz{}; // [fila][col], 1..9
    std::array<int16_t, kCasillas> CasillaSeg{};
    std::array<Segmento, kRegistros> Segmentos{};
    std::array<Linea, 10> Filas{}, Columnas{}, Cuadrantes{}; // lines 1..9
    std::array<Fija, 82> Fijas{};                            // positions 1..NumFijas
    uint8_t NumFijas = 0;
    bool Cancelado = false;
    bool SinSolucion = false;
    bool SinCandidato = false;
    int64_t Movimientos = 0;

private:
    bool EsFija(uint8_t fila, uint8_t col) const;
    Resultado Seguir(uint8_t fila, uint8_t col);
};

} // namespace velmora::referencia
