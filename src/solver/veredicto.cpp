#include "solver/veredicto.h"

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

// The cell's place within each of its three houses.
constexpr int PosicionEn(int casa, int k) {
    const int f = k / 9, c = k % 9;
    return casa < 9 ? c : casa < 18 ? f : 3 * (f % 3) + c % 3;
}

constexpr std::array<int, 3> CasasDe(int k) {
    const LineasCasilla l = kLineas[k];
    return {l.fila, l.col, l.cuad};
}

constexpr bool Unico(uint16_t c) {
    return (c & (c - 1)) == 0;
}

// Cells whose digits add up to a sum. A segment is one; so are the sums the 45 of a house
// implies for the cells its whole segments leave over, or for the cells its cut segments put
// outside it.
struct Suma {
    static constexpr int kMaxCeldas = 16;
    std::array<uint8_t, kMaxCeldas> celdas{};
    int n = 0;
    int total = 0;
    bool distintas = true; // then n <= 9 and the fitting digit sets are `conjuntos`
    std::span<const uint16_t> conjuntos;
    // The houses holding every cell, and the cells' places in each.
    int numCasas = 0;
    std::array<uint8_t, 3> casa{};
    std::array<uint16_t, 3> dentro{};
};

struct Estado {
    std::array<uint16_t, kCasillas> cand;
    std::bitset<kCasillas> asignada; // single candidate, removed from every peer
    int numAsignadas = 0;
};

class Juez {
public:
    explicit Juez(Veredicto& v) : v_(v) {}

    // False when the board already rules every solution out.
    bool Preparar(const Tablero& t, Estado& s);
    void Buscar(Estado& s);

private:
    bool Propagar(Estado& s);
    bool Ocultos(Estado& s, bool& cambio);
    bool Conjuntos(const Suma& j, Estado& s, bool& cambio);
    bool Cotas(const Suma& j, Estado& s, bool& cambio);
    bool Bloqueados(Estado& s, bool& cambio);
    void Anotar(Suma j);
    void AnotarSoluciones(const Estado& s);

    // Keeps the candidates of cell k that are in `c`; false when none is left.
    bool Reducir(Estado& s, int k, uint16_t c, bool& cambio) {
        const uint16_t antes = s.cand[k], despues = antes & c;
        if (despues == antes) return true;
        if (!despues) return false;
        s.cand[k] = despues;
        cambio = true;
        if (Unico(despues)) pila_[npila_++] = static_cast<uint8_t>(k);
        return true;
    }

    Veredicto& v_;
    std::vector<Suma> sumas_;
    std::array<std::array<uint8_t, 28>, kCasillas> vecinos_{}; // houses, then segment mates
    std::array<uint8_t, kCasillas> numVecinos_{};
    std::array<bool, kCasillas * kCasillas> sonVecinos_{};
    // Cells that became single and still have to leave their peers; each enters once.
    std::array<uint8_t, kCasillas> pila_{};
    int npila_ = 0;
};

void Juez::Anotar(Suma j) {
    for (int h = 0; h < kCasas; ++h) {
        uint16_t dentro = 0;
        int i = 0;
        for (; i < j.n; ++i) {
            const auto casas = CasasDe(j.celdas[i]);
            if (casas[0] != h && casas[1] != h && casas[2] != h) break;
            dentro |= static_cast<uint16_t>(1u << PosicionEn(h, j.celdas[i]));
        }
        if (i < j.n || j.numCasas == 3) continue;
        j.casa[j.numCasas] = static_cast<uint8_t>(h);
        j.dentro[j.numCasas++] = dentro;
    }
    if (j.distintas) j.conjuntos = Combinaciones(j.n, j.total);
    sumas_.push_back(j);
}

bool Juez::Preparar(const Tablero& t, Estado& s) {
    s.cand.fill(kDigitos);
    for (int k = 0; k < kCasillas; ++k) {
        for (const int h : CasasDe(k))
            for (const int p : kCeldasCasa[h])
                if (p != k && !sonVecinos_[kCasillas * k + p]) {
                    sonVecinos_[kCasillas * k + p] = true;
                    vecinos_[k][numVecinos_[k]++] = static_cast<uint8_t>(p);
                }
        if (const int d = t.Matriz[k]; t.EsFija(k) && d >= 1 && d <= 9) {
            s.cand[k] = Bit(d);
            pila_[npila_++] = static_cast<uint8_t>(k);
        }
    }

    std::array<Suma, kRegistros> segmentos{};
    for (int k = 0; k < kCasillas; ++k) {
        const int g = t.CasillaSeg[k];
        if (g < 0 || g >= kRegistros) continue;
        Suma& j = segmentos[g];
        // More than nine cells cannot hold distinct digits.
        if (j.n == 9) return false;
        j.celdas[j.n++] = static_cast<uint8_t>(k);
    }
    std::array<int, kCasillas> segmentoDe;
    segmentoDe.fill(-1);
    for (int g = 0; g < kRegistros; ++g) {
        Suma& j = segmentos[g];
        if (j.n == 0) continue;
        // A segment without a sum leaves its cells no candidate in the search.
        j.total = t.Segmentos[g].Suma;
        if (j.total == 0) return false;
        for (int a = 0; a < j.n; ++a) {
            const int k = j.celdas[a];
            segmentoDe[k] = static_cast<int>(sumas_.size());
            for (int b = 0; b < j.n; ++b)
                if (const int p = j.celdas[b]; p != k && !sonVecinos_[kCasillas * k + p]) {
                    sonVecinos_[kCasillas * k + p] = true;
                    vecinos_[k][numVecinos_[k]++] = static_cast<uint8_t>(p);
                }
        }
        Anotar(j);
    }

    // The 45 of each house: the cells its whole segments leave over add up to the rest, and
    // the cells its cut segments put outside it add up to what all those segments have over 45.
    const int reales = static_cast<int>(sumas_.size());
    for (int h = 0; h < kCasas; ++h) {
        std::array<uint8_t, kRegistros> parte{}; // 1 inside the house, 2 cut by it
        for (int g = 0; g < reales; ++g)
            for (int e = 0; e < sumas_[g].numCasas; ++e)
                if (sumas_[g].casa[e] == h) parte[g] = 1;
        Suma resto, fuera;
        resto.total = 45;
        fuera.total = -45;
        bool cubierta = true; // every cell of the house in a segment
        for (const int k : kCeldasCasa[h]) {
            const int g = segmentoDe[k];
            if (g < 0)
                cubierta = false;
            else if (parte[g] == 1)
                continue;
            else
                parte[g] = 2;
            resto.celdas[resto.n++] = static_cast<uint8_t>(k);
        }
        bool cabe = true;
        for (int g = 0; g < reales; ++g) {
            if (parte[g] == 0) continue;
            fuera.total += sumas_[g].total;
            if (parte[g] == 1) {
                resto.total -= sumas_[g].total;
                continue;
            }
            for (int i = 0; i < sumas_[g].n; ++i) {
                const int k = sumas_[g].celdas[i];
                const auto casas = CasasDe(k);
                if (casas[0] == h || casas[1] == h || casas[2] == h) continue;
                if (fuera.n == Suma::kMaxCeldas) cabe = false;
                if (cabe) fuera.celdas[fuera.n++] = static_cast<uint8_t>(k);
            }
        }
        if (resto.n > 0 && resto.n < 9) Anotar(resto);
        if (!cubierta || !cabe || fuera.n == 0) continue;
        for (int a = 0; a < fuera.n; ++a)
            for (int b = 0; b < fuera.n; ++b)
                if (a != b && !sonVecinos_[kCasillas * fuera.celdas[a] + fuera.celdas[b]])
                    fuera.distintas = false;
        if (fuera.distintas && fuera.n > 9) return false;
        Anotar(fuera);
    }
    return true;
}

bool Juez::Ocultos(Estado& s, bool& cambio) {
    for (const auto& casa : kCeldasCasa) {
        uint16_t una = 0, varias = 0;
        for (const int k : casa) {
            varias |= una & s.cand[k];
            una |= s.cand[k];
        }
        if (una != kDigitos) return false; // a digit with no place left in the house
        const uint16_t solas = una & ~varias;
        if (!solas) continue;
        for (const int k : casa) {
            const uint16_t c = s.cand[k] & solas;
            if (!c || c == s.cand[k]) continue;
            if (!Unico(c)) return false; // one cell, two digits that have nowhere else to go
            s.cand[k] = c;
            pila_[npila_++] = static_cast<uint8_t>(k);
            cambio = true;
        }
    }
    return true;
}

bool Juez::Conjuntos(const Suma& j, Estado& s, bool& cambio) {
    // Digits that some house holding the cells can place nowhere else belong to the set.
    uint16_t obligados = 0;
    for (int e = 0; e < j.numCasas; ++e) {
        uint16_t resto = 0;
        for (int i = 0; i < 9; ++i)
            if (!(j.dentro[e] >> i & 1)) resto |= s.cand[kCeldasCasa[j.casa[e]][i]];
        obligados |= kDigitos & ~resto;
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
        if (i < j.n || cubiertos != c) continue;
        for (i = 0; i < j.n; ++i)
            permitidos[i] |= s.cand[j.celdas[i]] & c;
        comunes &= c;
        alguno = true;
    }
    if (!alguno) return false;
    for (int i = 0; i < j.n; ++i)
        if (!Reducir(s, j.celdas[i], permitidos[i], cambio)) return false;
    // Digits of every fitting set go nowhere else in a house that holds all the cells.
    const auto fuera = static_cast<uint16_t>(~comunes);
    for (int e = 0; e < j.numCasas; ++e)
        for (int i = 0; i < 9; ++i)
            if (!(j.dentro[e] >> i & 1) && !Reducir(s, kCeldasCasa[j.casa[e]][i], fuera, cambio))
                return false;
    return true;
}

// A sum over cells that may repeat a digit: each cell within what the others leave.
bool Juez::Cotas(const Suma& j, Estado& s, bool& cambio) {
    int minimo = 0, maximo = 0;
    for (int i = 0; i < j.n; ++i) {
        const uint16_t c = s.cand[j.celdas[i]];
        minimo += std::countr_zero(c);
        maximo += std::bit_width(c) - 1;
    }
    if (j.total < minimo || j.total > maximo) return false;
    for (int i = 0; i < j.n; ++i) {
        const uint16_t c = s.cand[j.celdas[i]];
        const int bajo = j.total - (maximo - (std::bit_width(c) - 1));
        const int alto = j.total - (minimo - std::countr_zero(c));
        if (!Reducir(s, j.celdas[i], Hasta(alto) & ~Hasta(bajo - 1), cambio)) return false;
    }
    return true;
}

// A digit that a box keeps to one row or column leaves the rest of that line, and one that a
// line keeps to one box leaves the rest of the box.
bool Juez::Bloqueados(Estado& s, bool& cambio) {
    // Three-cell pieces: row f, columns 3t..3t+2 at [3f+t]; column c, rows 3t..3t+2 at [3c+t].
    std::array<uint16_t, 27> filas, cols;
    for (int a = 0; a < 9; ++a)
        for (int t = 0; t < 3; ++t) {
            const int f = 9 * a + 3 * t, c = 27 * t + a;
            filas[3 * a + t] = s.cand[f] | s.cand[f + 1] | s.cand[f + 2];
            cols[3 * a + t] = s.cand[c] | s.cand[c + 9] | s.cand[c + 18];
        }
    for (int banda = 0; banda < 3; ++banda)
        for (int pila = 0; pila < 3; ++pila)
            for (int i = 0; i < 3; ++i) {
                // Row piece: row 3*banda+i in box (banda, pila); column piece: column
                // 3*pila+i in the same box.
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
                const uint16_t quitarLineaF = pf & ~cajaF, quitarCajaF = pf & ~lineaF;
                const uint16_t quitarLineaC = pc & ~cajaC, quitarCajaC = pc & ~lineaC;
                if ((quitarLineaF & lineaF) || (quitarCajaF & cajaF))
                    for (int x = 0; x < 9; ++x) {
                        const int enLinea = 9 * f + x;
                        const int enCaja = 9 * (3 * banda + x / 3) + 3 * pila + x % 3;
                        if (x / 3 != pila &&
                            !Reducir(s, enLinea, static_cast<uint16_t>(~quitarLineaF), cambio))
                            return false;
                        if (x / 3 != i &&
                            !Reducir(s, enCaja, static_cast<uint16_t>(~quitarCajaF), cambio))
                            return false;
                    }
                if ((quitarLineaC & lineaC) || (quitarCajaC & cajaC))
                    for (int x = 0; x < 9; ++x) {
                        const int enLinea = 9 * x + c;
                        const int enCaja = 9 * (3 * banda + x % 3) + 3 * pila + x / 3;
                        if (x / 3 != banda &&
                            !Reducir(s, enLinea, static_cast<uint16_t>(~quitarLineaC), cambio))
                            return false;
                        if (x / 3 != i &&
                            !Reducir(s, enCaja, static_cast<uint16_t>(~quitarCajaC), cambio))
                            return false;
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
            const uint16_t d = s.cand[k];
            for (int i = 0; i < numVecinos_[k]; ++i) {
                const int p = vecinos_[k][i];
                if (!(s.cand[p] & d)) continue;
                const uint16_t c = s.cand[p] & ~d;
                if (!c) return false;
                s.cand[p] = c;
                if (Unico(c)) pila_[npila_++] = static_cast<uint8_t>(p);
            }
        }
        bool cambio = false;
        if (!Ocultos(s, cambio)) return false;
        if (cambio) continue;
        for (const Suma& j : sumas_)
            if (!(j.distintas ? Conjuntos(j, s, cambio) : Cotas(j, s, cambio))) return false;
        if (cambio) continue;
        if (!Bloqueados(s, cambio)) return false;
        if (!cambio) return true;
    }
}

void Juez::AnotarSoluciones(const Estado& s) {
    auto& destino = v_.soluciones == 0 ? v_.primera : v_.segunda;
    for (int k = 0; k < kCasillas; ++k)
        destino[k] = static_cast<uint8_t>(std::countr_zero(s.cand[k]));
    ++v_.soluciones;
}

void Juez::Buscar(Estado& s) {
    if (!Propagar(s)) return;
    if (s.numAsignadas == kCasillas) {
        AnotarSoluciones(s);
        return;
    }
    int mejor = -1, menos = 10;
    for (int k = 0; k < kCasillas && menos > 2; ++k) {
        if (s.asignada[k]) continue;
        const int n = std::popcount(s.cand[k]);
        if (n < menos) {
            menos = n;
            mejor = k;
        }
    }
    for (uint16_t c = s.cand[mejor]; c && v_.soluciones < 2; c &= c - 1) {
        ++v_.ramas;
        Estado hijo = s;
        hijo.cand[mejor] = static_cast<uint16_t>(c & -c);
        npila_ = 0;
        pila_[npila_++] = static_cast<uint8_t>(mejor);
        Buscar(hijo);
    }
}

} // namespace

Veredicto Juzgar(const Tablero& t) {
    Veredicto v;
    Juez juez(v);
    Estado s;
    if (juez.Preparar(t, s)) juez.Buscar(s);
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
