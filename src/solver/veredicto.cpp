#include "solver/veredicto.h"

#include <algorithm>
#include <bit>
#include <span>
#include <vector>

#include "solver/combinaciones.h"

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

constexpr bool Unico(uint16_t c) {
    return (c & (c - 1)) == 0;
}

using Celdas = std::bitset<kCasillas>;

Celdas CeldasDe(int casa) {
    Celdas c;
    for (const int k : kCeldasCasa[casa])
        c.set(k);
    return c;
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

// Sums over cells that may repeat a digit are kept only when this small: larger ones prune
// little for their cost.
constexpr int kMaxSueltas = 6;
// Sets of at most this many cells are matched one to one with each digit set; larger ones
// only need every cell to have a digit of the set and the set to be covered.
constexpr int kMaxEmparejadas = 6;

// Cells whose digits add up to a sum. A segment is one; so are the sums the 45 of a region
// implies for the cells its whole segments leave over, or for the cells its cut segments put
// outside it.
struct Suma {
    static constexpr int kMaxCeldas = 16;
    std::array<uint8_t, kMaxCeldas> celdas{};
    int n = 0;
    int total = 0;
    bool distintas = true; // then n <= 9 and the fitting digit sets are `conjuntos`
    std::span<const uint16_t> conjuntos;
    // The houses holding every cell, and the cells of each house outside the sum.
    int numCasas = 0;
    std::array<std::array<uint8_t, 9>, 3> resto{};
    std::array<uint8_t, 3> numResto{};
};

struct Estado {
    std::array<uint16_t, kCasillas> cand;
    std::bitset<kCasillas> asignada; // single candidate, removed from every peer
    int numAsignadas = 0;
};

// A family of cell sets as 64 bits: bit S stands for the set S (a mask over a sum's cells).
// sin[i] is the family of the sets that lack cell i.
struct Subconjuntos {
    std::array<uint64_t, kMaxEmparejadas> sin{};
    constexpr Subconjuntos() {
        for (int i = 0; i < kMaxEmparejadas; ++i)
            for (unsigned c = 0; c < 64; ++c)
                if (!(c >> i & 1)) sin[i] |= uint64_t{1} << c;
    }
};
constexpr Subconjuntos kSub;

// Adds to `permitidos` each cell's digits of set c that some one-to-one matching of the cells
// with c's digits, within their candidates, gives it; false when there is no such matching.
bool Emparejar(const Suma& j, const Estado& s, uint16_t c, std::array<uint16_t, 9>& permitidos) {
    // Cells open to every digit of c cannot be part of a set of cells that needs all its
    // digits. When each closed cell has more digits than there are closed cells, no set of
    // cells is that tight, and every digit of every cell fits some matching. A single closed
    // cell is not checked either: a lone digit it must take leaves its peers anyway.
    int cerradas = 0, menor = 9;
    for (int i = 0; i < j.n; ++i) {
        const uint16_t m = s.cand[j.celdas[i]] & c;
        if (m == c) continue;
        ++cerradas;
        menor = std::min(menor, std::popcount(m));
    }
    if (cerradas <= 1 || (cerradas < j.n && menor > cerradas) || j.n > kMaxEmparejadas) {
        for (int i = 0; i < j.n; ++i)
            permitidos[i] |= s.cand[j.celdas[i]] & c;
        return true;
    }
    std::array<uint16_t, kMaxEmparejadas> admite; // by digit rank: the cells open to it
    int n = 0;
    for (uint16_t m = c; m; m &= m - 1, ++n) {
        admite[n] = 0;
        for (int i = 0; i < j.n; ++i)
            if (s.cand[j.celdas[i]] & m & -m) admite[n] |= static_cast<uint16_t>(1u << i);
    }
    // antes[t]: the cell sets that the t smallest digits fill one to one.
    std::array<uint64_t, kMaxEmparejadas + 1> antes{1};
    for (int t = 0; t < n; ++t)
        for (uint16_t a = admite[t]; a; a &= a - 1) {
            const int i = std::countr_zero(a);
            antes[t + 1] |= (antes[t] & kSub.sin[i]) << (1u << i);
        }
    const unsigned todas = (1u << n) - 1;
    if (!(antes[n] >> todas & 1)) return false;
    // despues: the sets S such that the digits from rank t on fill the cells outside S.
    uint64_t despues = uint64_t{1} << todas;
    uint16_t m = c;
    for (int t = n - 1; t >= 0; --t) {
        const uint16_t d = static_cast<uint16_t>(1u << (15 - std::countl_zero(m)));
        m &= ~d;
        uint64_t previo = 0;
        for (uint16_t a = admite[t]; a; a &= a - 1) {
            const int i = std::countr_zero(a);
            if (((antes[t] & kSub.sin[i]) << (1u << i)) & despues) permitidos[i] |= d;
            previo |= (despues & ~kSub.sin[i]) >> (1u << i);
        }
        despues = previo;
    }
    return true;
}

class Juez {
public:
    Juez(Veredicto& v, const Parada& p) : v_(v), parada_(p) { peso_.fill(1); }
    bool Parado() const { return parado_; }

    // False when the rules already leave no solution.
    bool Preparar(const Reglas& r, Estado& s);
    void Buscar(Estado& s);

private:
    bool Propagar(Estado& s);
    bool Ocultos(Estado& s);
    // With `fino`, each fitting digit set is also matched one to one with the cells.
    bool Conjuntos(const Suma& j, Estado& s, bool fino);
    bool Cotas(const Suma& j, Estado& s);
    bool Bloqueados(Estado& s);
    void Anotar(Suma j);
    // A sum the segments imply; false when it cannot be met.
    bool AnotarCeldas(const Celdas& celdas, int total);
    void Vecinos(int k, int p);
    void AnotarSolucion(const Estado& s);

    // Keeps the candidates of cell k that are in `c`; false when none is left. Every change
    // goes through here, so that the sums watching the cell are looked at again.
    bool Reducir(Estado& s, int k, uint16_t c) {
        const uint16_t antes = s.cand[k], despues = antes & c;
        if (despues == antes) return true;
        if (!despues) return false;
        s.cand[k] = despues;
        ++cambios_;
        if (Unico(despues)) pila_[npila_++] = static_cast<uint8_t>(k);
        for (const uint16_t j : vigilan_[k]) {
            if (!pendiente_[j]) {
                pendiente_[j] = true;
                cola_.push_back(j);
            }
            if (!pendienteFino_[j] && sumas_[j].distintas) {
                pendienteFino_[j] = true;
                colaFina_.push_back(j);
            }
        }
        return true;
    }

    // The cells of a rule that just failed weigh more when choosing where to guess.
    template <class C> bool Fallo(const C& celdas) {
        for (const int k : celdas)
            ++peso_[k];
        return false;
    }

    // Counts a unit of work; every few hundred, looks at the stop request and the limit.
    bool Seguir() {
        if (++trabajo_ % 256 != 0) return !parado_;
        if (parada_.ramas) parada_.ramas->store(v_.ramas, std::memory_order_relaxed);
        parado_ = parado_ || parada_.token.stop_requested() ||
                  (parada_.maxRamas > 0 && v_.ramas > parada_.maxRamas);
        return !parado_;
    }

    Veredicto& v_;
    const Parada& parada_;
    int64_t trabajo_ = 0;
    bool parado_ = false;
    std::array<int, kCasillas> peso_;
    std::vector<Suma> sumas_;
    std::vector<Celdas> anotadas_; // the cells of every sum, to add none twice
    std::array<std::vector<uint16_t>, kCasillas> vigilan_; // sums to look at when k changes
    // Sums to look at again, first cheaply, then with matching once the cheap rules rest.
    std::vector<bool> pendiente_, pendienteFino_;
    std::vector<uint16_t> cola_, colaFina_, ronda_;
    int64_t cambios_ = 0;
    std::array<std::array<uint8_t, 28>, kCasillas> vecinos_{}; // houses, then segment mates
    std::array<uint8_t, kCasillas> numVecinos_{};
    std::array<Celdas, kCasillas> sonVecinos_{};
    // Cells that became single and still have to leave their peers; each enters once.
    std::array<uint8_t, kCasillas> pila_{};
    int npila_ = 0;
};

void Juez::Vecinos(int k, int p) {
    if (p == k || sonVecinos_[k][p]) return;
    sonVecinos_[k][p] = true;
    vecinos_[k][numVecinos_[k]++] = static_cast<uint8_t>(p);
}

void Juez::Anotar(Suma j) {
    Celdas celdas;
    for (int i = 0; i < j.n; ++i)
        celdas.set(j.celdas[i]);
    Celdas vigiladas = celdas;
    for (int h = 0; h < kCasas && j.numCasas < 3; ++h) {
        if ((celdas & ~CeldasDe(h)).any()) continue;
        for (const int k : kCeldasCasa[h])
            if (!celdas[k]) j.resto[j.numCasas][j.numResto[j.numCasas]++] = static_cast<uint8_t>(k);
        ++j.numCasas;
        if (j.distintas) vigiladas |= CeldasDe(h);
    }
    if (j.distintas) j.conjuntos = Combinaciones(j.n, j.total);
    const auto indice = static_cast<uint16_t>(sumas_.size());
    for (int k = 0; k < kCasillas; ++k)
        if (vigiladas[k]) vigilan_[k].push_back(indice);
    anotadas_.push_back(celdas);
    sumas_.push_back(j);
}

bool Juez::AnotarCeldas(const Celdas& celdas, int total) {
    const int n = static_cast<int>(celdas.count());
    if (n == 0) return total == 0;
    if (n > Suma::kMaxCeldas) return true;
    for (const Celdas& c : anotadas_)
        if (c == celdas) return true;
    Suma j;
    for (int k = 0; k < kCasillas; ++k)
        if (celdas[k]) j.celdas[j.n++] = static_cast<uint8_t>(k);
    for (int a = 0; a < n; ++a)
        j.distintas = j.distintas && (celdas & ~sonVecinos_[j.celdas[a]]).count() == 1;
    if (total < (j.distintas ? n * (n + 1) / 2 : n) ||
        total > (j.distintas ? n * (19 - n) / 2 : 9 * n))
        return false;
    if (!j.distintas && n > kMaxSueltas) return true;
    j.total = total;
    Anotar(j);
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
        Celdas resto = region, fuera;
        int sumaResto = 45 * casas, sumaFuera = -45 * casas;
        for (int g = 0; g < reales; ++g) {
            const Celdas celdas = anotadas_[g];
            if ((celdas & region).none()) continue;
            sumaFuera += sumas_[g].total;
            if ((celdas & ~region).none()) {
                resto &= ~celdas;
                sumaResto -= sumas_[g].total;
            } else {
                fuera |= celdas & ~region;
            }
        }
        if (resto.count() < region.count() && !AnotarCeldas(resto, sumaResto)) return false;
        if ((region & ~enSegmento).none() && !AnotarCeldas(fuera, sumaFuera)) return false;
    }

    pendiente_.assign(sumas_.size(), true);
    pendienteFino_.assign(sumas_.size(), false);
    cola_.resize(sumas_.size());
    for (size_t j = 0; j < cola_.size(); ++j)
        cola_[j] = static_cast<uint16_t>(j);
    for (size_t j = 0; j < cola_.size(); ++j)
        if (sumas_[j].distintas) {
            pendienteFino_[j] = true;
            colaFina_.push_back(static_cast<uint16_t>(j));
        }
    return true;
}

bool Juez::Ocultos(Estado& s) {
    for (const auto& casa : kCeldasCasa) {
        uint16_t una = 0, varias = 0;
        for (const int k : casa) {
            varias |= una & s.cand[k];
            una |= s.cand[k];
        }
        if (una != kDigitos) return Fallo(casa); // a digit with no place left in the house
        const uint16_t solas = una & ~varias;
        if (!solas) continue;
        for (const int k : casa) {
            const uint16_t c = s.cand[k] & solas;
            if (!c || c == s.cand[k]) continue;
            if (!Unico(c)) return Fallo(casa); // one cell, two digits with nowhere else to go
            Reducir(s, k, c);
        }
    }
    return true;
}

bool Juez::Conjuntos(const Suma& j, Estado& s, bool fino) {
    // Digits that some house holding the cells can place nowhere else belong to the set.
    uint16_t obligados = 0;
    for (int e = 0; e < j.numCasas; ++e) {
        uint16_t fuera = 0;
        for (int i = 0; i < j.numResto[e]; ++i)
            fuera |= s.cand[j.resto[e][i]];
        obligados |= kDigitos & ~fuera;
    }
    std::array<uint16_t, 9> permitidos{};
    uint16_t comunes = kDigitos;
    bool alguno = false;
    for (const uint16_t c : j.conjuntos) {
        if ((c & obligados) != obligados) continue;
        uint16_t cubiertos = 0;
        int i = 0;
        for (; i < j.n; ++i) {
            const uint16_t m = s.cand[j.celdas[i]] & c;
            if (!m) break;
            cubiertos |= m;
        }
        if (i < j.n || cubiertos != c || (fino && !Emparejar(j, s, c, permitidos))) continue;
        if (!fino)
            for (i = 0; i < j.n; ++i)
                permitidos[i] |= s.cand[j.celdas[i]] & c;
        comunes &= c;
        alguno = true;
    }
    if (!alguno) return false;
    for (int i = 0; i < j.n; ++i)
        if (!Reducir(s, j.celdas[i], permitidos[i])) return false;
    // Digits of every fitting set go nowhere else in a house that holds all the cells.
    const auto fuera = static_cast<uint16_t>(~comunes);
    for (int e = 0; e < j.numCasas; ++e)
        for (int i = 0; i < j.numResto[e]; ++i)
            if (!Reducir(s, j.resto[e][i], fuera)) return false;
    return true;
}

// A sum over cells that may repeat a digit: each cell keeps the digits some choice of the
// others' candidates completes to the sum.
bool Juez::Cotas(const Suma& j, Estado& s) {
    using Alcanzables = std::bitset<9 * kMaxSueltas + 1>; // bit x: x can be made
    std::array<Alcanzables, kMaxSueltas + 1> desde;       // sums the first i cells can make
    desde[0].set(0);
    for (int i = 0; i < j.n; ++i) {
        desde[i + 1].reset();
        for (uint16_t c = s.cand[j.celdas[i]]; c; c &= c - 1)
            desde[i + 1] |= desde[i] << std::countr_zero(c);
    }
    if (!desde[j.n][j.total]) return false;
    Alcanzables completables; // partial sums of the first i cells that the others complete
    completables.set(j.total);
    for (int i = j.n - 1; i >= 0; --i) {
        Alcanzables antes;
        uint16_t apoyados = 0;
        for (uint16_t c = s.cand[j.celdas[i]]; c; c &= c - 1) {
            const int d = std::countr_zero(c);
            if (((desde[i] << d) & completables).any()) apoyados |= Bit(d);
            antes |= completables >> d;
        }
        completables = antes;
        if (!Reducir(s, j.celdas[i], apoyados)) return false;
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
            if (s.asignada[k]) continue;
            s.asignada[k] = true;
            ++s.numAsignadas;
            const auto otros = static_cast<uint16_t>(~s.cand[k]);
            for (int i = 0; i < numVecinos_[k]; ++i)
                if (!Reducir(s, vecinos_[k][i], otros))
                    return Fallo(std::array<uint8_t, 2>{static_cast<uint8_t>(k), vecinos_[k][i]});
        }
        const int64_t antes = cambios_;
        if (!Ocultos(s)) return false;
        if (cambios_ != antes) continue;
        if (!cola_.empty()) {
            ronda_.swap(cola_);
            cola_.clear();
            for (const uint16_t j : ronda_)
                pendiente_[j] = false;
            for (const uint16_t j : ronda_)
                if (!(sumas_[j].distintas ? Conjuntos(sumas_[j], s, false) : Cotas(sumas_[j], s)))
                    return Fallo(std::span(sumas_[j].celdas.data(), sumas_[j].n));
            continue;
        }
        if (!colaFina_.empty()) {
            ronda_.swap(colaFina_);
            colaFina_.clear();
            for (const uint16_t j : ronda_)
                pendienteFino_[j] = false;
            for (const uint16_t j : ronda_)
                if (!Conjuntos(sumas_[j], s, true))
                    return Fallo(std::span(sumas_[j].celdas.data(), sumas_[j].n));
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

void Juez::Buscar(Estado& s) {
    if (!Propagar(s)) return;
    if (s.numAsignadas == kCasillas) {
        AnotarSolucion(s);
        return;
    }
    // The fewest candidates for the most failures so far.
    int mejor = -1;
    for (int k = 0; k < kCasillas; ++k) {
        if (s.asignada[k]) continue;
        if (mejor < 0 ||
            std::popcount(s.cand[k]) * peso_[mejor] < std::popcount(s.cand[mejor]) * peso_[k])
            mejor = k;
    }
    for (uint16_t c = s.cand[mejor]; c && v_.soluciones < 2; c &= c - 1) {
        ++v_.ramas;
        if (!Seguir()) return;
        Estado hijo = s;
        npila_ = 0;
        for (const uint16_t j : cola_)
            pendiente_[j] = false;
        for (const uint16_t j : colaFina_)
            pendienteFino_[j] = false;
        cola_.clear();
        colaFina_.clear();
        Reducir(hijo, mejor, static_cast<uint16_t>(c & -c));
        Buscar(hijo);
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
    Veredicto v;
    Juez juez(v, p);
    Estado s;
    const bool antes = p.token.stop_requested();
    if (!antes && juez.Preparar(r, s)) juez.Buscar(s);
    if (antes || juez.Parado()) v.soluciones = -1;
    if (p.ramas) p.ramas->store(v.ramas, std::memory_order_relaxed);
    return v;
}

std::bitset<kCasillas> Diferencias(const Veredicto& v) {
    std::bitset<kCasillas> d;
    if (v.soluciones < 2) return d;
    for (int k = 0; k < kCasillas; ++k)
        d[k] = v.primera[k] != v.segunda[k];
    return d;
}

} // namespace velmora
