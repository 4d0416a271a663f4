#include "generador/generador.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora {

namespace {

uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

using Rejilla = std::array<uint8_t, kCasillas>;

constexpr int Cuadro(int k) {
    return (k / 27) * 3 + (k % 9) / 3;
}

// A random solved grid: cells in order, digits in a random order, backtracking. Rarely deep;
// a capped try starts over with the next numbers, which keeps it a function of the seed.
Rejilla RejillaAleatoria(Sorteo& azar) {
    for (;;) {
        Rejilla r{};
        std::array<uint16_t, 9> filas{}, cols{}, cuadros{};
        std::array<std::array<uint8_t, 9>, kCasillas> orden;
        std::array<int, kCasillas> pos{};
        for (auto& o : orden) {
            for (int i = 0; i < 9; ++i)
                o[i] = static_cast<uint8_t>(i + 1);
            for (int i = 8; i > 0; --i)
                std::swap(o[i], o[azar.Menor(i + 1)]);
        }
        int k = 0, pasos = 0;
        while (k >= 0 && k < kCasillas && ++pasos < 20000) {
            const int f = k / 9, c = k % 9, b = Cuadro(k);
            if (r[k]) { // undo before trying the next digit
                const uint16_t m = static_cast<uint16_t>(~(1u << r[k]));
                filas[f] &= m, cols[c] &= m, cuadros[b] &= m;
                r[k] = 0;
            }
            bool puesto = false;
            while (pos[k] < 9) {
                const int d = orden[k][pos[k]++];
                const uint16_t bit = static_cast<uint16_t>(1u << d);
                if ((filas[f] | cols[c] | cuadros[b]) & bit) continue;
                r[k] = static_cast<uint8_t>(d);
                filas[f] |= bit, cols[c] |= bit, cuadros[b] |= bit;
                puesto = true;
                break;
            }
            if (puesto) {
                ++k;
            } else {
                pos[k] = 0;
                --k;
            }
        }
        if (k == kCasillas) return r;
    }
}

// The four neighbours of each cell.
struct Vecinos {
    std::array<std::array<int8_t, 4>, kCasillas> v;
    std::array<uint8_t, kCasillas> n{};
    Vecinos() {
        for (int k = 0; k < kCasillas; ++k) {
            const int f = k / 9, c = k % 9;
            if (f > 0) v[k][n[k]++] = static_cast<int8_t>(k - 9);
            if (f < 8) v[k][n[k]++] = static_cast<int8_t>(k + 9);
            if (c > 0) v[k][n[k]++] = static_cast<int8_t>(k - 1);
            if (c < 8) v[k][n[k]++] = static_cast<int8_t>(k + 1);
        }
    }
};
const Vecinos kVecinos;

// A cage layout: each cell's cage named by a cell of it, with the cage's size and digits.
struct Disposicion {
    std::array<int8_t, kCasillas> jaula;
    std::array<uint8_t, kCasillas> tam{};
    std::array<uint16_t, kCasillas> digitos{};
    std::array<uint8_t, kCasillas> suma{};
    int jaulas = 0;
};

Disposicion Sueltas(const Rejilla& r) {
    Disposicion d;
    for (int k = 0; k < kCasillas; ++k) {
        d.jaula[k] = static_cast<int8_t>(k);
        d.tam[k] = 1;
        d.digitos[k] = static_cast<uint16_t>(1u << r[k]);
        d.suma[k] = r[k];
    }
    d.jaulas = kCasillas;
    return d;
}

void Unir(Disposicion& d, int a, int b) {
    for (auto& j : d.jaula)
        if (j == b) j = static_cast<int8_t>(a);
    d.tam[a] = static_cast<uint8_t>(d.tam[a] + d.tam[b]);
    d.digitos[a] |= d.digitos[b];
    d.suma[a] = static_cast<uint8_t>(d.suma[a] + d.suma[b]);
    d.tam[b] = 0, d.digitos[b] = 0, d.suma[b] = 0;
    --d.jaulas;
}

// The puzzle value, cages numbered by their first cell as a drawn puzzle reads.
Enunciado EnunciadoKiller(const Disposicion& d) {
    Enunciado e;
    e.killer = true;
    std::array<int8_t, kCasillas> numero;
    numero.fill(-1);
    int siguiente = 0;
    for (int k = 0; k < kCasillas; ++k) {
        const int j = d.jaula[k];
        if (numero[j] < 0) {
            numero[j] = static_cast<int8_t>(siguiente);
            e.sumas[siguiente] = std::to_string(d.suma[j]);
            ++siguiente;
        }
        e.segmento[k] = numero[j];
    }
    return e;
}

Reglas ReglasKiller(const Disposicion& d) {
    Reglas r;
    for (int k = 0; k < kCasillas; ++k) {
        r.segmento[k] = d.jaula[k];
        r.suma[d.jaula[k]] = d.suma[d.jaula[k]];
    }
    return r;
}

Enunciado EnunciadoClasico(const Rejilla& r, const std::bitset<kCasillas>& fijas) {
    Enunciado e;
    e.killer = false;
    e.fijas = fijas;
    for (int k = 0; k < kCasillas; ++k)
        if (fijas[k]) e.textos[k] = std::string(1, static_cast<char>('0' + r[k]));
    return e;
}

// The grade as the window gives it: the puzzle value validated, the known solution set.
std::optional<Calificacion> Calificar(const Enunciado& e, const Rejilla& solucion,
                                      std::stop_token parar) {
    Candidatos c(e);
    if (!c.Valido()) return std::nullopt;
    c.FijarSolucion(solucion, true);
    Calificacion cal = Resolver(std::move(c), parar);
    if (!cal.resuelto) return std::nullopt;
    return cal;
}

// The grade when it is at most `tope`, else one above it: the solve tries only the techniques
// up to `tope`, simplest first as the step solver does, and gives up where they all fail, so
// that the costly searches of harder techniques run only when they may be the answer.
std::optional<Nivel> NivelHasta(const Enunciado& e, const Rejilla& solucion, Nivel tope,
                                std::stop_token parar, std::bitset<kCasillas>* puestas = nullptr,
                                std::vector<uint8_t>* siguiente = nullptr) {
    if (tope == Nivel::PruebaYError) {
        const auto cal = Calificar(e, solucion, parar);
        return cal ? std::optional(cal->nivel) : std::nullopt;
    }
    Candidatos c(e);
    if (!c.Valido()) return std::nullopt;
    c.FijarSolucion(solucion, true);
    Nivel nivel = Nivel::Facil;
    while (!c.Resuelto()) {
        if (parar.stop_requested()) return std::nullopt;
        std::optional<Paso> p;
        for (int t = 0; t < kTecnicas && !p; ++t) {
            if (NivelDe(static_cast<Tecnica>(t)) > tope) continue;
            p = Probar(static_cast<Tecnica>(t), c);
        }
        if (!p) {
            if (puestas)
                for (int k = 0; k < kCasillas; ++k)
                    puestas->set(k, c.Valor(k) != 0);
            if (siguiente) {
                // The cells the harder step that comes next would change.
                siguiente->clear();
                if (const auto q = SiguientePaso(c)) {
                    for (const auto& [k, d] : q->colocadas)
                        siguiente->push_back(k);
                    for (const auto& [k, d] : q->eliminadas)
                        siguiente->push_back(k);
                }
            }
            return static_cast<Nivel>(static_cast<int>(tope) + 1);
        }
        nivel = std::max(nivel, p->nivel);
        Aplicar(c, *p);
    }
    return nivel;
}

struct Contexto {
    Nivel nivel;
    bool simetria;
    int64_t maxRamas;
    std::stop_token parar;
};

// The grade, tried up to the level first so that a puzzle above it costs only that; at the
// level, the grade the window will give, steps and all, kept in `elegida`.
std::optional<Nivel> Grado(const Enunciado& e, const Rejilla& sol, const Contexto& cx,
                           std::optional<Calificacion>& elegida,
                           std::bitset<kCasillas>* atasco = nullptr,
                           std::vector<uint8_t>* siguiente = nullptr) {
    const auto acotado = NivelHasta(e, sol, cx.nivel, cx.parar, atasco, siguiente);
    if (!acotado || *acotado != cx.nivel) return acotado;
    auto cal = Calificar(e, sol, cx.parar);
    if (!cal) return std::nullopt;
    const Nivel n = cal->nivel;
    if (n == cx.nivel) elegida = std::move(cal);
    return n;
}

bool Unica(const Reglas& r, const Contexto& cx) {
    return Juzgar(r, Parada{cx.parar, cx.maxRamas, nullptr}).soluciones == 1;
}

// The search over a sequence of ever harder puzzles (each step keeps the solution unique): an
// index whose grade is exactly the level, found by steps of 1, 2, 4, 4, ... then halving from
// `desde`, as grades mostly rise along the sequence. The steps stay short because puzzles far
// past the level are the costly ones to make: with few cages left most merges lose the
// uniqueness. With `ultimo` the last such index before the grade rises above the level,
// otherwise the first found. `extender(i)` makes puzzle i when it can.
template <class Extender, class Grado>
std::optional<int> BuscarNivel(int desde, Nivel nivel, bool ultimo, Extender extender, Grado grado,
                               int* bajo = nullptr) {
    auto g = grado(desde);
    if (!g || *g > nivel) return std::nullopt;
    std::optional<int> hallado;
    if (*g == nivel) {
        if (!ultimo) return desde;
        hallado = desde;
    }
    int lo = desde, paso = 1, hi = -1;
    const auto fin = [&](std::optional<int> r) {
        if (bajo) *bajo = lo;
        return r;
    };
    while (hi < 0) {
        int i = lo + paso;
        while (i > lo && !extender(i))
            --i;
        if (i == lo) return fin(hallado); // nothing harder left
        g = grado(i);
        if (!g) return std::nullopt;
        if (*g == nivel) {
            if (!ultimo) return i;
            hallado = i;
        }
        if (*g <= nivel) {
            lo = i;
            paso = std::min(paso * 2, 4);
        } else {
            hi = i;
        }
    }
    while (hi - lo > 1) {
        const int m = lo + (hi - lo) / 2;
        g = grado(m);
        if (!g) return std::nullopt;
        if (*g == nivel) {
            if (!ultimo) return m;
            hallado = m;
        }
        (*g <= nivel ? lo : hi) = m;
    }
    return fin(hallado);
}

// The largest cage a merge may make: small cages keep the easy levels easy.
int TamMaximo(Nivel n) {
    switch (n) {
    case Nivel::Facil:
        return 4;
    case Nivel::Moderado:
        return 5;
    case Nivel::Dificil:
        return 6;
    default:
        return 9;
    }
}

// One merge of two neighbouring cages that keeps the solution unique; a few random tries,
// the smaller of two proposals each time so that cages stay small on the whole.
bool UnirAlguna(Disposicion& d, Sorteo& azar, const Contexto& cx, int tamMax) {
    for (int intento = 0; intento < 24; ++intento) {
        int mejorA = -1, mejorB = -1, mejorTam = 99;
        for (int p = 0; p < 2; ++p) {
            const int k = azar.Menor(kCasillas);
            const int v = kVecinos.v[k][azar.Menor(kVecinos.n[k])];
            const int a = d.jaula[k], b = d.jaula[v];
            if (a == b || (d.digitos[a] & d.digitos[b])) continue;
            const int t = d.tam[a] + d.tam[b];
            if (t > tamMax || t >= mejorTam) continue;
            mejorA = std::min(a, b), mejorB = std::max(a, b), mejorTam = t;
        }
        if (mejorA < 0) continue;
        Disposicion nueva = d;
        Unir(nueva, mejorA, mejorB);
        if (Unica(ReglasKiller(nueva), cx)) {
            d = nueva;
            return true;
        }
        if (cx.parar.stop_requested()) return false;
    }
    return false;
}

// Whether cage of k stays connected without k.
bool SigueConexa(const Disposicion& d, int k) {
    const int a = d.jaula[k];
    int inicio = -1;
    for (int i = 0; i < kCasillas && inicio < 0; ++i)
        if (i != k && d.jaula[i] == a) inicio = i;
    if (inicio < 0) return false;
    std::bitset<kCasillas> visto;
    visto.set(inicio);
    int pila[kCasillas], n = 0, alcanzadas = 0;
    pila[n++] = inicio;
    while (n > 0) {
        const int c = pila[--n];
        ++alcanzadas;
        for (int i = 0; i < kVecinos.n[c]; ++i) {
            const int v = kVecinos.v[c][i];
            if (v != k && d.jaula[v] == a && !visto[v]) visto.set(v), pila[n++] = v;
        }
    }
    return alcanzadas == d.tam[a] - 1;
}

// k leaves its cage for a cage of its own.
void Separar(Disposicion& d, int k, int digito) {
    int a = d.jaula[k];
    if (a == k) { // the cage is named by k: another of its cells names it now
        int nuevo = -1;
        for (int i = 0; i < kCasillas && nuevo < 0; ++i)
            if (i != k && d.jaula[i] == a) nuevo = i;
        for (auto& j : d.jaula)
            if (j == a) j = static_cast<int8_t>(nuevo);
        d.tam[nuevo] = d.tam[a], d.digitos[nuevo] = d.digitos[a], d.suma[nuevo] = d.suma[a];
        a = nuevo;
    }
    --d.tam[a];
    d.digitos[a] &= static_cast<uint16_t>(~(1u << digito));
    d.suma[a] = static_cast<uint8_t>(d.suma[a] - digito);
    d.jaula[k] = static_cast<int8_t>(k);
    d.tam[k] = 1, d.digitos[k] = static_cast<uint16_t>(1u << digito);
    d.suma[k] = static_cast<uint8_t>(digito);
    ++d.jaulas;
}

// Walking a grade back: a cell the solve had not reached when it first needed more than the
// level becomes a cage of its own (as good as a given there), and two neighbouring cages join
// elsewhere so that the count stays; kept when the solution stays unique.
bool Aliviar(Disposicion& d, const Rejilla& sol, const std::bitset<kCasillas>& puestas,
             Sorteo& azar, const Contexto& cx, int tamMax) {
    std::vector<int> libres;
    for (int k = 0; k < kCasillas; ++k)
        if (!puestas[k] && d.tam[d.jaula[k]] >= 2 && SigueConexa(d, k)) libres.push_back(k);
    for (int intento = 0; intento < 6 && !libres.empty(); ++intento) {
        const int u = libres[azar.Menor(static_cast<int>(libres.size()))];
        Disposicion n = d;
        Separar(n, u, sol[u]);
        // Two grown cages join first, so that the one-cell cages stay.
        std::vector<std::pair<int, int>> crecidas, otras;
        for (int k = 0; k < kCasillas; ++k)
            for (int i = 0; i < kVecinos.n[k]; ++i) {
                const int v = kVecinos.v[k][i];
                const int a = n.jaula[k], b = n.jaula[v];
                if (v < k || a == b || a == u || b == u || (n.digitos[a] & n.digitos[b]) ||
                    n.tam[a] + n.tam[b] > tamMax)
                    continue;
                (n.tam[a] > 1 && n.tam[b] > 1 ? crecidas : otras).emplace_back(a, b);
            }
        const auto& pares = crecidas.empty() ? otras : crecidas;
        if (pares.empty()) continue;
        const auto [a, b] = pares[azar.Menor(static_cast<int>(pares.size()))];
        Unir(n, std::min(a, b), std::max(a, b));
        if (Unica(ReglasKiller(n), cx)) {
            d = n;
            return true;
        }
        if (cx.parar.stop_requested()) return false;
    }
    return false;
}

// Walking a grade back with the least help: the first cell the harder step would change becomes
// a cage of its own. More clues keep the solution unique, so no verdict is needed.
bool Revelar(Disposicion& d, const Rejilla& sol, const std::vector<uint8_t>& celdas) {
    if (d.jaulas >= kSegmentos) return false;
    for (const int k : celdas)
        if (d.tam[d.jaula[k]] >= 2 && SigueConexa(d, k)) {
            Separar(d, k, sol[k]);
            return true;
        }
    return false;
}

constexpr int kVueltas = 12;

std::optional<Generado> CandidatoKiller(Sorteo& azar, const Contexto& cx) {
    const Rejilla sol = RejillaAleatoria(azar);
    const int tamMax = TamMaximo(cx.nivel);
    std::vector<Disposicion> serie{Sueltas(sol)};
    while (serie.back().jaulas > kSegmentos) {
        Disposicion d = serie.back();
        if (!UnirAlguna(d, azar, cx, tamMax)) return std::nullopt;
        serie.back() = d;
    }
    // Too hard already with the most cages a file holds: walked back a few times.
    for (int vuelta = 0; vuelta < kVueltas; ++vuelta) {
        std::bitset<kCasillas> puestas;
        const auto n = NivelHasta(EnunciadoKiller(serie[0]), sol, cx.nivel, cx.parar, &puestas);
        if (!n) return std::nullopt;
        if (*n <= cx.nivel) break;
        if (vuelta + 1 == kVueltas || !Aliviar(serie[0], sol, puestas, azar, cx, tamMax))
            return std::nullopt;
    }
    auto extender = [&](int i) {
        while (static_cast<int>(serie.size()) <= i) {
            Disposicion d = serie.back();
            if (!UnirAlguna(d, azar, cx, tamMax)) return false;
            serie.push_back(d);
        }
        return true;
    };
    std::optional<Calificacion> elegida;
    std::bitset<kCasillas> atasco;  // the cells placed where the last grade went above the level
    std::vector<uint8_t> siguiente; // and the cells the harder step there changes
    auto grado = [&](int i) {
        return Grado(EnunciadoKiller(serie[i]), sol, cx, elegida, &atasco, &siguiente);
    };
    int bajo = -1;
    auto i = BuscarNivel(0, cx.nivel, false, extender, grado, &bajo);
    // One merge jumped over the level: other merges from the last layout below it, each kept
    // while still below.
    for (int intento = 0; !i && bajo >= 0 && intento < kVueltas; ++intento) {
        serie.resize(static_cast<size_t>(bajo) + 1);
        Disposicion d = serie.back();
        if (!UnirAlguna(d, azar, cx, tamMax)) break;
        serie.push_back(d);
        auto n = grado(bajo + 1);
        // Above: reshaped where the solve first needed more, a few times.
        for (int r = 0; n && *n > cx.nivel && r < 6; ++r) {
            if (!Revelar(serie.back(), sol, siguiente) &&
                !Aliviar(serie.back(), sol, atasco, azar, cx, tamMax))
                break;
            n = grado(bajo + 1);
        }
        if (!n) return std::nullopt;
        if (*n == cx.nivel)
            i = bajo + 1;
        else if (*n < cx.nivel)
            ++bajo;
    }
    if (!i) return std::nullopt;
    Generado g;
    g.estado = Generado::Estado::Hecho;
    g.enunciado = EnunciadoKiller(serie[*i]);
    g.solucion = sol;
    g.nivel = elegida->nivel;
    g.puntuacion = elegida->puntuacion;
    g.calificacion = std::move(*elegida);
    return g;
}

std::optional<Generado> CandidatoClasico(Sorteo& azar, const Contexto& cx) {
    const Rejilla sol = RejillaAleatoria(azar);
    // The cells in a random order, each with its mirror when the givens are symmetric.
    std::vector<std::bitset<kCasillas>> grupos;
    for (int k = 0; k < kCasillas; ++k) {
        if (cx.simetria && k > kCasillas - 1 - k) continue;
        std::bitset<kCasillas> g;
        g.set(k);
        if (cx.simetria) g.set(kCasillas - 1 - k);
        grupos.push_back(g);
    }
    for (int i = static_cast<int>(grupos.size()) - 1; i > 0; --i)
        std::swap(grupos[i], grupos[azar.Menor(i + 1)]);
    // Each step of the series drops one more group while the solution stays unique.
    std::vector<std::bitset<kCasillas>> serie{std::bitset<kCasillas>().set()};
    size_t siguiente = 0;
    auto extender = [&](int i) {
        while (static_cast<int>(serie.size()) <= i) {
            bool quitado = false;
            while (!quitado && siguiente < grupos.size()) {
                const std::bitset<kCasillas> f = serie.back() & ~grupos[siguiente++];
                Reglas r;
                for (int k = 0; k < kCasillas; ++k)
                    if (f[k]) r.fija[k] = sol[k];
                if (Unica(r, cx)) {
                    serie.push_back(f);
                    quitado = true;
                }
                if (cx.parar.stop_requested()) return false;
            }
            if (!quitado) return false;
        }
        return true;
    };
    std::optional<Calificacion> elegida;
    auto grado = [&](int i) { return Grado(EnunciadoClasico(sol, serie[i]), sol, cx, elegida); };
    // The first puzzle with a step to take: a full grid has none.
    if (!extender(1)) return std::nullopt;
    const auto i = BuscarNivel(1, cx.nivel, true, extender, grado);
    if (!i) return std::nullopt;
    Generado g;
    g.estado = Generado::Estado::Hecho;
    g.enunciado = EnunciadoClasico(sol, serie[*i]);
    g.solucion = sol;
    g.nivel = elegida->nivel;
    g.puntuacion = elegida->puntuacion;
    g.calificacion = std::move(*elegida);
    return g;
}

// Each candidate draws from its own numbers, from the seed and its index alone.
uint64_t SemillaCandidato(uint64_t semilla, int i) {
    uint64_t x = semilla ^ (0xD1B54A32D192ED03ull * static_cast<uint64_t>(i + 1));
    return SplitMix(x);
}

} // namespace

Sorteo::Sorteo(uint64_t semilla) {
    for (auto& s : s_)
        s = SplitMix(semilla);
}

uint64_t Sorteo::Siguiente() {
    const uint64_t r = std::rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = std::rotl(s_[3], 45);
    return r;
}

int IntentosPorDefecto(TipoPuzzle tipo, Nivel nivel) {
    const int n = static_cast<int>(nivel);
    if (tipo == TipoPuzzle::Killer) return std::array{200, 300, 400, 600, 1500, 800}[n];
    return std::array{200, 300, 600, 1500, 3000, 300}[n];
}

Generado Generar(TipoPuzzle tipo, Nivel nivel, uint64_t semilla, const Parada& parada,
                 const OpcionesGenerador& opciones) {
    const int intentos =
        opciones.intentos > 0 ? opciones.intentos : IntentosPorDefecto(tipo, nivel);
    int hilos =
        opciones.hilos > 0 ? opciones.hilos : static_cast<int>(std::thread::hardware_concurrency());
    hilos = std::clamp(hilos, 1, 64);
    // A cap per verdict: a layout that needs more is thrown away, not solved.
    const int64_t maxRamas = parada.maxRamas > 0 ? parada.maxRamas : 500;

    std::mutex m;
    int mejor = intentos; // the winning index so far; later candidates stop
    Generado ganador;
    std::atomic<int> proximo{0};
    std::vector<std::stop_source> fuentes(static_cast<size_t>(hilos));
    std::vector<int> actual(static_cast<size_t>(hilos), -1);
    std::atomic<int64_t> probados{0};

    auto trabajar = [&](int h) {
        for (;;) {
            const int i = proximo.fetch_add(1);
            std::stop_token parar;
            {
                std::lock_guard l(m);
                if (i >= mejor || parada.token.stop_requested()) return;
                fuentes[h] = std::stop_source();
                actual[h] = i;
                parar = fuentes[h].get_token();
            }
            Sorteo azar(SemillaCandidato(semilla, i));
            const Contexto cx{nivel, opciones.simetria, maxRamas, parar};
            std::optional<Generado> g =
                tipo == TipoPuzzle::Killer ? CandidatoKiller(azar, cx) : CandidatoClasico(azar, cx);
            if (parada.ramas) parada.ramas->store(++probados, std::memory_order_relaxed);
            std::lock_guard l(m);
            actual[h] = -1;
            // A stopped candidate decides nothing: only one that ran to its end counts.
            if (g && !parar.stop_requested() && i < mejor) {
                mejor = i;
                ganador = std::move(*g);
                ganador.candidato = i;
                for (int o = 0; o < hilos; ++o)
                    if (actual[o] > i) fuentes[o].request_stop();
            }
        }
    };
    {
        std::stop_callback alParar(parada.token, [&] {
            std::lock_guard l(m);
            for (auto& f : fuentes)
                f.request_stop();
        });
        if (hilos == 1) {
            trabajar(0);
        } else {
            std::vector<std::jthread> trabajadores;
            for (int h = 0; h < hilos; ++h)
                trabajadores.emplace_back(trabajar, h);
        }
    }
    if (mejor < intentos) return ganador;
    Generado g;
    g.estado =
        parada.token.stop_requested() ? Generado::Estado::Detenido : Generado::Estado::Agotado;
    return g;
}

std::optional<Nivel> LeerNivel(std::string_view texto) {
    if (texto.size() == 1 && texto[0] >= '1' && texto[0] <= '0' + kNiveles)
        return static_cast<Nivel>(texto[0] - '1');
    // Names as shown, or without accents and spaces: "muy-dificil", "pruebayerror".
    auto llano = [](std::string_view s) {
        std::string r;
        for (size_t i = 0; i < s.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (c == 0xC3 && i + 1 < s.size()) { // á é í ó ú
                const unsigned char n = static_cast<unsigned char>(s[++i]);
                const char* v = "aeiou";
                const unsigned char acentos[] = {0xA1, 0xA9, 0xAD, 0xB3, 0xBA};
                for (int j = 0; j < 5; ++j)
                    if (n == acentos[j] || n == acentos[j] - 0x20) r += v[j];
                continue;
            }
            if (std::isalnum(c)) r += static_cast<char>(std::tolower(c));
        }
        return r;
    };
    const std::string t = llano(texto);
    for (int n = 0; n < kNiveles; ++n)
        if (!t.empty() && llano(NombreNivel(static_cast<Nivel>(n))) == t)
            return static_cast<Nivel>(n);
    return std::nullopt;
}

} // namespace velmora
