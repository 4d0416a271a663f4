#include "solver/veredicto.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

#include "solver/clasico.h"
#include "solver/combinaciones.h"
#include "solver/contador.h"

namespace velmora {

namespace {

constexpr int kCasas = 27; // rows 0..8, columns 9..17, boxes 18..26, as the board's use tables

constexpr std::array<std::array<uint8_t, 9>, kCasas> kCeldasCasa = [] {
    std::array<std::array<uint8_t, 9>, kCasas> c{};
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) {
            c[i][j] = static_cast<uint8_t>(9 * i + j);
            c[9 + i][j] = static_cast<uint8_t>(9 * j + i);
            c[18 + i][j] = static_cast<uint8_t>(27 * (i / 3) + 9 * (j / 3) + 3 * (i % 3) + j % 3);
        }
    return c;
}();

constexpr std::array<int, 3> CasasDe(int k) {
    const LineasCasilla l = kLineas[k];
    return {l.fila, l.col, l.cuad};
}

// Each cell's three houses, as bits.
constexpr std::array<uint32_t, kCasillas> kCasasCelda = [] {
    std::array<uint32_t, kCasillas> c{};
    for (int k = 0; k < kCasillas; ++k)
        for (const int h : CasasDe(k))
            c[k] |= 1u << h;
    return c;
}();

// Digits in a candidate set, by table: the machines this is built for may lack a popcount
// instruction, and the choice of a guess counts every cell.
constexpr std::array<uint8_t, 1024> kCuenta = [] {
    std::array<uint8_t, 1024> c{};
    for (unsigned m = 0; m < c.size(); ++m)
        c[m] = static_cast<uint8_t>(std::popcount(m));
    return c;
}();
inline int Cuenta(uint16_t c) {
    return kCuenta[c & 1023];
}

// x when b, else 0, by mask: the compiler keeps a branch for `b ? x : 0`, and where b follows no
// pattern that branch is mispredicted half the time.
template <class T> constexpr T Si(bool b, T x) {
    return static_cast<T>(x & -static_cast<T>(b));
}

constexpr bool Unico(uint16_t c) {
    return (c & (c - 1)) == 0;
}

// The lowest digit of a candidate set (shifted down by one), and the highest times 16.
const auto kExtremos = [] {
    std::array<uint8_t, 512> r{};
    for (unsigned m = 1; m < r.size(); ++m)
        r[m] = static_cast<uint8_t>(std::countr_zero(m) + 1 +
                                    16 * (16 - std::countl_zero(static_cast<uint16_t>(m))));
    return r;
}();

using Celdas = std::bitset<kCasillas>;

// The same in two words (cells 0..63, 64..80), for the loops that visit a set's cells.
using Mascara = std::array<uint64_t, 2>;
inline bool Tiene(const Mascara& m, int k) {
    return m[k >> 6] >> (k & 63) & 1;
}
inline void Poner(Mascara& m, int k) {
    m[k >> 6] |= uint64_t{1} << (k & 63);
}
inline void Quitar(Mascara& m, int k) {
    m[k >> 6] &= ~(uint64_t{1} << (k & 63));
}
Mascara MascaraDe(const Celdas& c) {
    Mascara m{};
    for (size_t k = c._Find_first(); k < c.size(); k = c._Find_next(k))
        Poner(m, static_cast<int>(k));
    return m;
}

Celdas CeldasDe(int casa) {
    static const std::array<Celdas, kCasas> celdas = [] {
        std::array<Celdas, kCasas> c;
        for (int h = 0; h < kCasas; ++h)
            for (const int k : kCeldasCasa[h])
                c[h].set(k);
        return c;
    }();
    return celdas[casa];
}

// Regions whose digits add up to 45 for each house they hold: every house, every run of two to
// eight adjacent rows or columns, two boxes side by side and four boxes in a square. Second:
// the number of houses.
const std::vector<std::pair<Celdas, int>>& Regiones() {
    static const std::vector<std::pair<Celdas, int>> regiones = [] {
        std::vector<std::pair<Celdas, int>> r;
        for (int h = 0; h < kCasas; ++h)
            r.emplace_back(CeldasDe(h), 1);
        for (int desde = 0; desde < 9; ++desde)
            for (int hasta = desde + 1; hasta < 9 && hasta - desde < 8; ++hasta) {
                Celdas filas, cols;
                for (int x = desde; x <= hasta; ++x) {
                    filas |= CeldasDe(x);
                    cols |= CeldasDe(9 + x);
                }
                r.emplace_back(filas, hasta - desde + 1);
                r.emplace_back(cols, hasta - desde + 1);
            }
        for (int b = 18; b < kCasas; ++b) {
            const int x = (b - 18) % 3, y = (b - 18) / 3;
            if (x < 2) r.emplace_back(CeldasDe(b) | CeldasDe(b + 1), 2);
            if (y < 2) r.emplace_back(CeldasDe(b) | CeldasDe(b + 3), 2);
            if (x < 2 && y < 2)
                r.emplace_back(CeldasDe(b) | CeldasDe(b + 1) | CeldasDe(b + 3) | CeldasDe(b + 4),
                               4);
        }
        return r;
    }();
    return regiones;
}

// Sums over cells that may repeat a digit are checked exactly (every reachable total) up to
// this many cells; longer ones cost more than they prune (measured on the benchmark sets), and
// are not kept.
constexpr int kMaxSueltas = 6;
// Sums of at most this many cells keep what their digit sets and matchings left, by the cells'
// candidates (63 bits); of longer ones, only segments are matched.
constexpr int kMaxEmparejadas = 6;

// Cells whose digits, each with sign +1 or -1, add up to a total. A segment is one; so are the
// sums the 45 of a region implies: the cells its whole segments leave over, the cells its cut
// segments put outside it, or, per cut segment, whichever side is smaller (the cells left
// inside with +, or those outside with -).
struct Suma {
    static constexpr int kMaxCeldas = 9;
    std::array<uint8_t, kMaxCeldas> celdas{};
    std::array<int8_t, kMaxCeldas> signo{};
    int n = 0;
    int total = 0;
    bool distintas = true; // all +1 and all peers: n <= 9 and the fitting sets are `conjuntos`
    std::span<const uint16_t> conjuntos;
    bool segmento = false; // a segment of the puzzle, not a sum it implies
    // The houses holding two or more of its cells, those holding every cell first (`numCasas`
    // of them, `numTocadas` in all), and of each the cells outside the sum: at most four houses
    // of each kind, and seven cells.
    int numCasas = 0, numTocadas = 0;
    std::array<std::array<uint8_t, 7>, 12> resto{};
    std::array<uint8_t, 12> numResto{};
    uint32_t ven = 0; // where its cells' sets of common peers start in Juez::ven_
};

static_assert(kMaxSueltas <= Suma::kMaxCeldas);

struct Estado {
    std::array<uint16_t, kCasillas> cand;
    Mascara asignada{};            // single candidate, removed from every peer
    std::array<Mascara, 10> con{}; // by digit, the cells that have it
    int numAsignadas = 0;
    std::array<uint16_t, kCasas> puestas{}; // by house, the digits of its cells in `asignada`
};

// Eight sets of cells at once, one per 16-bit lane (SSE2, which every x86-64 has).
typedef uint16_t Ocho __attribute__((vector_size(16)));
typedef int16_t OchoSi __attribute__((vector_size(16)));

// Lane l of word v stands for the set of cells 8v + l, up to six cells: whether it lacks cell
// i < 3 (the same in every word), its size, and, by number of cells n, whether it is a nonempty
// set of them (`cuenta`) and one that is not all of them either (`parte`), as all ones.
struct Carriles {
    std::array<Ocho, 3> sin{};
    std::array<Ocho, 8> tam{};
    std::array<std::array<Ocho, 8>, 7> cuenta{}, parte{};
};
const Carriles kCarriles = [] {
    Carriles c;
    for (int v = 0; v < 8; ++v)
        for (int l = 0; l < 8; ++l) {
            const int celdas = 8 * v + l;
            c.tam[v][l] = static_cast<uint16_t>(std::popcount(static_cast<unsigned>(celdas)));
            for (int i = 0; i < 3; ++i)
                c.sin[i][l] = celdas >> i & 1 ? 0 : 0xFFFF;
            for (int n = 1; n <= 6; ++n) {
                const int todas = (1 << n) - 1;
                c.cuenta[n][v][l] = celdas > 0 && celdas <= todas ? 0xFFFF : 0;
                c.parte[n][v][l] = celdas > 0 && celdas < todas ? 0xFFFF : 0;
            }
        }
    return c;
}();

// Ones in each lane, of up to nine bits.
Ocho Contar(Ocho x) {
    x = x - ((x >> 1) & 0x5555);
    x = (x & 0x3333) + ((x >> 2) & 0x3333);
    x = (x + (x >> 4)) & 0x0F0F;
    return (x + (x >> 8)) & 0x1F;
}

// The lanes' bits, or'ed.
uint16_t Unir(Ocho x) {
    uint64_t a, b;
    std::memcpy(&a, &x, 8);
    std::memcpy(&b, reinterpret_cast<const char*>(&x) + 8, 8);
    a |= b;
    a |= a >> 32;
    return static_cast<uint16_t>(a | a >> 16);
}

// EmparejarCeldas for N cells, every set of them at once.
template <int N>
bool EmparejarPocas(const std::array<uint16_t, 9>& cand, std::array<uint16_t, 9>& permitidos) {
    constexpr int kPalabras = N <= 3 ? 1 : 1 << (N - 3);
    std::array<Ocho, N> c;
    for (int i = 0; i < N; ++i)
        c[i] = Ocho{} + cand[i];
    // Cells 0-2 by lane, the others by word: word v holds cell 3 + b when bit b of v is set.
    constexpr int kLanes = N < 3 ? N : 3;
    Ocho abajo{};
    for (int i = 0; i < kLanes; ++i)
        abajo |= c[i] & ~kCarriles.sin[i];
    std::array<Ocho, kPalabras> justos; // the digits of each tight set
    Ocho faltan{};
    for (int v = 0; v < kPalabras; ++v) {
        Ocho digitos = abajo;
        for (int i = kLanes; i < N; ++i)
            if (v >> (i - kLanes) & 1) digitos |= c[i];
        // (Counts up to nine: signed compares, which SSE2 has.)
        const auto cuenta = reinterpret_cast<OchoSi>(Contar(digitos));
        const auto tam = reinterpret_cast<OchoSi>(kCarriles.tam[v]);
        faltan |= reinterpret_cast<Ocho>(cuenta < tam) & kCarriles.cuenta[N][v];
        justos[v] = reinterpret_cast<Ocho>(cuenta == tam) & kCarriles.parte[N][v] & digitos;
    }
    if (Unir(faltan)) return false;
    Ocho alguno{};
    for (int v = 0; v < kPalabras; ++v)
        alguno |= justos[v];
    for (int i = 0; i < N; ++i) {
        Ocho quitar = i < kLanes ? alguno & kCarriles.sin[i] : Ocho{};
        for (int v = 0; i >= kLanes && v < kPalabras; ++v)
            if (!(v >> (i - kLanes) & 1)) quitar |= justos[v];
        permitidos[i] |= cand[i] & ~Unir(quitar);
    }
    return true;
}

// Adds to `permitidos` each cell's digits (its candidates among the digits of one set, as
// many as the cells) that some one-to-one matching of the cells with those digits gives it; false
// when there is no such matching. By Hall's theorem, over every set of cells: there is none when
// a set has fewer digits than cells, and cell i cannot take digit d when a set of other cells is
// tight (as many digits among them as cells) and d is one of them.
bool EmparejarCeldas(const std::array<uint16_t, 9>& cand, int n,
                     std::array<uint16_t, 9>& permitidos) {
    static constexpr std::array kPocas = {&EmparejarPocas<1>, &EmparejarPocas<2>,
                                          &EmparejarPocas<3>, &EmparejarPocas<4>,
                                          &EmparejarPocas<5>, &EmparejarPocas<6>};
    if (n <= 6) return kPocas[n - 1](cand, permitidos);
    std::array<uint16_t, 512> digitos; // by set of cells, their digits
    digitos[0] = 0;
    std::array<uint16_t, 9> quitar{};
    const unsigned todas = (1u << n) - 1;
    for (unsigned celdas = 1; celdas <= todas; ++celdas) {
        digitos[celdas] = digitos[celdas & (celdas - 1)] | cand[std::countr_zero(celdas)];
        const int holgura = Cuenta(digitos[celdas]) - Cuenta(static_cast<uint16_t>(celdas));
        if (holgura < 0) return false;
        if (holgura == 0 && celdas != todas)
            for (unsigned fuera = todas & ~celdas; fuera; fuera &= fuera - 1)
                quitar[std::countr_zero(fuera)] |= digitos[celdas];
    }
    for (int i = 0; i < n; ++i)
        permitidos[i] |= cand[i] & ~quitar[i];
    return true;
}

// By size and total, the digit sets (Combinaciones, looked up once), at most twelve; also as two
// vector words of eight, padded with all ones, which no cell's candidates cover.
struct Juego {
    std::span<const uint16_t> lista;
    std::array<Ocho, 2> palabras;
};
const auto kConjuntos = [] {
    std::array<std::array<Juego, 46>, 10> t{};
    for (int n = 0; n <= 9; ++n)
        for (int total = 0; total <= 45; ++total) {
            Juego& j = t[n][total];
            if (n > 0) j.lista = Combinaciones(n, total);
            for (size_t i = 0; i < 16; ++i)
                j.palabras[i / 8][i % 8] = i < j.lista.size() ? j.lista[i] : 0xFFFF;
        }
    return t;
}();
const Ocho kUnoPorCarril = {1, 2, 4, 8, 16, 32, 64, 128};

// The cells of a sum of distinct digits not yet placed: a placed cell's digit has left every
// other cell of the sum, so the rest only has to make up what it leaves of the total, and is
// matched alone, which costs less.
struct Abiertas {
    int n = 0, total = 0, puestas = 0;
    std::array<uint16_t, 9> cand{};
    std::array<uint8_t, 9> indice{}; // of each in the sum
    const Juego* conjuntos = nullptr;
    bool emparejar = false; // matched one to one with the finer pass
};

bool Emparejar(const Abiertas& a, uint16_t c, std::array<uint16_t, 9>& permitidos) {
    // Cells open to every digit of c cannot be part of a set of cells that needs all its
    // digits. When each closed cell has more digits than there are closed cells, no set of
    // cells is that tight, and every digit of every cell fits some matching. A single closed
    // cell is not checked either: a lone digit it must take leaves its peers anyway.
    // (Placed cells count as closed cells of one digit.)
    std::array<uint16_t, 9> cand{};
    int cerradas = a.puestas, menor = a.puestas ? 1 : 9;
    uint16_t juntas = 0; // the closed cells' digits
    for (int i = 0; i < a.n; ++i) {
        cand[i] = a.cand[i] & c;
        const bool cerrada = cand[i] != c;
        cerradas += cerrada;
        menor = std::min(menor, Cuenta(cand[i]) | Si(!cerrada, 15));
        juntas |= Si(cerrada, cand[i]);
    }
    // (With as many digits as closed cells, only all of them together could be tight.)
    if ((cerradas <= 1) | ((cerradas < a.n + a.puestas) & (menor > cerradas)) |
        ((menor == cerradas) & (Cuenta(juntas) > cerradas))) {
        for (int i = 0; i < a.n; ++i)
            permitidos[i] |= cand[i];
        return true;
    }
    // Sums the segments imply rarely gain from the finer matching of seven to nine cells.
    if (!a.emparejar) {
        for (int i = 0; i < a.n; ++i)
            permitidos[i] |= cand[i];
        return true;
    }
    return EmparejarCeldas(cand, a.n, permitidos);
}

// The digits each cell keeps from the sets that fit (matched one to one with `fino`), and the
// digits all of them need; false when none fits.
bool Ajustar(const Abiertas& a, uint16_t obligados, bool fino, std::array<uint16_t, 9>& permitidos,
             uint16_t& comunes) {
    // The sets that fit, all at once and without branches (whether a set fits follows no
    // pattern): each has a digit in every cell, only digits the cells have, and the forced ones.
    const std::array<Ocho, 2>& conjuntos = a.conjuntos->palabras;
    std::array<Ocho, 2> vacias{}, cubiertos{};
    for (int i = 0; i < a.n; ++i)
        for (int w = 0; w < 2; ++w) {
            const Ocho m = conjuntos[w] & a.cand[i];
            vacias[w] |= reinterpret_cast<Ocho>(m == 0);
            cubiertos[w] |= m;
        }
    uint16_t bits = 0;
    for (int w = 0; w < 2; ++w) {
        const Ocho c = conjuntos[w];
        const Ocho si = reinterpret_cast<Ocho>(cubiertos[w] == c) & ~vacias[w] &
                        reinterpret_cast<Ocho>((c & obligados) == obligados);
        bits |= static_cast<uint16_t>(Unir(si & kUnoPorCarril) << 8 * w);
    }
    bool alguno = false;
    for (; bits; bits &= bits - 1) {
        const uint16_t c = a.conjuntos->lista[std::countr_zero(bits)];
        // A set that would add no digit to any cell nor take one from those all sets need
        // changes nothing, whether it matches or not.
        if (alguno && (comunes & c) == comunes) {
            uint16_t nuevos = 0;
            for (int i = 0; i < a.n; ++i)
                nuevos |= a.cand[i] & c & ~permitidos[i];
            if (!nuevos) continue;
        }
        if (fino && !Emparejar(a, c, permitidos)) continue;
        if (!fino)
            for (int i = 0; i < a.n; ++i)
                permitidos[i] |= a.cand[i] & c;
        comunes &= c;
        alguno = true;
    }
    return alguno;
}

class Juez : public Contador {
public:
    Juez(Veredicto& v, const Parada& p) : Contador(v, p) {}

    // False when the rules already leave no solution.
    bool Preparar(const Reglas& r, Estado& s);
    void Buscar(Estado& s);
    void Vaciar(); // forgets what was left to look at, as a branch starts or ends

private:
    bool Propagar(Estado& s);
    bool Ocultos(Estado& s);
    // With `fino`, each fitting digit set is also matched one to one with the cells.
    bool Conjuntos(const Suma& j, Estado& s, bool fino);
    bool ConjuntosCon(const Suma& j, Estado& s, bool fino, uint16_t obligados);
    bool Cotas(const Suma& j, Estado& s);
    bool Bloqueados(Estado& s);
    void Anotar(Suma j);
    // A sum the segments imply, the cells of `menos` with sign -1; false when it cannot be met.
    bool AnotarCeldas(const Celdas& celdas, int total, const Celdas& menos = {});
    void Vecinos(int k, int p);
    void AnotarSolucion(const Estado& s);
    struct Particion {
        int suma = -1;
        std::array<uint16_t, 2> conjuntos{};
        int64_t peso = 0; // its open cells' failures, and how many they are (none found: 0 / 1)
        int abiertas = 1;
    };
    Particion Partir(const Estado& s, Particion mejor) const;
    // Searches a copy of s with `celdas` kept to the digits of c; false once the verdict is
    // settled or stopped.
    template <class C> bool Rama(const Estado& s, const C& celdas, uint16_t c) {
        ++v_.ramas;
        Estado hijo = s;
        Vaciar();
        for (const int k : celdas)
            Reducir(hijo, k, c);
        Buscar(hijo);
        Vaciar();
        return v_.soluciones < 2 && !parado_;
    }

    // Keeps the candidates of cell k that are in `c`; false when none is left. Every change
    // goes through here, so that the sums watching the cell are looked at again.
    bool Reducir(Estado& s, int k, uint16_t c) {
        const uint16_t antes = s.cand[k], despues = antes & c;
        if (despues == antes) return true;
        if (!despues) return false;
        s.cand[k] = despues;
        for (uint16_t fuera = antes & ~despues; fuera; fuera &= fuera - 1)
            Quitar(s.con[std::countr_zero(fuera)], k);
        ++cambios_;
        sucias_ |= kCasasCelda[k];
        if (Unico(despues)) pila_[npila_++] = static_cast<uint8_t>(k);
        // A sum that may repeat digits is looked at again only when a cell's bounds move: inside
        // them a change prunes little, and a cell's last digit leaving always moves one, so a
        // sum is still checked once all its cells are single.
        const bool cotas = kExtremos[antes >> 1 & 511] != kExtremos[despues >> 1 & 511];
        const uint64_t* d = &despiertan_[(k * palabras_) * 3];
        for (int w = 0; w < palabras_; ++w, d += 3) {
            cola_[w] |= d[cotas ? 0 : 1];
            colaFina_[w] |= d[2];
        }
        return true;
    }

    // The cells of a rule that just failed weigh more when choosing where to guess: plain counts.
    // Letting old scores decay (recent failures counting more) made the search about 1.7 times
    // larger on published Killers of sixteen five-cell segments. Of its cells, the last eight to
    // become single on this path weigh eight times the others: they are what made it fail, and
    // guessed earlier they let the next such failure show higher up (on those Killers, in all
    // eight turns and mirrorings, a search 0.7 times the size; the cells placed long before are
    // shared by the whole subtree, and weighing them too gained less).
    template <class C> bool Fallo(const Estado& s, const C& celdas) {
        for (const int k : celdas)
            peso_[k] += Tiene(s.asignada, k) && cuando_[k] + 8 > s.numAsignadas ? 8 : 1;
        return false;
    }

    std::array<int64_t, kCasillas> peso_;
    // By single cell on the current path, how many cells were single once it was.
    std::array<int, kCasillas> cuando_{};
    uint32_t sucias_ = (1u << kCasas) - 1; // houses Ocultos has to look at
    std::vector<Suma> sumas_;
    std::unordered_set<size_t> vistas_;
    std::vector<Celdas> anotadas_, negativas_; // every sum's cells and those with -1: none twice
    // Sums to look at again, as bits by sum (in that order), first cheaply, then with matching once
    // the cheap rules rest. Sums with distinct digits take the finer pass, which does all the
    // cheaper one does. Only that one for those of more than kMaxEmparejadas cells that the
    // segments imply (not matched there either) and for segments of five cells or more: on
    // published Killers of five-cell segments, failures then show in the matching first, and the
    // search was a sixth smaller.
    int palabras_ = 0;
    std::vector<uint64_t> cola_, colaFina_, ronda_;
    // By cell and word, the sums it wakes: to the cheap pass when its bounds move, to the cheap
    // pass on any change (those with distinct digits), and to the finer pass on any change. Only
    // its own cells wake a sum up: the rest of its houses, which it also reads, change far more
    // often than that helps (measured on the benchmark sets). As bits, a change wakes them all in
    // a few words, where a list took a tenth of the verdict's time.
    std::vector<uint64_t> despiertan_;
    // By sum, what its cells kept and the digits its houses forced after its last look in this
    // branch. Looked at again with both the same (woken by its own changes), it changes nothing:
    // each fitting set still matches and nothing outside has gained a digit.
    struct Visto {
        uint32_t rama = 0; // 0: none
        bool fino = false;
        uint16_t obligados = 0;
        std::array<uint16_t, 9> cand{};
    };
    std::vector<Visto> vistos_;
    uint32_t rama_ = 1; // changes whenever the state may have grown back
    // Runs `regla` on each sum of the queue, emptied first; false at the first that fails.
    template <class R> bool Ronda(std::vector<uint64_t>& cola, Estado& s, R regla);
    int64_t cambios_ = 0;
    std::array<std::array<uint8_t, 28>, kCasillas> vecinos_{}; // houses, then segment mates
    std::array<uint8_t, kCasillas> numVecinos_{};
    std::array<Mascara, kCasillas> ve_{};                           // the same as bits
    std::array<std::array<uint8_t, kCasillas>, kCasillas> orden_{}; // of each in vecinos_
    // By sum and set of its cells (bit i: cell i), the cells outside it that see them all.
    std::vector<Mascara> ven_;
    // Cells that became single and still have to leave their peers; each enters once.
    std::array<uint8_t, kCasillas> pila_{};
    int npila_ = 0;
};

void Juez::Vecinos(int k, int p) {
    if (p == k || Tiene(ve_[k], p)) return;
    Poner(ve_[k], p);
    orden_[k][p] = numVecinos_[k];
    vecinos_[k][numVecinos_[k]++] = static_cast<uint8_t>(p);
}

void Juez::Anotar(Suma j) {
    Celdas celdas;
    uint32_t casas = 0;
    std::array<uint8_t, kCasas> dentro{};
    for (int i = 0; i < j.n; ++i) {
        celdas.set(j.celdas[i]);
        casas |= kCasasCelda[j.celdas[i]];
        for (const int h : CasasDe(j.celdas[i]))
            ++dentro[h];
    }
    // (Only sums of distinct digits read their houses. A digit whose one place in a house is
    // one cell is placed there anyway.)
    for (const bool enteras : {true, false})
        for (uint32_t m = j.distintas ? casas : 0; m; m &= m - 1) {
            const int h = std::countr_zero(m);
            if (dentro[h] < 2 || (dentro[h] == j.n) != enteras) continue;
            const int e = j.numTocadas++;
            for (const int k : kCeldasCasa[h])
                if (!celdas[k]) j.resto[e][j.numResto[e]++] = static_cast<uint8_t>(k);
            // Padded with its first cell: read seven at a time, with no branch on the count.
            for (int i = j.numResto[e]; j.numResto[e] && i < 7; ++i)
                j.resto[e][i] = j.resto[e][0];
            j.numCasas += enteras;
        }
    if (j.distintas) j.conjuntos = Combinaciones(j.n, j.total);
    anotadas_.push_back(celdas);
    negativas_.emplace_back();
    sumas_.push_back(j);
}

bool Juez::AnotarCeldas(const Celdas& celdas, int total, const Celdas& menos) {
    const Celdas todas = celdas | menos;
    const int n = static_cast<int>(todas.count());
    if (n == 0) return total == 0;
    bool distintas = menos.none() && n <= 9;
    const Mascara m = MascaraDe(celdas);
    for (size_t k = celdas._Find_first(); distintas && k < kCasillas; k = celdas._Find_next(k))
        distintas = std::popcount(m[0] & ~ve_[k][0]) + std::popcount(m[1] & ~ve_[k][1]) == 1;
    const int mas = n - static_cast<int>(menos.count());
    const int minimo = distintas ? n * (n + 1) / 2 : mas - 9 * (n - mas);
    const int maximo = distintas ? n * (19 - n) / 2 : 9 * mas - (n - mas);
    if (total < minimo || total > maximo) return false;
    if (!distintas && n > kMaxSueltas) return true;
    if (!vistas_.insert(std::hash<Celdas>{}(todas)*31 + std::hash<Celdas>{}(menos)).second)
        return true; // (a collision only loses a sum)
    Suma j;
    for (size_t k = todas._Find_first(); k < kCasillas; k = todas._Find_next(k)) {
        j.signo[j.n] = static_cast<int8_t>(menos[k] ? -1 : 1);
        j.celdas[j.n++] = static_cast<uint8_t>(k);
    }
    j.distintas = distintas;
    j.total = total;
    Anotar(j);
    negativas_.back() = menos;
    return true;
}

bool Juez::Preparar(const Reglas& r, Estado& s) {
    s.cand.fill(kDigitos);
    for (int k = 0; k < kCasillas; ++k) {
        for (const int h : CasasDe(k))
            for (const int p : kCeldasCasa[h])
                Vecinos(k, p);
        if (const int d = r.fija[k]; d >= 1 && d <= 9) {
            s.cand[k] = Bit(d);
            pila_[npila_++] = static_cast<uint8_t>(k);
        }
        for (uint16_t c = s.cand[k]; c; c &= c - 1)
            Poner(s.con[std::countr_zero(c)], k);
    }

    std::array<Suma, kCasillas> segmentos{};
    for (int k = 0; k < kCasillas; ++k) {
        const int g = r.segmento[k];
        if (g < 0 || g >= kCasillas) continue;
        Suma& j = segmentos[g];
        if (j.n == 9) return false; // more than nine cells cannot hold distinct digits
        j.celdas[j.n++] = static_cast<uint8_t>(k);
    }
    for (int g = 0; g < kCasillas; ++g) {
        Suma& j = segmentos[g];
        if (j.n == 0) continue;
        j.total = r.suma[g];
        if (j.total == 0) return false;
        j.segmento = true;
        Celdas celdas;
        for (int a = 0; a < j.n; ++a)
            celdas.set(j.celdas[a]);
        vistas_.insert(std::hash<Celdas>{}(celdas)*31 + std::hash<Celdas>{}(Celdas{}));
        for (int a = 0; a < j.n; ++a)
            for (int b = 0; b < j.n; ++b)
                Vecinos(j.celdas[a], j.celdas[b]);
        Anotar(j);
    }

    // The 45 of each house a region holds: the cells its whole segments leave over add up to
    // the rest, and when every cell of the region is in a segment, the cells its cut segments
    // put outside it add up to what all those segments have over the region's sum.
    const int reales = static_cast<int>(sumas_.size());
    Celdas enSegmento;
    for (int g = 0; g < reales; ++g)
        enSegmento |= anotadas_[g];
    for (const auto& [region, casas] : Regiones()) {
        // mixto: each cut segment by its smaller side, its cells inside with + (innies) or
        // outside with - (outies); ties go outside, as in a hidden segment.
        Celdas resto = region, fuera, mixto = region, menos;
        int sumaResto = 45 * casas, sumaFuera = -45 * casas, sumaMixta = 45 * casas;
        for (int g = 0; g < reales; ++g) {
            const Celdas celdas = anotadas_[g];
            if ((celdas & region).none()) continue;
            sumaFuera += sumas_[g].total;
            if ((celdas & ~region).none()) {
                resto &= ~celdas;
                mixto &= ~celdas;
                sumaResto -= sumas_[g].total;
                sumaMixta -= sumas_[g].total;
            } else {
                fuera |= celdas & ~region;
                if ((celdas & ~region).count() <= (celdas & region).count()) {
                    mixto &= ~celdas;
                    menos |= celdas & ~region;
                    sumaMixta -= sumas_[g].total;
                }
            }
        }
        if (resto.count() < region.count() && !AnotarCeldas(resto, sumaResto)) return false;
        if ((region & ~enSegmento).none() && !AnotarCeldas(fuera, sumaFuera)) return false;
        if (menos.any() && mixto.any() && !AnotarCeldas(mixto, sumaMixta, menos)) return false;
    }

    vistos_.assign(sumas_.size(), {});
    palabras_ = static_cast<int>((sumas_.size() + 63) / 64);
    for (auto* c : {&cola_, &colaFina_, &ronda_})
        c->assign(palabras_, 0);
    despiertan_.assign(static_cast<size_t>(kCasillas) * palabras_ * 3, 0);
    for (size_t j = 0; j < sumas_.size(); ++j) {
        const Suma& u = sumas_[j];
        const bool barata = !u.distintas || (u.segmento ? u.n < 5 : u.n <= kMaxEmparejadas);
        const bool fina = u.distintas;
        const size_t w = j / 64;
        const uint64_t bit = uint64_t{1} << (j % 64);
        if (barata) cola_[w] |= bit;
        if (fina) colaFina_[w] |= bit;
        for (int i = 0; i < u.n; ++i) {
            uint64_t* d = &despiertan_[(u.celdas[i] * palabras_ + w) * 3];
            if (barata) d[0] |= bit;
            if (barata && fina) d[1] |= bit;
            if (fina) d[2] |= bit;
        }
    }
    // Before any failure, the cells of the sums the segments imply weigh more, the more so the
    // shorter those sums (by 1 / cells, up to 32 more): that is where the 45 rule bites, and
    // guessed first they settle the rest sooner. On published Killers, in all eight turns and
    // mirrorings, a search 0.88 (sixteen five-cell segments) and 0.97 (3-5-cell ones) times the
    // size, and 0.4-0.85 times on the benchmark sets.
    std::array<int64_t, kCasillas> presion{};
    for (const Suma& u : sumas_)
        for (int i = 0; !u.segmento && i < u.n; ++i)
            presion[u.celdas[i]] += 2520 / u.n;
    const int64_t mayor = std::max<int64_t>(1, *std::max_element(presion.begin(), presion.end()));
    for (int k = 0; k < kCasillas; ++k)
        peso_[k] = 1 + (32 * presion[k] + mayor / 2) / mayor;
    for (Suma& u : sumas_) {
        if (!u.distintas) continue;
        u.ven = static_cast<uint32_t>(ven_.size());
        Mascara fuera = MascaraDe(Celdas().set());
        for (int i = 0; i < u.n; ++i)
            Quitar(fuera, u.celdas[i]);
        ven_.push_back(fuera);
        for (unsigned m = 1; m < 1u << u.n; ++m) {
            const Mascara& v = ve_[u.celdas[std::countr_zero(m)]];
            const Mascara& antes = ven_[u.ven + (m & (m - 1))];
            ven_.push_back({antes[0] & v[0], antes[1] & v[1]});
        }
    }
    return true;
}

template <class R> bool Juez::Ronda(std::vector<uint64_t>& cola, Estado& s, R regla) {
    std::swap(ronda_, cola);
    std::fill(cola.begin(), cola.end(), 0);
    for (int w = 0; w < palabras_; ++w)
        for (uint64_t m = ronda_[w]; m; m &= m - 1) {
            const Suma& u = sumas_[64 * w + std::countr_zero(m)];
            if (!regla(u)) return Fallo(s, std::span(u.celdas.data(), u.n));
        }
    return true;
}

bool Juez::Ocultos(Estado& s) {
    // A house whose cells have not changed since it was last looked at has nothing new to say.
    for (int h = 0; h < kCasas; ++h) {
        if (!(sucias_ >> h)) break;
        h += std::countr_zero(sucias_ >> h);
        sucias_ &= ~(1u << h);
        const auto& casa = kCeldasCasa[h];
        uint16_t una = 0, varias = 0;
        for (const int k : casa) {
            const uint16_t c = s.cand[k];
            varias |= una & c;
            una |= c;
        }
        if (una != kDigitos) return Fallo(s, casa); // a digit with no place left in the house
        // (A digit already placed is where it goes; the cells that became single since have
        // left their peers, and are skipped below.)
        const uint16_t solas = una & ~varias & ~s.puestas[h];
        if (!solas) continue;
        for (const int k : casa) {
            const uint16_t c = s.cand[k] & solas;
            if (!c || c == s.cand[k]) continue;
            if (!Unico(c)) return Fallo(s, casa); // one cell, two digits with nowhere else to go
            Reducir(s, k, c);
        }
    }
    return true;
}

__extension__ typedef unsigned __int128 Lugares;

// Digits 1..9 of a candidate set (shifted down by one) each moved to bit 9 * (digit - 1).
const std::array<Lugares, 512> kRepartir = [] {
    std::array<Lugares, 512> r{};
    for (unsigned m = 0; m < r.size(); ++m)
        for (int d = 0; d < 9; ++d)
            if (m >> d & 1) r[m] |= static_cast<Lugares>(1) << 9 * d;
    return r;
}();

bool Juez::Conjuntos(const Suma& j, Estado& s, bool fino) {
    // With every cell down to one digit (their peers already rid of it), only the total is
    // left to check.
    int total = 0;
    for (int i = 0; i < j.n && total >= 0; ++i) {
        const uint16_t c = s.cand[j.celdas[i]];
        total = Unico(c) ? total + std::countr_zero(c) : -1;
    }
    if (total >= 0) return total == j.total;
    // Digits that a house holding cells of the sum can place nowhere else belong to the set.
    uint16_t obligados = 0;
    if (j.segmento || j.n < 9)
        for (int e = 0; e < j.numTocadas; ++e) {
            uint16_t fuera = 0;
            for (int i = 0; j.numResto[e] && i < 7; ++i)
                fuera |= s.cand[j.resto[e][i]];
            obligados |= kDigitos & ~fuera;
        }
    Visto& v = vistos_[&j - sumas_.data()];
    int i = 0;
    if (v.rama == rama_ && v.fino >= fino && v.obligados == obligados)
        while (i < j.n && s.cand[j.celdas[i]] == v.cand[i])
            ++i;
    if (i == j.n) return true;
    if (!ConjuntosCon(j, s, fino, obligados)) return false;
    v.rama = rama_;
    v.fino = fino;
    v.obligados = obligados;
    for (i = 0; i < j.n; ++i)
        v.cand[i] = s.cand[j.celdas[i]];
    return true;
}

bool Juez::ConjuntosCon(const Suma& j, Estado& s, bool fino, uint16_t obligados) {
    uint16_t comunes = kDigitos;
    if (!j.segmento && j.n == 9) {
        // Nine cells that all see each other, as the 45 rule implies them, are a house: its one
        // set holds every digit and keeps every candidate. (The long way cost 3 % of the
        // instructions on published Killers of five-cell segments.)
        uint16_t unidos = 0;
        for (int i = 0; i < j.n; ++i)
            unidos |= s.cand[j.celdas[i]];
        if (unidos != kDigitos) return false;
    } else {
        Abiertas a;
        a.total = j.total;
        a.emparejar = j.segmento || j.n <= kMaxEmparejadas;
        uint16_t puestos = 0;
        for (int i = 0; i < j.n; ++i) {
            const int k = j.celdas[i];
            const uint16_t c = s.cand[k];
            const bool puesta = Tiene(s.asignada, k);
            puestos |= Si(puesta, c);
            a.total -= Si(puesta, std::countr_zero(c));
            a.puestas += puesta;
            a.indice[a.n] = static_cast<uint8_t>(i); // (written always, kept when open)
            a.cand[a.n] = c;
            a.n += !puesta;
        }
        if (a.total < 0 || a.total > 45) return false;
        a.conjuntos = &kConjuntos[a.n][a.total];
        std::array<uint16_t, 9> permitidos{};
        if (!Ajustar(a, obligados & ~puestos, fino, permitidos, comunes)) return false;
        // (Most checks keep every digit: one branch for all the cells.)
        uint16_t fuera = 0;
        for (int i = 0; i < a.n; ++i)
            fuera |= a.cand[i] & ~permitidos[i];
        for (int i = 0; fuera && i < a.n; ++i)
            if (!Reducir(s, j.celdas[a.indice[i]], permitidos[i])) return false;
    }
    // A digit every fitting set needs goes nowhere else in a house that holds all the cells;
    // more finely, it leaves each cell that sees all the places it has here.
    if (!fino) {
        const auto fuera = static_cast<uint16_t>(~comunes);
        for (int e = 0; e < j.numCasas; ++e)
            for (int i = 0; i < j.numResto[e]; ++i)
                if (!Reducir(s, j.resto[e][i], fuera)) return false;
        return true;
    }
    // (A cell already single cannot hold d: it would have left the sum's cells it sees.)
    if (!(comunes & kDigitos)) return true;
    // Where each digit d is, nine bits from 9 * (d - 1), all digits at once.
    Lugares lugares = 0;
    for (int i = 0; i < j.n; ++i)
        lugares |= kRepartir[s.cand[j.celdas[i]] >> 1 & 511] << i;
    for (uint16_t m = comunes & kDigitos; m; m &= m - 1) {
        const int d = std::countr_zero(m);
        const auto donde = static_cast<unsigned>(lugares >> 9 * (d - 1) & 511);
        const Mascara& ven = ven_[j.ven + donde];
        for (int w = 0; w < 2; ++w)
            for (uint64_t con = ven[w] & s.con[d][w] & ~s.asignada[w]; con; con &= con - 1)
                if (!Reducir(s, 64 * w + std::countr_zero(con), static_cast<uint16_t>(~Bit(d))))
                    return false;
    }
    return true;
}

// Candidate sets as read by a sum's cell with sign +1 ([0]: as they are) or -1 ([1]: each digit
// d moved to 10 - d). By table rather than by branch: the signs mix within a sum.
const auto kLeer = [] {
    std::array<std::array<uint16_t, 1024>, 2> r{};
    for (unsigned m = 0; m < 1024; ++m) {
        r[0][m] = static_cast<uint16_t>(m);
        for (int d = 1; d <= 9; ++d)
            if (m >> d & 1) r[1][m] |= static_cast<uint16_t>(Bit(10 - d));
    }
    return r;
}();

// A short sum over cells that may repeat a digit: each cell keeps the digits some choice of the
// others' candidates completes to the total. A subtracted digit d is read as 10 - d, less 10 on
// the total, so every term is 1..9 and the partial sums of six cells fit one word.
bool Juez::Cotas(const Suma& j, Estado& s) {
    std::array<uint16_t, kMaxSueltas> c;
    int total = j.total, bajo = 0, alto = 0, ancho = 0;
    for (int i = 0; i < j.n; ++i) {
        const bool menos = j.signo[i] < 0;
        c[i] = kLeer[menos][s.cand[j.celdas[i]] & 1023];
        total += 10 * menos;
        const int extremos = kExtremos[c[i] >> 1 & 511];
        const int menor = extremos & 15, mayor = extremos >> 4;
        bajo += menor;
        alto += mayor;
        ancho = std::max(ancho, mayor - menor);
    }
    if (total < bajo || total > alto) return false;
    // When the slack on both sides is at least any cell's span, bounds remove nothing, and only
    // a gap inside the cells' digits could; that is left for later, which costs little, as a sum
    // with every cell single is always checked exactly.
    if (total - bajo >= ancho && alto - total >= ancho) return true;
    static_assert(9 * kMaxSueltas < 64);
    std::array<uint64_t, kMaxSueltas + 1> desde{}; // sums the first i cells can make
    desde[0] = 1;
    for (int i = 0; i < j.n; ++i)
        for (uint16_t m = c[i]; m; m &= m - 1)
            desde[i + 1] |= desde[i] << std::countr_zero(m);
    if (!(desde[j.n] >> total & 1)) return false;
    // Partial sums of the first i cells that the others complete.
    uint64_t completables = uint64_t{1} << total;
    for (int i = j.n - 1; i >= 0; --i) {
        uint64_t antes = 0;
        uint16_t apoyados = 0;
        for (uint16_t m = c[i]; m; m &= m - 1) {
            const int d = std::countr_zero(m);
            if (desde[i] << d & completables) apoyados |= Bit(d);
            antes |= completables >> d;
        }
        completables = antes;
        if (!Reducir(s, j.celdas[i], kLeer[j.signo[i] < 0][apoyados])) return false;
    }
    return true;
}

// A digit that a box keeps to one row or column leaves the rest of that line, and one that a
// line keeps to one box leaves the rest of the box.
bool Juez::Bloqueados(Estado& s) {
    // Three-cell pieces: row f, columns 3t..3t+2 at [3f+t]; column c, rows 3t..3t+2 at [3c+t].
    std::array<uint16_t, 27> filas, cols;
    for (int a = 0; a < 9; ++a)
        for (int t = 0; t < 3; ++t) {
            const int f = 9 * a + 3 * t, c = 27 * t + a;
            filas[3 * a + t] = s.cand[f] | s.cand[f + 1] | s.cand[f + 2];
            cols[3 * a + t] = s.cand[c] | s.cand[c + 9] | s.cand[c + 18];
        }
    const auto quitar = [&](int k, uint16_t digitos) {
        return Reducir(s, k, static_cast<uint16_t>(~digitos));
    };
    for (int banda = 0; banda < 3; ++banda)
        for (int pila = 0; pila < 3; ++pila)
            for (int i = 0; i < 3; ++i) {
                // Row 3*banda+i and column 3*pila+i, where they cross box (banda, pila).
                const int f = 3 * banda + i, c = 3 * pila + i;
                const uint16_t pf = filas[3 * f + pila], pc = cols[3 * c + banda];
                const uint16_t cajaF = filas[3 * (3 * banda + (i + 1) % 3) + pila] |
                                       filas[3 * (3 * banda + (i + 2) % 3) + pila];
                const uint16_t lineaF =
                    filas[3 * f + (pila + 1) % 3] | filas[3 * f + (pila + 2) % 3];
                const uint16_t cajaC = cols[3 * (3 * pila + (i + 1) % 3) + banda] |
                                       cols[3 * (3 * pila + (i + 2) % 3) + banda];
                const uint16_t lineaC =
                    cols[3 * c + (banda + 1) % 3] | cols[3 * c + (banda + 2) % 3];
                const uint16_t soloLineaF = pf & ~cajaF, soloCajaF = pf & ~lineaF;
                const uint16_t soloLineaC = pc & ~cajaC, soloCajaC = pc & ~lineaC;
                if ((soloLineaF & lineaF) || (soloCajaF & cajaF))
                    for (int x = 0; x < 9; ++x) {
                        const int enCaja = 9 * (3 * banda + x / 3) + 3 * pila + x % 3;
                        if (x / 3 != pila && !quitar(9 * f + x, soloLineaF)) return false;
                        if (x / 3 != i && !quitar(enCaja, soloCajaF)) return false;
                    }
                if ((soloLineaC & lineaC) || (soloCajaC & cajaC))
                    for (int x = 0; x < 9; ++x) {
                        const int enCaja = 9 * (3 * banda + x % 3) + 3 * pila + x / 3;
                        if (x / 3 != banda && !quitar(9 * x + c, soloLineaC)) return false;
                        if (x / 3 != i && !quitar(enCaja, soloCajaC)) return false;
                    }
            }
    return true;
}

bool Juez::Propagar(Estado& s) {
    for (;;) {
        while (npila_ > 0) {
            const int k = pila_[--npila_];
            if (Tiene(s.asignada, k)) continue;
            Poner(s.asignada, k);
            cuando_[k] = ++s.numAsignadas;
            for (const int h : CasasDe(k))
                s.puestas[h] |= s.cand[k];
            // Only the peers that still have the digit, by bits. As if cleared in vecinos_
            // order: a failure is charged to the first peer left with the digit alone, and the
            // peers that become single are stacked in that order.
            const uint16_t digito = s.cand[k];
            const Mascara& d = s.con[std::countr_zero(digito)];
            const Mascara con = {ve_[k][0] & d[0], ve_[k][1] & d[1]};
            int falla = kCasillas;
            for (int w = 0; w < 2; ++w)
                for (uint64_t m = con[w]; m; m &= m - 1) {
                    const int p = 64 * w + std::countr_zero(m);
                    falla = std::min(falla, s.cand[p] == digito ? orden_[k][p] : kCasillas);
                }
            if (falla < kCasillas)
                return Fallo(s,
                             std::array<uint8_t, 2>{static_cast<uint8_t>(k), vecinos_[k][falla]});
            const int antes = npila_;
            for (int w = 0; w < 2; ++w)
                for (uint64_t m = con[w]; m; m &= m - 1)
                    Reducir(s, 64 * w + std::countr_zero(m), static_cast<uint16_t>(~digito));
            for (int i = antes + 1; i < npila_; ++i)
                for (int j = i; j > antes && orden_[k][pila_[j]] < orden_[k][pila_[j - 1]]; --j)
                    std::swap(pila_[j], pila_[j - 1]);
        }
        const int64_t antes = cambios_;
        if (!Ocultos(s)) return false;
        if (cambios_ != antes) continue;
        const auto hay = [](const std::vector<uint64_t>& c) {
            return std::any_of(c.begin(), c.end(), [](uint64_t w) { return w != 0; });
        };
        if (hay(cola_)) {
            if (!Ronda(cola_, s, [&](const Suma& u) {
                    return u.distintas ? Conjuntos(u, s, false) : Cotas(u, s);
                }))
                return false;
            continue;
        }
        if (hay(colaFina_)) {
            if (!Ronda(colaFina_, s, [&](const Suma& u) { return Conjuntos(u, s, true); }))
                return false;
            if (cambios_ != antes) continue;
        }
        if (!Bloqueados(s)) return false;
        if (cambios_ == antes) return true;
    }
}

void Juez::AnotarSolucion(const Estado& s) {
    auto& destino = v_.soluciones == 0 ? v_.primera : v_.segunda;
    for (int k = 0; k < kCasillas; ++k)
        destino[k] = static_cast<uint8_t>(std::countr_zero(s.cand[k]));
    ++v_.soluciones;
}

void Juez::Vaciar() {
    ++rama_;
    npila_ = 0;
    std::fill(cola_.begin(), cola_.end(), 0);
    std::fill(colaFina_.begin(), colaFina_.end(), 0);
}

// Of the sums of distinct digits with just two digit sets left that fit their cells'
// candidates, the one whose open cells failed most often on average, if that passes `mejor`'s
// average (no sum: -1).
Juez::Particion Juez::Partir(const Estado& s, Particion mejor) const {
    for (size_t j = 0; j < sumas_.size(); ++j) {
        const Suma& u = sumas_[j];
        if (!u.distintas) continue;
        Particion p;
        p.suma = static_cast<int>(j);
        p.abiertas = 0;
        uint16_t unidos = 0;
        for (int i = 0; i < u.n; ++i) {
            const int k = u.celdas[i];
            unidos |= s.cand[k];
            const bool abierta = !Tiene(s.asignada, k);
            p.peso += Si(abierta, peso_[k]);
            p.abiertas += abierta;
        }
        if (!p.abiertas || p.peso * mejor.abiertas <= mejor.peso * p.abiertas) continue;
        int n = 0;
        for (const uint16_t c : u.conjuntos) {
            if ((c & unidos) != c) continue;
            uint16_t cubiertos = 0;
            int i = 0;
            for (; i < u.n && (s.cand[u.celdas[i]] & c); ++i)
                cubiertos |= s.cand[u.celdas[i]] & c;
            if (i < u.n || cubiertos != c) continue;
            if (n < 2) p.conjuntos[n] = c;
            if (++n > 2) break;
        }
        if (n == 2) mejor = p;
    }
    return mejor;
}

// Tries one digit of one cell; when that branch is done (no solution there, or all of them
// counted), the digit leaves the cell, the rules are applied again and the next guess is
// chosen afresh from what they leave. A sum with two digit sets left may be split instead.
void Juez::Buscar(Estado& s) {
    for (;;) {
        if (!Seguir() || !Propagar(s)) return;
        if (s.numAsignadas == kCasillas) {
            AnotarSolucion(s);
            return;
        }
        // The most failures for the fewest candidates.
        int mejor = -1;
        for (int w = 0; w < 2; ++w)
            for (uint64_t m = ~s.asignada[w] & (w ? (uint64_t{1} << (kCasillas - 64)) - 1 : ~0ull);
                 m; m &= m - 1) {
                const int k = 64 * w + std::countr_zero(m);
                if (mejor < 0 ||
                    Cuenta(s.cand[k]) * peso_[mejor] < Cuenta(s.cand[mejor]) * peso_[k])
                    mejor = k;
            }
        // A sum's two sets go first when its open cells' failures, on average, pass the cell's
        // per candidate: the split weighs as a guess among one, as each set restricts all the
        // sum's cells at once. (On published Killers of five-cell segments, in all turns and
        // mirrorings, a search 0.84 times the size; splitting three sets as well, or weighing
        // the split as two, grew it on the 3-5-cell ones, up to fourfold.)
        if (const Particion p =
                Partir(s, {.peso = peso_[mejor], .abiertas = Cuenta(s.cand[mejor])});
            p.suma >= 0) {
            const std::span celdas(sumas_[p.suma].celdas.data(), sumas_[p.suma].n);
            if (!Rama(s, celdas, p.conjuntos[0])) return;
            for (const int k : celdas)
                Reducir(s, k, p.conjuntos[1]);
            continue;
        }
        const std::array celda{mejor};
        const auto digito = static_cast<uint16_t>(s.cand[mejor] & -s.cand[mejor]);
        if (!Rama(s, celda, digito)) return;
        if (sumas_.empty()) {
            // Without sums, going back over the rules after each failed digit costs more
            // than it saves: the cell's other digits are tried in turn.
            for (uint16_t c = s.cand[mejor] & ~digito; c; c &= c - 1)
                if (!Rama(s, celda, static_cast<uint16_t>(c & -c))) return;
            return;
        }
        if (!Reducir(s, mejor, static_cast<uint16_t>(~digito))) return;
    }
}

} // namespace

Reglas ReglasDe(const Tablero& t) {
    Reglas r;
    for (int k = 0; k < kCasillas; ++k) {
        // The search gives a cell of a segment without a sum no candidate, as sum 0 does here.
        if (const int g = t.CasillaSeg[k]; g >= 0 && g < kRegistros) {
            r.segmento[k] = static_cast<int8_t>(g);
            r.suma[g] = t.Segmentos[g].Suma;
        }
        if (t.EsFija(k)) r.fija[k] = t.Matriz[k];
    }
    return r;
}

Veredicto Juzgar(const Reglas& r, const Parada& p) {
    if (EsClasico(r)) return JuzgarClasico(r.fija, p);
    return Correr<Juez, Estado>(r, p);
}

std::bitset<kCasillas> Diferencias(const Veredicto& v) {
    std::bitset<kCasillas> d;
    if (v.soluciones < 2) return d;
    for (int k = 0; k < kCasillas; ++k)
        d[k] = v.primera[k] != v.segunda[k];
    return d;
}

} // namespace velmora
