#include "solver/clasico.h"

#include <bit>

#include "solver/contador.h"

namespace velmora {

namespace {

// Each digit's places are kept as three 27-bit words, one per band of three rows: bit 9 * r + c
// is row r of the band, column c. A digit takes one cell in each row of a band and one in each
// of its boxes, so the boxes its three rows use form one of six permutations; what survives of
// those permutations is read off a table, which gives the box's and the row's hidden singles
// without looking at single cells.
constexpr uint32_t kBanda = (1u << 27) - 1;
constexpr uint32_t kFila = 0x1FF;

constexpr uint32_t Columna(int c) {
    return (1u | 1u << 9 | 1u << 18) << c;
}

// The boxes (bit j for columns 3j..3j+2) a row's nine bits touch.
constexpr std::array<uint8_t, 512> kCajas = [] {
    std::array<uint8_t, 512> t{};
    for (unsigned x = 0; x < 512; ++x)
        for (int j = 0; j < 3; ++j)
            if (x >> (3 * j) & 7) t[x] |= static_cast<uint8_t>(1u << j);
    return t;
}();

constexpr int kPermutaciones[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                      {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// Indexed by the boxes of rows 0, 1 and 2 (three bits each): the cells of the band that some
// permutation of boxes to rows, within those, allows; 0 when none does.
constexpr std::array<uint32_t, 512> kPermitidas = [] {
    std::array<uint32_t, 512> t{};
    for (unsigned i = 0; i < 512; ++i)
        for (const auto& p : kPermutaciones) {
            uint32_t celdas = 0;
            bool cabe = true;
            for (int r = 0; r < 3; ++r) {
                cabe = cabe && (i >> (3 * r + p[r]) & 1);
                celdas |= 7u << (9 * r + 3 * p[r]);
            }
            if (cabe) t[i] |= celdas;
        }
    return t;
}();

// The same across the three bands, for the three columns of a stack: indexed and answered by bit
// 3 * band + column, the column's places in the band that some permutation of bands to columns
// allows.
constexpr std::array<uint16_t, 512> kPilas = [] {
    std::array<uint16_t, 512> t{};
    for (unsigned i = 0; i < 512; ++i)
        for (const auto& p : kPermutaciones) {
            unsigned bits = 0;
            for (int c = 0; c < 3; ++c)
                bits |= 1u << (3 * p[c] + c);
            if ((i & bits) == bits) t[i] |= static_cast<uint16_t>(bits);
        }
    return t;
}();

// The cells of its band that see a cell (row, box and column), itself left out.
constexpr std::array<uint32_t, 27> kVecinas = [] {
    std::array<uint32_t, 27> t{};
    for (int a = 0; a < 27; ++a)
        for (int b = 0; b < 27; ++b)
            if (a != b && (a / 9 == b / 9 || a % 9 == b % 9 || a % 9 / 3 == b % 9 / 3))
                t[a] |= 1u << b;
    return t;
}();

// The bits of three words of 27 bits, without the popcount instruction the build may lack (a
// library call there): the counts add up by nibble before the last step.
constexpr int Cuenta3(uint32_t x, uint32_t y, uint32_t z) {
    const auto pasos = [](uint32_t v) {
        v = v - (v >> 1 & 0x55555555);
        return (v & 0x33333333) + (v >> 2 & 0x33333333);
    };
    const uint32_t t = pasos(x) + pasos(y) + pasos(z); // nibbles up to 12
    return static_cast<int>(((t & 0x0F0F0F0F) + (t >> 4 & 0x0F0F0F0F)) * 0x01010101 >> 24);
}

struct Estado {
    std::array<uint32_t, 27> sitios; // [3 * digit + band], digits 0..8
    std::array<uint32_t, 3> libres;  // cells not yet given a digit
    uint32_t pendientes = 0;         // bit 3 * digit + band: its word changed since last looked at
    std::array<uint32_t, 9> columnas{}; // by digit, its columns in each band when Pilas last ran
};

class Resolutor : public Contador {
public:
    Resolutor(Veredicto& v, const Parada& p) : Contador(v, p) {}

    bool Preparar(const std::array<uint8_t, kCasillas>& fija, Estado& s) {
        s.sitios.fill(kBanda);
        s.libres.fill(kBanda);
        for (int k = 0; k < kCasillas; ++k)
            if (const int d = fija[k]; d >= 1 && d <= 9 && !Asignar(s, d - 1, k / 27, k % 27))
                return false;
        return true;
    }

    void Buscar(Estado& s);

private:
    static void Quitar(Estado& s, int i, uint32_t celdas) {
        const uint32_t antes = s.sitios[i], despues = antes & ~celdas;
        if (despues == antes) return;
        s.sitios[i] = despues;
        s.pendientes |= 1u << i;
    }

    // Digit d in cell `pos` of band b: it leaves the cell's peers, the other digits leave the
    // cell. False when d had already left it.
    static bool Asignar(Estado& s, int d, int b, int pos) {
        const uint32_t bit = 1u << pos;
        if (!(s.sitios[3 * d + b] & bit)) return false;
        s.libres[b] &= ~bit;
        for (int e = 0; e < 9; ++e)
            if (e != d) Quitar(s, 3 * e + b, bit);
        Quitar(s, 3 * d + b, kVecinas[pos]);
        for (int o = 0; o < 3; ++o)
            if (o != b) Quitar(s, 3 * d + o, Columna(pos % 9));
        return true;
    }

    static bool Banda(Estado& s, int i);
    static bool Pilas(Estado& s, int d);
    // At the end, `pares`: the cells of each band left with two digits.
    static bool Propagar(Estado& s, std::array<uint32_t, 3>& pares);
    void AnotarSolucion(const Estado& s);
};

// One digit in one band: what the permutations of boxes leave. A row down to one cell gives the
// digit that cell; the rest of its column in the band is in its box, which the permutations
// already took from the other rows, and the other bands are left to Pilas.
bool Resolutor::Banda(Estado& s, int i) {
    const int d = i / 3, b = i % 3;
    const uint32_t a =
        s.sitios[i] &
        kPermitidas[kCajas[s.sitios[i] & kFila] | kCajas[s.sitios[i] >> 9 & kFila] << 3 |
                    kCajas[s.sitios[i] >> 18] << 6];
    if (!a) return false;
    s.sitios[i] = a;
    const uint32_t f0 = a & kFila, f1 = a >> 9 & kFila, f2 = a >> 18;
    const uint32_t unicas = ((f0 & (f0 - 1)) ? 0 : f0) | ((f1 & (f1 - 1)) ? 0 : f1) << 9 |
                            ((f2 & (f2 - 1)) ? 0 : f2) << 18;
    if (const uint32_t nuevas = unicas & s.libres[b]) {
        s.libres[b] &= ~nuevas;
        for (int e = 0; e < 9; ++e)
            if (e != d) Quitar(s, 3 * e + b, nuevas);
    }
    return true;
}

// One digit across the bands: in each stack, the columns' bands are a permutation too.
bool Resolutor::Pilas(Estado& s, int d) {
    std::array<uint32_t, 3> columnas, permitidas{};
    for (int b = 0; b < 3; ++b) {
        const uint32_t a = s.sitios[3 * d + b];
        columnas[b] = (a | a >> 9 | a >> 18) & kFila;
    }
    // The same columns as last time leave the same places.
    const uint32_t todas = columnas[0] | columnas[1] << 9 | columnas[2] << 18;
    if (todas == s.columnas[d]) return true;
    s.columnas[d] = todas;
    for (int p = 0; p < 3; ++p) {
        const unsigned salen = kPilas[(columnas[0] >> 3 * p & 7) | (columnas[1] >> 3 * p & 7) << 3 |
                                      (columnas[2] >> 3 * p & 7) << 6];
        if (!salen) return false;
        for (int b = 0; b < 3; ++b)
            permitidas[b] |= (salen >> 3 * b & 7) << 3 * p;
    }
    for (int b = 0; b < 3; ++b)
        Quitar(s, 3 * d + b, (~permitidas[b] & kFila) * (1u | 1u << 9 | 1u << 18));
    return true;
}

bool Resolutor::Propagar(Estado& s, std::array<uint32_t, 3>& pares) {
    for (;;) {
        while (s.pendientes) {
            const int d = std::countr_zero(s.pendientes) / 3;
            const uint32_t bandas = s.pendientes >> 3 * d & 7;
            s.pendientes &= ~(7u << 3 * d);
            for (int b = 0; b < 3; ++b)
                if ((bandas >> b & 1) && !Banda(s, 3 * d + b)) return false;
            if (!Pilas(s, d)) return false;
        }
        // Cells down to one digit.
        for (int b = 0; b < 3; ++b) {
            uint32_t una = 0, dos = 0, tres = 0;
            for (int d = 0; d < 9; ++d) {
                const uint32_t x = s.sitios[3 * d + b];
                tres |= dos & x;
                dos |= una & x;
                una |= x;
            }
            if (s.libres[b] & ~una) return false;
            pares[b] = dos & ~tres & s.libres[b];
            const uint32_t solas = s.libres[b] & ~dos;
            if (!solas) continue;
            for (int d = 0; d < 9; ++d)
                for (uint32_t m = s.sitios[3 * d + b] & solas; m; m &= m - 1)
                    if (!Asignar(s, d, b, std::countr_zero(m))) return false;
        }
        if (!s.pendientes) return true;
    }
}

void Resolutor::AnotarSolucion(const Estado& s) {
    auto& destino = v_.soluciones == 0 ? v_.primera : v_.segunda;
    for (int i = 0; i < 27; ++i)
        for (uint32_t m = s.sitios[i]; m; m &= m - 1)
            destino[27 * (i % 3) + std::countr_zero(m)] = static_cast<uint8_t>(i / 3 + 1);
    ++v_.soluciones;
}

// Guesses on a cell with two digits where there is one (either way the other is its digit),
// else on one with the fewest; each digit but the last on a copy.
void Resolutor::Buscar(Estado& s) {
    for (;;) {
        std::array<uint32_t, 3> pares;
        if (!Seguir() || !Propagar(s, pares)) return;
        int banda = -1, pos = -1;
        {
            // Digits by their places in the grid, fewest first: the first cell to meet its
            // second digit has the fewest places for the worse of its two.
            if (pares[0] | pares[1] | pares[2]) {
                std::array<int, 9> orden, lugares;
                for (int d = 0; d < 9; ++d) {
                    lugares[d] = Cuenta3(s.sitios[3 * d], s.sitios[3 * d + 1], s.sitios[3 * d + 2]);
                    int i = d;
                    for (; i > 0 && lugares[orden[i - 1]] > lugares[d]; --i)
                        orden[i] = orden[i - 1];
                    orden[i] = d;
                }
                std::array<uint32_t, 3> vistos{};
                for (int i = 0; i < 9 && banda < 0; ++i)
                    for (int b = 0; b < 3; ++b) {
                        const uint32_t x = s.sitios[3 * orden[i] + b] & pares[b];
                        if (const uint32_t segundo = vistos[b] & x) {
                            banda = b;
                            pos = std::countr_zero(segundo);
                            break;
                        }
                        vistos[b] |= x;
                    }
            }
        }
        if (banda < 0) {
            int menos = 10;
            for (int b = 0; b < 3; ++b)
                for (uint32_t m = s.libres[b]; m; m &= m - 1) {
                    const int p = std::countr_zero(m);
                    int n = 0;
                    for (int d = 0; d < 9; ++d)
                        n += s.sitios[3 * d + b] >> p & 1;
                    if (n < menos) menos = n, banda = b, pos = p;
                }
            if (banda < 0) {
                AnotarSolucion(s);
                return;
            }
        }
        uint16_t digitos = 0;
        for (int d = 0; d < 9; ++d)
            if (s.sitios[3 * d + banda] >> pos & 1) digitos |= static_cast<uint16_t>(1u << d);
        for (; digitos & (digitos - 1); digitos &= digitos - 1) {
            ++v_.ramas;
            Estado hijo = s;
            if (Asignar(hijo, std::countr_zero(digitos), banda, pos)) Buscar(hijo);
            if (v_.soluciones >= 2 || parado_) return;
        }
        ++v_.ramas;
        if (!Asignar(s, std::countr_zero(digitos), banda, pos)) return;
    }
}

} // namespace

bool EsClasico(const Reglas& r) {
    for (const int8_t g : r.segmento)
        if (g >= 0 && g < kCasillas) return false;
    return true;
}

Veredicto JuzgarClasico(const std::array<uint8_t, kCasillas>& fija, const Parada& p) {
    return Correr<Resolutor, Estado>(fija, p);
}

} // namespace velmora
