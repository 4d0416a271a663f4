#pragma once
// The board state: working grid, cell-to-segment map, segment records, digit-use tables, given
// cells and the flags and counter of a solve. Digit sets are 16-bit masks with bit d for digit d.

#include <array>
#include <bit>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kCasillas = 81;
inline constexpr int kSegmentos = 39; // palette rows, and so segments a puzzle can have
inline constexpr int kRegistros = 40; // segment records; no cell ever refers to the last one
inline constexpr uint16_t kDigitos = 0x3FE;

// Cell k = 9 * (fila - 1) + (col - 1); rows, columns and boxes are numbered 1 to 9.
constexpr int Casilla(int fila, int col) {
    return 9 * (fila - 1) + (col - 1);
}
constexpr int FilaDe(int k) {
    return k / 9 + 1;
}
constexpr int ColDe(int k) {
    return k % 9 + 1;
}
constexpr int Cuadrante(int fila, int col) {
    return 3 * ((fila - 1) / 3) + (col - 1) / 3 + 1;
}
constexpr uint16_t Bit(int d) {
    return static_cast<uint16_t>(1u << d);
}

// The sum of the digits in a set.
constexpr int SumaDigitos(unsigned conjunto) {
    int suma = 0;
    for (int d = 1; d <= 9; ++d)
        if (conjunto & Bit(d)) suma += d;
    return suma;
}

// Digits 1..x (none when x < 1).
constexpr uint16_t Hasta(int x) {
    return x < 1 ? 0 : x >= 9 ? kDigitos : static_cast<uint16_t>((2u << x) - 2);
}

// A grid row by row, '.' for an empty cell, `finLinea` after each row.
std::string TextoRejilla(const std::array<uint8_t, kCasillas>& matriz,
                         std::string_view finLinea = "\n");

struct Segmento {
    // The digits the search has placed in the segment's cells. The search never puts a digit
    // twice into one segment, so the placement-ordered list is kept as a set with its count
    // and sum.
    uint16_t Numeros = 0;
    uint8_t cuenta = 0;
    uint8_t parcial = 0;
    uint8_t NumCasillas = 0;
    uint8_t Suma = 0;
    bool Unica = false;
    uint16_t Combinacion = 0; // the only digit set adding up to Suma, when Unica
    // Digits whose reservation in the segment's own row, column and box this segment holds.
    std::array<uint16_t, 3> reserva{};
};

enum class Tabla : uint8_t { Filas, Columnas, Cuadrantes };

struct UsoNumero {
    bool Usado;
    int16_t SegReserva;
};

struct Fija {
    uint8_t Fila;
    uint8_t Col;
};

enum class Colocacion : uint8_t { Fija, Colocado, SinCandidato };

// Lines of the use tables in one array: rows 0..8, then columns, then boxes.
constexpr int Linea(Tabla tabla, int x) {
    return 9 * static_cast<int>(tabla) + x - 1;
}

struct LineasCasilla {
    uint8_t fila, col, cuad;
};

inline constexpr std::array<LineasCasilla, kCasillas> kLineas = [] {
    std::array<LineasCasilla, kCasillas> l{};
    for (int k = 0; k < kCasillas; ++k) {
        const int f = FilaDe(k), c = ColDe(k);
        l[k] = {static_cast<uint8_t>(Linea(Tabla::Filas, f)),
                static_cast<uint8_t>(Linea(Tabla::Columnas, c)),
                static_cast<uint8_t>(Linea(Tabla::Cuadrantes, Cuadrante(f, c)))};
    }
    return l;
}();

class Tablero {
public:
    Tablero();

    std::array<uint8_t, kCasillas> Matriz{}; // by cell number; 0 = empty
    std::array<int16_t, kCasillas> CasillaSeg;
    std::array<Segmento, kRegistros> Segmentos{};
    bool ModoKiller = false;
    bool Cancelado = false;
    bool SinSolucion = false;
    bool SinCandidato = false;
    int64_t Movimientos = 0;

    uint8_t& MatrizEn(int fila, int col) { return Matriz[Casilla(fila, col)]; }
    uint8_t MatrizEn(int fila, int col) const { return Matriz[Casilla(fila, col)]; }

    // Digit-use tables `Filas`, `Columnas` and `Cuadrantes`, line x = 1..9.
    UsoNumero Uso(Tabla tabla, int x, int d) const;
    bool Usado(Tabla tabla, int x, int d) const { return usado_[Linea(tabla, x)] & Bit(d); }
    void MarcarUsado(Tabla tabla, int x, int d) { usado_[Linea(tabla, x)] |= Bit(d); }
    // Marks d used in line x for the whole solve, on behalf of segment seg.
    void Reservar(Tabla tabla, int x, int d, int seg);

    // Given cells, in the order they were added.
    int NumFijas() const { return numFijas_; }
    Fija Fijas(int posicion) const { return fijas_[posicion - 1]; } // 1..NumFijas
    bool EsFija(int k) const { return esFija_[k]; }
    void AgregarFija(int fila, int col);
    void BorrarFijas();

    // Clears a solution and the search state and keeps the puzzle.
    void VaciarCuadricula();
    // The board-state part of the full reset: also forgets segments, sums and given cells.
    void NuevoSudoku();

    bool ComprobarSeg(int valor, int pos);
    void EliSegmento(int valor, int pos);
    bool ColocarNumero(uint8_t fila, uint8_t col) {
        return ColocarEn(Casilla(fila, col)) != Colocacion::Fija;
    }
    void Retroceder(uint8_t& fila, uint8_t& col);

    // The search's own forms of ColocarNumero and Retroceder, by cell number. RetrocederDesde
    // returns false when it stepped back before the first cell.
    Colocacion ColocarEn(int k);
    bool RetrocederDesde(int& k);

private:
    uint16_t Candidatos(uint16_t f, uint16_t c, uint16_t b, int s) const;
    void Quitar(int k);
    void Anotar(Segmento& g, int d);
    static void Sumar(Segmento& g, uint32_t paso);

    std::array<uint16_t, 27> usado_{};     // Usado, rows then columns then boxes
    std::array<uint16_t, 27> reservado_{}; // SegReserva is not -1
    std::array<std::array<int8_t, 10>, 27> segReserva_;
    std::array<Fija, kCasillas> fijas_{};
    int numFijas_ = 0;
    std::bitset<kCasillas> esFija_;
};

// The digits a segment's sum still admits for its next cell: the bound of ComprobarSeg.
constexpr uint16_t AdmitidosPorSuma(const Segmento& g) {
    if (g.cuenta == 0)
        return g.NumCasillas == 1 ? (g.Suma <= 9 ? Bit(g.Suma) & kDigitos : 0) : Hasta(g.Suma - 1);
    const int resto = g.Suma - g.parcial;
    if (g.NumCasillas - g.cuenta > 1) return Hasta(resto);
    return resto >= 1 && resto <= 9 ? Bit(resto) : 0;
}

inline uint16_t Tablero::Candidatos(uint16_t f, uint16_t c, uint16_t b, int s) const {
    if (s < 0) return static_cast<uint16_t>(~(f | c | b) & kDigitos);
    const Segmento& g = Segmentos[s];
    if (g.Unica) {
        // A digit reserved by this very segment stays allowed although it is marked used.
        return g.Combinacion & ~g.Numeros & (~f | g.reserva[0]) & (~c | g.reserva[1]) &
               (~b | g.reserva[2]);
    }
    return static_cast<uint16_t>(~(f | c | b | g.Numeros) & AdmitidosPorSuma(g));
}

inline void Tablero::Anotar(Segmento& g, int d) {
    g.Numeros |= Bit(d);
    ++g.cuenta;
    g.parcial = static_cast<uint8_t>(g.parcial + d);
}

// Anotar and EliSegmento as the search uses them: the digit is not among the segment's digits
// when it goes in and is when it goes out, so Numeros, cuenta and parcial, side by side, change
// by one addition of this or its negation; one store instead of three on the way to the next
// cell's candidates.
inline uint32_t CambioSegmento(int d) {
    return Bit(d) | 1u << 16 | static_cast<uint32_t>(d) << 24;
}
inline void Tablero::Sumar(Segmento& g, uint32_t paso) {
    static_assert(std::endian::native == std::endian::little);
    static_assert(offsetof(Segmento, cuenta) == 2 && offsetof(Segmento, parcial) == 3);
    unsigned char* p = reinterpret_cast<unsigned char*>(&g);
    uint32_t w;
    std::memcpy(&w, p, sizeof w);
    w += paso;
    std::memcpy(p, &w, sizeof w);
}

// Takes the digit out of cell k; reserved marks stay.
inline void Tablero::Quitar(int k) {
    const int m = Matriz[k];
    if (m == 0) return;
    const int lf = kLineas[k].fila, lc = kLineas[k].col, lb = kLineas[k].cuad;
    const uint16_t b = Bit(m);
    usado_[lf] &= ~(b & ~reservado_[lf]);
    usado_[lc] &= ~(b & ~reservado_[lc]);
    usado_[lb] &= ~(b & ~reservado_[lb]);
    Matriz[k] = 0;
}

// The search runs at the speed of the chain from one step's stores to the next step's loads: the
// cell's lines are read field by field (a copy of the three-byte record goes through the stack),
// and each line and segment record is written once.
inline Colocacion Tablero::ColocarEn(int k) {
    if (esFija_[k]) return Colocacion::Fija;
    const int m = Matriz[k];
    const int lf = kLineas[k].fila, lc = kLineas[k].col, lb = kLineas[k].cuad;
    const uint16_t f = usado_[lf], c = usado_[lc], b = usado_[lb];
    const int s = CasillaSeg[k];
    const uint16_t candidatos = Candidatos(f, c, b, s) & static_cast<uint16_t>(~1u << m); // above m
    SinCandidato = candidatos == 0;
    if (SinCandidato) return Colocacion::SinCandidato;
    // The lowest candidate's bit comes straight from the mask, sooner than through its digit.
    const uint16_t dentro = candidatos & static_cast<uint16_t>(0u - candidatos);
    const int d = std::countr_zero(candidatos);
    // Each line read once and written once, without a branch for an empty cell: its digit's bit
    // is then bit 0, which no digit uses. A reserved digit given up stays marked.
    const uint16_t fuera = Bit(m);
    usado_[lf] = static_cast<uint16_t>((f & ~(fuera & ~reservado_[lf])) | dentro);
    usado_[lc] = static_cast<uint16_t>((c & ~(fuera & ~reservado_[lc])) | dentro);
    usado_[lb] = static_cast<uint16_t>((b & ~(fuera & ~reservado_[lb])) | dentro);
    Matriz[k] = static_cast<uint8_t>(d);
    // Read again rather than kept: the loop around needs the register more.
    if (const int t = CasillaSeg[k]; t >= 0) Sumar(Segmentos[t], CambioSegmento(d));
    return Colocacion::Colocado;
}

inline void Tablero::EliSegmento(int valor, int pos) {
    const int s = CasillaSeg[pos];
    if (s < 0) return;
    Segmento& g = Segmentos[s];
    if (valor < 1 || valor > 9 || !(g.Numeros & Bit(valor))) return;
    g.Numeros &= ~Bit(valor);
    --g.cuenta;
    g.parcial = static_cast<uint8_t>(g.parcial - valor);
}

inline bool Tablero::RetrocederDesde(int& k) {
    Quitar(k);
    for (;;) {
        --k;
        ++Movimientos;
        if (k < 0) {
            SinSolucion = true;
            return false;
        }
        const int d = Matriz[k];
        if (esFija_[k]) {
            EliSegmento(d, k);
            continue;
        }
        // The search put d here, so it is among the segment's digits.
        if (const int s = CasillaSeg[k]; s >= 0) Sumar(Segmentos[s], 0u - CambioSegmento(d));
        if (d != 9) return true;
        Quitar(k); // no higher digit: clear it and step back further
    }
}

} // namespace velmora
