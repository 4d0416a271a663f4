// velmora-generar-veredicto: makes the puzzles of the verdict's benchmark, one line each (see
// tests/support/lineas.h), on stdout.
//
//   killer CANTIDAD SEMILLA [--minimo M] [--tope T] [--tamano N] [--jaulas J] [--parcial P]
//     Killers with exactly one solution: a random solved grid, relabelled so that its first row
//     reads 9..1 when --minimo is given (the search tries digits upwards from the first cell),
//     starts as 81 one-cell segments; neighbouring segments are merged in random order, up to N
//     cells each (5), as long as the puzzle keeps a single solution, until J segments are left
//     or no merge keeps it unique. --parcial then drops up to P segments, each only if the
//     solution stays unique. The line's note is the search's move count, or ">T" past T moves
//     (1e9); with --minimo only puzzles of at least M are kept.
//   grandes CANTIDAD SEMILLA [--intentos N] [--tope T] [--cuatro P] [--pasos S]
//     Killers of 5-cell segments (P% of them 4-cell instead) and at most one single cell, no
//     givens: random tilings of a random solved grid, up to S (300) swaps of cells between
//     neighbouring segments where two solutions differ; up to N tries, the first CANTIDAD the
//     verdict proves unique within T branches (200000), the count as the line's note. Choosing the
//     hardest is left to velmora-bench-veredicto --detalle.
//   clasico CANTIDAD SEMILLA [--intentos N]
//     Minimal classic puzzles (no given can go); of N made, the CANTIDAD that took the verdict
//     the most guesses.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "lineas.h"
#include "model/busqueda.h"
#include "solver/veredicto.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
using Azar = std::mt19937_64;

int Uso() {
    std::fprintf(stderr,
                 "Uso: velmora-generar-veredicto killer CANTIDAD SEMILLA [--minimo M] "
                 "[--tope T] [--tamano N] [--jaulas J] [--parcial P]\n"
                 "     velmora-generar-veredicto grandes CANTIDAD SEMILLA [--intentos N] "
                 "[--tope T] [--cuatro P] [--pasos S]\n"
                 "     velmora-generar-veredicto clasico CANTIDAD SEMILLA [--intentos N]\n");
    return 64;
}

std::array<uint8_t, kCasillas> RejillaAlAzar(Azar& azar) {
    std::array<uint8_t, kCasillas> r{};
    std::array<uint16_t, 27> usado{};
    std::array<std::array<uint8_t, 9>, kCasillas> orden;
    for (auto& o : orden) {
        std::iota(o.begin(), o.end(), 1);
        std::shuffle(o.begin(), o.end(), azar);
    }
    std::array<int, kCasillas> intento{};
    for (int k = 0; k < kCasillas;) {
        const LineasCasilla l = kLineas[k];
        if (r[k]) {
            for (const int x : {l.fila, l.col, l.cuad})
                usado[x] &= ~Bit(r[k]);
            r[k] = 0;
        }
        while (intento[k] < 9) {
            const int d = orden[k][intento[k]++];
            if ((usado[l.fila] | usado[l.col] | usado[l.cuad]) & Bit(d)) continue;
            r[k] = static_cast<uint8_t>(d);
            for (const int x : {l.fila, l.col, l.cuad})
                usado[x] |= Bit(d);
            break;
        }
        if (r[k]) {
            ++k;
        } else {
            intento[k] = 0;
            --k;
        }
    }
    return r;
}

Veredicto JuzgarEnunciado(const Enunciado& e) {
    Tablero t;
    if (Validar(t, e)) return {};
    return velmora::Juzgar(t);
}

Veredicto JuzgarSegmentos(const std::array<uint8_t, kCasillas>& rejilla,
                          const std::vector<std::vector<int>>& segmentos) {
    Reglas r;
    for (size_t s = 0; s < segmentos.size(); ++s)
        for (const int k : segmentos[s]) {
            r.segmento[k] = static_cast<int8_t>(s);
            r.suma[s] = static_cast<uint8_t>(r.suma[s] + rejilla[k]);
        }
    return velmora::Juzgar(r);
}

Enunciado KillerDe(const std::array<uint8_t, kCasillas>& rejilla,
                   const std::vector<std::vector<int>>& segmentos) {
    Enunciado e;
    e.killer = true;
    int i = 0;
    for (const auto& celdas : segmentos) {
        if (celdas.empty()) continue;
        int suma = 0;
        for (const int k : celdas) {
            suma += rejilla[k];
            e.segmento[k] = static_cast<int8_t>(i);
        }
        e.sumas[i++] = std::to_string(suma);
    }
    return e;
}

// The search's move count, or -1 when it passes `tope`.
int64_t Movimientos(const Enunciado& e, int64_t tope) {
    struct ConTope {
        Tablero& t;
        int64_t tope;
        ModoCalculo Modo() const { return ModoCalculo::Rapido; }
        bool Ceder() {
            t.Cancelado = t.Movimientos > tope;
            return false;
        }
        void MostrarMatriz() {}
    };
    Tablero t;
    if (Validar(t, e)) return -1;
    Progreso p;
    ConTope anfitrion{t, tope};
    return Buscar(t, p, anfitrion).final == Final::Resuelto ? t.Movimientos : -1;
}

std::optional<Enunciado> Killer(Azar& azar, int tamano, int jaulas, bool descendente, int parcial) {
    std::array<uint8_t, kCasillas> rejilla = RejillaAlAzar(azar);
    if (descendente) {
        std::array<uint8_t, 10> nuevo{};
        for (int c = 0; c < 9; ++c)
            nuevo[rejilla[c]] = static_cast<uint8_t>(9 - c);
        for (uint8_t& d : rejilla)
            d = nuevo[d];
    }
    std::vector<std::vector<int>> segmentos(kCasillas);
    std::array<int, kCasillas> de;
    for (int k = 0; k < kCasillas; ++k) {
        segmentos[k] = {k};
        de[k] = k;
    }
    std::vector<std::pair<int, int>> vecinas;
    for (int k = 0; k < kCasillas; ++k) {
        if (k % 9 < 8) vecinas.push_back({k, k + 1});
        if (k < 72) vecinas.push_back({k, k + 9});
    }
    int quedan = kCasillas;
    for (bool unida = true; unida && quedan > jaulas;) {
        unida = false;
        std::shuffle(vecinas.begin(), vecinas.end(), azar);
        for (const auto& [a, b] : vecinas) {
            const int sa = de[a], sb = de[b];
            if (quedan == jaulas) break;
            if (sa == sb || segmentos[sa].size() + segmentos[sb].size() > size_t(tamano)) continue;
            uint16_t digitos = 0;
            bool distintos = true;
            for (const int s : {sa, sb})
                for (const int k : segmentos[s]) {
                    distintos = distintos && !(digitos & Bit(rejilla[k]));
                    digitos |= Bit(rejilla[k]);
                }
            if (!distintos) continue;
            const std::vector<int> antes = segmentos[sb];
            segmentos[sa].insert(segmentos[sa].end(), antes.begin(), antes.end());
            segmentos[sb].clear();
            if (JuzgarSegmentos(rejilla, segmentos).soluciones == 1) {
                for (const int k : antes)
                    de[k] = sa;
                unida = true;
                --quedan;
            } else {
                segmentos[sb] = antes;
                segmentos[sa].resize(segmentos[sa].size() - antes.size());
            }
        }
    }
    if (parcial > 0) {
        std::vector<int> orden(kCasillas);
        std::iota(orden.begin(), orden.end(), 0);
        std::shuffle(orden.begin(), orden.end(), azar);
        for (const int s : orden) {
            if (segmentos[s].empty() || parcial == 0) continue;
            const std::vector<int> antes = std::move(segmentos[s]);
            segmentos[s].clear();
            if (JuzgarSegmentos(rejilla, segmentos).soluciones == 1)
                --parcial;
            else
                segmentos[s] = antes;
        }
    }
    const auto usados =
        std::count_if(segmentos.begin(), segmentos.end(), [](const auto& s) { return !s.empty(); });
    if (usados > kSegmentos) return std::nullopt;
    return KillerDe(rejilla, segmentos);
}

// Segments of five neighbouring cells with distinct digits (`cuatro`% of them four) and at most
// one single cell, or nothing when the random growth gets stuck. Each segment starts at the open
// cell with the fewest open neighbours, so that no cell is left cut off.
std::optional<std::vector<std::vector<int>>>
Teselas(Azar& azar, const std::array<uint8_t, kCasillas>& rejilla, int cuatro) {
    std::array<bool, kCasillas> libre;
    libre.fill(true);
    const auto vecinas = [](int k) {
        std::vector<int> v;
        if (k % 9 > 0) v.push_back(k - 1);
        if (k % 9 < 8) v.push_back(k + 1);
        if (k >= 9) v.push_back(k - 9);
        if (k < 72) v.push_back(k + 9);
        return v;
    };
    std::vector<std::vector<int>> segmentos;
    bool solo = false;
    for (int quedan = kCasillas; quedan > 0;) {
        int inicio = -1, menos = 99;
        for (int k = 0; k < kCasillas; ++k) {
            if (!libre[k]) continue;
            int n = 0;
            for (const int p : vecinas(k))
                n += libre[p];
            n = 4 * n + static_cast<int>(azar() % 4);
            if (n < menos) menos = n, inicio = k;
        }
        std::vector<int> celdas{inicio};
        libre[inicio] = false;
        uint16_t digitos = Bit(rejilla[inicio]);
        const size_t tamano = static_cast<int>(azar() % 100) < cuatro ? 4 : 5;
        while (celdas.size() < tamano) {
            std::vector<int> borde;
            for (const int k : celdas)
                for (const int p : vecinas(k))
                    if (libre[p] && !(digitos & Bit(rejilla[p]))) borde.push_back(p);
            if (borde.empty()) break;
            const int p = borde[azar() % borde.size()];
            libre[p] = false;
            digitos |= Bit(rejilla[p]);
            celdas.push_back(p);
        }
        if (celdas.size() != tamano) {
            if (celdas.size() != 1 || solo) return std::nullopt;
            solo = true;
        }
        quedan -= static_cast<int>(celdas.size());
        segmentos.push_back(std::move(celdas));
    }
    return segmentos;
}

bool Conexa(const std::vector<int>& celdas) {
    const auto juntas = [](int x, int y) {
        return (x / 9 == y / 9 && std::abs(x - y) == 1) || std::abs(x - y) == 9;
    };
    std::vector<int> vistas{celdas[0]};
    for (size_t i = 0; i < vistas.size(); ++i)
        for (const int k : celdas)
            if (juntas(k, vistas[i]) && std::find(vistas.begin(), vistas.end(), k) == vistas.end())
                vistas.push_back(k);
    return vistas.size() == celdas.size();
}

Veredicto JuzgarTeselas(const std::array<uint8_t, kCasillas>& rejilla,
                        const std::vector<std::vector<int>>& segmentos, const Parada& p) {
    Reglas r;
    for (size_t g = 0; g < segmentos.size(); ++g)
        for (const int k : segmentos[g]) {
            r.segmento[k] = static_cast<int8_t>(g);
            r.suma[g] = static_cast<uint8_t>(r.suma[g] + rejilla[k]);
        }
    return velmora::Juzgar(r, p);
}

// Swaps cells between neighbouring segments, sizes kept, around the cells where two solutions
// differ: a swap stays when the two solutions it leaves differ in no more cells than before.
// Until the verdict finds one solution, or gives up after `pasos` swaps tried.
Veredicto Afinar(Azar& azar, const std::array<uint8_t, kCasillas>& rejilla,
                 std::vector<std::vector<int>>& segmentos, const Parada& p, int pasos) {
    std::array<int, kCasillas> de{};
    for (size_t g = 0; g < segmentos.size(); ++g)
        for (const int k : segmentos[g])
            de[k] = static_cast<int>(g);
    Veredicto v = JuzgarTeselas(rejilla, segmentos, p);
    const auto distintos = [&](const std::vector<int>& s) {
        uint16_t m = 0;
        for (const int k : s) {
            if (m & Bit(rejilla[k])) return false;
            m |= Bit(rejilla[k]);
        }
        return true;
    };
    for (int paso = 0; paso < pasos && v.soluciones == 2; ++paso) {
        std::vector<int> distintas;
        const auto d = Diferencias(v);
        for (int k = 0; k < kCasillas; ++k)
            if (d[k]) distintas.push_back(k);
        const int a = distintas[azar() % distintas.size()];
        const int b = a + std::array{-1, 1, -9, 9}[azar() % 4];
        if (b < 0 || b >= kCasillas || (a % 9 != b % 9 && a / 9 != b / 9)) continue;
        const int ga = de[a], gb = de[b];
        if (ga == gb) continue;
        // a goes to gb, and some cell c of gb goes to ga.
        const int c = segmentos[gb][azar() % segmentos[gb].size()];
        std::vector<int> na = segmentos[ga], nb = segmentos[gb];
        std::replace(na.begin(), na.end(), a, c);
        std::replace(nb.begin(), nb.end(), c, a);
        if (!distintos(na) || !distintos(nb) || !Conexa(na) || !Conexa(nb)) continue;
        std::swap(segmentos[ga], na);
        std::swap(segmentos[gb], nb);
        const Veredicto w = JuzgarTeselas(rejilla, segmentos, p);
        if (w.soluciones == 1 || (w.soluciones == 2 && Diferencias(w).count() <= d.count())) {
            v = w;
            de[a] = gb;
            de[c] = ga;
        } else {
            std::swap(segmentos[ga], na);
            std::swap(segmentos[gb], nb);
        }
    }
    return v;
}

Enunciado Clasico(Azar& azar) {
    const std::array<uint8_t, kCasillas> rejilla = RejillaAlAzar(azar);
    Enunciado e;
    e.killer = false;
    for (int k = 0; k < kCasillas; ++k) {
        e.fijas.set(k);
        e.textos[k] = std::string(1, static_cast<char>('0' + rejilla[k]));
    }
    std::array<int, kCasillas> orden;
    std::iota(orden.begin(), orden.end(), 0);
    std::shuffle(orden.begin(), orden.end(), azar);
    for (const int k : orden) {
        e.fijas.reset(k);
        if (JuzgarEnunciado(e).soluciones != 1) e.fijas.set(k);
    }
    for (int k = 0; k < kCasillas; ++k)
        if (!e.fijas[k]) e.textos[k].clear();
    return e;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Uso();
    const std::string_view modo = argv[1];
    const int cantidad = std::atoi(argv[2]);
    Azar azar(std::strtoull(argv[3], nullptr, 10));
    int64_t minimo = 0, tope = 1'000'000'000;
    int tamano = 5, jaulas = 0, intentos = 0, parcial = 0, cuatro = 0, pasos = 300;
    for (int i = 4; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool hayValor = i + 1 < argc;
        if (a == "--minimo" && hayValor)
            minimo = std::atoll(argv[++i]);
        else if (a == "--tope" && hayValor)
            tope = std::atoll(argv[++i]);
        else if (a == "--tamano" && hayValor)
            tamano = std::atoi(argv[++i]);
        else if (a == "--jaulas" && hayValor)
            jaulas = std::atoi(argv[++i]);
        else if (a == "--intentos" && hayValor)
            intentos = std::atoi(argv[++i]);
        else if (a == "--pasos" && hayValor)
            pasos = std::atoi(argv[++i]);
        else if (a == "--cuatro" && hayValor)
            cuatro = std::atoi(argv[++i]);
        else if (a == "--parcial" && hayValor)
            parcial = std::atoi(argv[++i]);
        else
            return Uso();
    }

    if (modo == "clasico") {
        std::vector<std::pair<int64_t, Enunciado>> hechos;
        for (int i = 0; i < std::max(intentos, cantidad); ++i) {
            Enunciado e = Clasico(azar);
            hechos.emplace_back(JuzgarEnunciado(e).ramas, std::move(e));
        }
        std::stable_sort(hechos.begin(), hechos.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (int i = 0; i < cantidad; ++i)
            std::cout << lineas::Escribir(hechos[i].second) << '\n';
        return 0;
    }
    if (modo == "grandes") {
        Parada p;
        p.maxRamas = tope == 1'000'000'000 ? 200'000 : tope;
        for (int i = 0, hechos = 0; i < std::max(intentos, cantidad) && hechos < cantidad; ++i) {
            const auto rejilla = RejillaAlAzar(azar);
            std::optional<std::vector<std::vector<int>>> segmentos;
            while (!(segmentos = Teselas(azar, rejilla, cuatro))) {
            }
            const Veredicto v = Afinar(azar, rejilla, *segmentos, p, pasos);
            std::fprintf(stderr, "intento %d: %d soluciones, %lld ramas\n", i, v.soluciones,
                         static_cast<long long>(v.ramas));
            if (v.soluciones != 1) continue;
            std::cout << lineas::Escribir(KillerDe(rejilla, *segmentos), std::to_string(v.ramas))
                      << std::endl;
            ++hechos;
        }
        return 0;
    }
    if (modo != "killer") return Uso();
    for (int hechos = 0, intento = 0; hechos < cantidad; ++intento) {
        const auto e = Killer(azar, tamano, jaulas, minimo > 0, parcial);
        if (!e) continue;
        const int64_t n = Movimientos(*e, tope);
        std::fprintf(stderr, "intento %d: %lld movimientos\n", intento, static_cast<long long>(n));
        if (n >= 0 && n < minimo) continue;
        std::string nota = std::to_string(n < 0 ? tope : n);
        if (n < 0) nota.insert(nota.begin(), '>');
        std::cout << lineas::Escribir(*e, nota) << std::endl;
        ++hechos;
    }
    return 0;
}
