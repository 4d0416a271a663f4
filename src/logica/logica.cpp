#include "logica/logica.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "solver/combinaciones.h"
#include "validation/validacion.h"

namespace velmora {

namespace {

struct Ficha {
    std::string_view nombre;
    Nivel nivel;
    int64_t peso;
};

// The one table of names, levels and weights; docs/dificultad.md publishes it.
constexpr std::array<Ficha, kTecnicas> kFichas = {{
    {"Jaula de una casilla", Nivel::Facil, 1},
    {"Última casilla de la jaula", Nivel::Facil, 1},
    {"Único lugar en el cuadro", Nivel::Facil, 16},
    {"Combinaciones de la jaula", Nivel::Facil, 9},
    {"Regla del 45 en una casa", Nivel::Facil, 4},
    {"Único lugar en la fila", Nivel::Facil, 25},
    {"Único lugar en la columna", Nivel::Facil, 25},
    {"Candidato único", Nivel::Facil, 140},
    {"Candidatos bloqueados (apuntado)", Nivel::Moderado, 290},
    {"Candidatos bloqueados (reclamo)", Nivel::Moderado, 480},
    {"Dígito obligado de la jaula", Nivel::Moderado, 1600},
    {"Pareja desnuda", Nivel::Dificil, 730},
    {"Pareja oculta", Nivel::Dificil, 1800},
    {"Trío desnudo", Nivel::Dificil, 2700},
    {"Trío oculto", Nivel::Dificil, 6600},
    {"Regla del 45: interiores", Nivel::Dificil, 14000},
    {"Regla del 45: exteriores", Nivel::Dificil, 14000},
    {"Regla del 45: diferencia", Nivel::Dificil, 14000},
    {"Jaula oculta", Nivel::Dificil, 90000},
    {"Cuarteto desnudo", Nivel::MuyDificil, 60000},
    {"Cuarteto oculto", Nivel::MuyDificil, 140000},
    {"X-Wing", Nivel::MuyDificil, 1200},
    {"Swordfish", Nivel::MuyDificil, 4200},
    {"Jellyfish", Nivel::MuyDificil, 91000},
    {"XY-Wing", Nivel::MuyDificil, 10000},
    {"XYZ-Wing", Nivel::MuyDificil, 16000},
    {"WXYZ-Wing", Nivel::MuyDificil, 180000},
    {"VWXYZ-Wing", Nivel::MuyDificil, 820000},
    {"Rectángulo único", Nivel::MuyDificil, 20000},
    {"Tumba bivalente (BUG+1)", Nivel::MuyDificil, 220000},
    {"Conflicto de combinaciones", Nivel::MuyDificil, 60000},
    {"Cadena X", Nivel::MuyDificil, 10000},
    {"Cadena alterna", Nivel::MuyDificil, 4800000},
    {"Cadena XY", Nivel::MuyDificil, 9000000},
    {"Cadena desde una jaula", Nivel::MuyDificil, 9000000},
    {"Cadena alterna larga", Nivel::Extremo, 40000000},
    {"Cadena forzada", Nivel::Extremo, 120000000},
    {"Prueba y error", Nivel::PruebaYError, 3600000000},
}};

constexpr std::array<std::string_view, kNiveles> kNombresNivel = {
    "Fácil", "Moderado", "Difícil", "Muy difícil", "Extremo", "Prueba y error"};

// Houses: 0-8 rows, 9-17 columns, 18-26 boxes.
struct Geometria {
    std::array<std::array<uint8_t, 9>, 27> casa{};
    std::array<std::array<uint8_t, 3>, kCasillas> casasDe{};
    std::array<std::array<uint8_t, 20>, kCasillas> pares{};
    std::array<std::bitset<kCasillas>, 27> conjunto{};
};

constexpr int CuadroDe(int k) {
    return (k / 27) * 3 + (k % 9) / 3;
}

const Geometria& Geo() {
    static const Geometria g = [] {
        Geometria g;
        std::array<int, 27> n{};
        for (int k = 0; k < kCasillas; ++k) {
            const int cs[3] = {k / 9, 9 + k % 9, 18 + CuadroDe(k)};
            for (int i = 0; i < 3; ++i) {
                g.casasDe[k][i] = static_cast<uint8_t>(cs[i]);
                g.casa[cs[i]][n[cs[i]]++] = static_cast<uint8_t>(k);
                g.conjunto[cs[i]].set(k);
            }
        }
        for (int k = 0; k < kCasillas; ++k) {
            std::bitset<kCasillas> v;
            for (const int c : g.casasDe[k])
                v |= g.conjunto[c];
            v.reset(k);
            int m = 0;
            for (int j = 0; j < kCasillas; ++j)
                if (v[j]) g.pares[k][m++] = static_cast<uint8_t>(j);
        }
        return g;
    }();
    return g;
}

// By table: the package's generic x86-64 build has no popcount instruction, and the library
// call it makes instead showed in profiles.
int Cuenta(unsigned m) {
    static constexpr auto kTabla = [] {
        std::array<uint8_t, 1024> t{};
        for (unsigned i = 1; i < t.size(); ++i)
            t[i] = static_cast<uint8_t>(t[i / 2] + (i & 1));
        return t;
    }();
    return m < kTabla.size() ? kTabla[m] : std::popcount(m);
}
int PrimerDigito(unsigned m) {
    return std::countr_zero(m);
}

std::string Digitos(uint16_t m, std::string_view sep = ", ") {
    std::string s;
    for (int d = 1; d <= 9; ++d)
        if (m & Bit(d)) {
            if (!s.empty()) s += sep;
            s += static_cast<char>('0' + d);
        }
    return s;
}

std::string ListaCasillas(const std::vector<uint8_t>& cs) {
    std::string s;
    for (const int k : cs) {
        if (!s.empty()) s += ", ";
        s += NombreCasilla(k);
    }
    return s;
}

std::string NombreJaula(const Candidatos& c, int j) {
    const Jaula& ja = c.Jaulas()[j];
    return "la jaula de " + std::to_string(ja.suma) + " en " + NombreCasilla(ja.casillas.front());
}

// The step's effect: "F3C4 = 7; F3C5, F3C6 ≠ 7".
std::string Efecto(const Paso& p) {
    std::string s;
    for (const auto& [k, d] : p.colocadas) {
        if (!s.empty()) s += "; ";
        s += NombreCasilla(k) + " = " + std::to_string(d);
    }
    for (int d = 1; d <= 9; ++d) {
        std::vector<uint8_t> cs;
        for (const auto& [k, e] : p.eliminadas)
            if (e == d) cs.push_back(k);
        if (cs.empty()) continue;
        if (!s.empty()) s += "; ";
        s += ListaCasillas(cs) + " ≠ " + std::to_string(d);
    }
    return s;
}

Paso Nuevo(Tecnica t) {
    Paso p;
    p.tecnica = t;
    p.nivel = NivelDe(t);
    p.peso = PesoDe(t);
    return p;
}

template <class T> void Ordenar(std::vector<T>& v) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
}

// Completes the changed cells, sorts the lists and writes the sentence from its opening.
Paso Cerrar(Paso p, const std::string& inicio) {
    for (const auto& [k, d] : p.colocadas)
        p.cambiadas.push_back(k);
    for (const auto& [k, d] : p.eliminadas)
        p.cambiadas.push_back(k);
    Ordenar(p.cambiadas);
    Ordenar(p.origen);
    Ordenar(p.segmentos);
    Ordenar(p.casas);
    Ordenar(p.colocadas);
    Ordenar(p.eliminadas);
    p.frase = inicio + ": " + Efecto(p);
    return p;
}

// Eliminations of d from the cells of `en` that hold it; true when any.
bool Quitar(const Candidatos& c, Paso& p, const std::bitset<kCasillas>& en, int d) {
    bool alguna = false;
    for (int k = 0; k < kCasillas; ++k)
        if (en[k] && (c.Mascara(k) & Bit(d))) {
            p.eliminadas.emplace_back(k, d);
            alguna = true;
        }
    return alguna;
}

// The cells that see every cell of `cs`.
std::bitset<kCasillas> VenTodas(const Candidatos& c, const std::vector<uint8_t>& cs) {
    std::bitset<kCasillas> v;
    v.set();
    for (const int k : cs) {
        v &= c.Vecinas(k);
        v.reset(k);
    }
    return v;
}

// ---- Singles -------------------------------------------------------------------------------

// The next n of m indices in increasing order (idx holds n of them); false after the last.
bool SiguienteCombinacion(std::vector<int>& idx, int m) {
    const int n = static_cast<int>(idx.size());
    int i = n - 1;
    while (i >= 0 && idx[i] == m - n + i)
        --i;
    if (i < 0) return false;
    ++idx[i];
    for (int j = i + 1; j < n; ++j)
        idx[j] = idx[j - 1] + 1;
    return true;
}

std::optional<Paso> JaulaDeUnaCasilla(const Candidatos& c) {
    for (size_t j = 0; j < c.Jaulas().size(); ++j) {
        const Jaula& ja = c.Jaulas()[j];
        if (ja.casillas.size() != 1) continue;
        const int k = ja.casillas[0];
        if (c.Valor(k) || ja.suma < 1 || ja.suma > 9 || !(c.Mascara(k) & Bit(ja.suma))) continue;
        Paso p = Nuevo(Tecnica::JaulaDeUnaCasilla);
        p.origen = {static_cast<uint8_t>(k)};
        p.segmentos = {ja.segmento};
        p.colocadas.emplace_back(k, ja.suma);
        return Cerrar(std::move(p), "Jaula de una casilla de suma " + std::to_string(ja.suma));
    }
    return std::nullopt;
}

std::optional<Paso> UltimaCasillaDeJaula(const Candidatos& c) {
    for (size_t j = 0; j < c.Jaulas().size(); ++j) {
        const Jaula& ja = c.Jaulas()[j];
        if (ja.casillas.size() < 2) continue;
        int libre = -1, libres = 0, resto = ja.suma;
        for (const int k : ja.casillas) {
            if (c.Valor(k))
                resto -= c.Valor(k);
            else {
                libre = k;
                ++libres;
            }
        }
        if (libres != 1 || resto < 1 || resto > 9 || !(c.Mascara(libre) & Bit(resto))) continue;
        Paso p = Nuevo(Tecnica::UltimaCasillaDeJaula);
        p.origen = ja.casillas;
        p.segmentos = {ja.segmento};
        p.colocadas.emplace_back(libre, resto);
        return Cerrar(std::move(p), "Última casilla de " + NombreJaula(c, static_cast<int>(j)));
    }
    return std::nullopt;
}

std::optional<Paso> UnicoLugar(const Candidatos& c, int desde, Tecnica t) {
    const Geometria& g = Geo();
    for (int h = desde; h < desde + 9; ++h)
        for (int d = 1; d <= 9; ++d) {
            int lugar = -1, n = 0;
            bool puesto = false;
            for (const int k : g.casa[h]) {
                if (c.Valor(k) == d) puesto = true;
                if (c.Mascara(k) & Bit(d)) {
                    lugar = k;
                    ++n;
                }
            }
            if (puesto || n != 1) continue;
            // A cell with this digit as its only candidate is a naked single, found later;
            // as a hidden single it is still right, and simpler for a person.
            Paso p = Nuevo(t);
            p.casas = {static_cast<uint8_t>(h)};
            p.origen.assign(g.casa[h].begin(), g.casa[h].end());
            p.colocadas.emplace_back(lugar, d);
            return Cerrar(std::move(p),
                          "Único lugar para el " + std::to_string(d) + " en " + NombreCasa(h));
        }
    return std::nullopt;
}

std::optional<Paso> UnicoCandidato(const Candidatos& c) {
    for (int k = 0; k < kCasillas; ++k)
        if (!c.Valor(k) && Cuenta(c.Mascara(k)) == 1) {
            Paso p = Nuevo(Tecnica::UnicoCandidato);
            p.origen = {static_cast<uint8_t>(k)};
            for (const int j : Geo().pares[k])
                if (c.Valor(j)) p.origen.push_back(static_cast<uint8_t>(j));
            p.colocadas.emplace_back(k, PrimerDigito(c.Mascara(k)));
            return Cerrar(std::move(p), "Candidato único en " + NombreCasilla(k));
        }
    return std::nullopt;
}

// ---- Cages -----------------------------------------------------------------------------------

// What a cage's sum still allows: the digit sets its empty cells can take, and for each empty
// cell the digits some complete assignment gives it.
struct AnalisisJaula {
    std::vector<uint8_t> libres;
    std::vector<uint16_t> combos;
    std::array<uint16_t, 9> apoyo{};
    uint16_t obligados = 0; // in every set
};

// An assignment of distinct digits of `combo` to the cells with masks m (one digit each, all
// of the combo used); fills `dig`.
bool Asignar(const uint16_t* m, int n, int i, uint16_t libres, uint8_t* dig) {
    if (i == n) return true;
    for (uint16_t r = m[i] & libres; r; r &= r - 1) {
        const int d = PrimerDigito(r);
        dig[i] = static_cast<uint8_t>(d);
        if (Asignar(m, n, i + 1, static_cast<uint16_t>(libres & ~Bit(d)), dig)) return true;
    }
    return false;
}

AnalisisJaula Analizar(const Candidatos& c, const Jaula& ja,
                       const std::vector<uint16_t>* soloEstos = nullptr) {
    AnalisisJaula a;
    int resto = ja.suma;
    uint16_t puestos = 0;
    for (const int k : ja.casillas) {
        if (c.Valor(k)) {
            resto -= c.Valor(k);
            puestos |= Bit(c.Valor(k));
        } else {
            a.libres.push_back(static_cast<uint8_t>(k));
        }
    }
    const int n = static_cast<int>(a.libres.size());
    if (n == 0) return a;
    std::array<uint16_t, 9> m{};
    a.obligados = kDigitos;
    const auto prueba = [&](uint16_t combo) {
        if (combo & puestos) return;
        for (int i = 0; i < n; ++i)
            m[i] = c.Mascara(a.libres[i]) & combo;
        uint8_t dig[9];
        if (!Asignar(m.data(), n, 0, combo, dig)) return;
        a.combos.push_back(combo);
        a.obligados &= combo;
        for (int i = 0; i < n; ++i)
            a.apoyo[i] |= Bit(dig[i]);
        for (int i = 0; i < n; ++i)
            for (uint16_t r = m[i] & ~a.apoyo[i]; r; r &= r - 1) {
                const int d = PrimerDigito(r);
                std::array<uint16_t, 9> f = m;
                f[i] = Bit(d);
                if (Asignar(f.data(), n, 0, combo, dig))
                    for (int x = 0; x < n; ++x)
                        a.apoyo[x] |= Bit(dig[x]);
            }
    };
    if (soloEstos)
        for (const uint16_t combo : *soloEstos)
            prueba(combo);
    else
        for (const uint16_t combo : Combinaciones(n, resto))
            prueba(combo);
    if (a.combos.empty()) a.obligados = 0;
    return a;
}

std::string TextoCombos(const std::vector<uint16_t>& combos) {
    if (combos.size() > 4) return std::to_string(combos.size()) + " combinaciones";
    std::string s;
    for (const uint16_t x : combos) {
        if (!s.empty()) s += ", ";
        s += TextoCombinacion(x);
    }
    return s;
}

std::optional<Paso> CombinacionesDeJaula(const Candidatos& c) {
    for (size_t j = 0; j < c.Jaulas().size(); ++j) {
        const Jaula& ja = c.Jaulas()[j];
        const AnalisisJaula a = Analizar(c, ja);
        if (a.libres.empty() || a.combos.empty()) continue;
        Paso p = Nuevo(Tecnica::CombinacionesDeJaula);
        // A two-cell cage's pairs are read at a glance; larger cages need the table.
        if (ja.casillas.size() <= 2) p.peso = 1;
        for (size_t i = 0; i < a.libres.size(); ++i)
            for (uint16_t r = c.Mascara(a.libres[i]) & ~a.apoyo[i]; r; r &= r - 1)
                p.eliminadas.emplace_back(a.libres[i], PrimerDigito(r));
        if (p.eliminadas.empty()) continue;
        p.origen = ja.casillas;
        p.segmentos = {ja.segmento};
        return Cerrar(std::move(p), "Combinaciones de " + NombreJaula(c, static_cast<int>(j)) +
                                        " (" + TextoCombos(a.combos) + ")");
    }
    return std::nullopt;
}

std::optional<Paso> DigitoObligadoDeJaula(const Candidatos& c) {
    for (size_t j = 0; j < c.Jaulas().size(); ++j) {
        const Jaula& ja = c.Jaulas()[j];
        const AnalisisJaula a = Analizar(c, ja);
        for (uint16_t r = a.obligados; r; r &= r - 1) {
            const int d = PrimerDigito(r);
            std::vector<uint8_t> con;
            for (const int k : a.libres)
                if (c.Mascara(k) & Bit(d)) con.push_back(static_cast<uint8_t>(k));
            if (con.empty()) continue;
            std::bitset<kCasillas> fuera = VenTodas(c, con);
            for (const int k : ja.casillas)
                fuera.reset(k);
            Paso p = Nuevo(Tecnica::DigitoObligadoDeJaula);
            if (!Quitar(c, p, fuera, d)) continue;
            p.origen = con;
            p.segmentos = {ja.segmento};
            return Cerrar(std::move(p), "El " + std::to_string(d) + " es obligado en " +
                                            NombreJaula(c, static_cast<int>(j)) +
                                            " y solo cabe en " + ListaCasillas(con));
        }
    }
    return std::nullopt;
}

// ---- Locked candidates ------------------------------------------------------------------------

std::optional<Paso> Bloqueo(const Candidatos& c, bool apuntado) {
    const Geometria& g = Geo();
    const int desdeBase = apuntado ? 18 : 0, hastaBase = apuntado ? 27 : 18;
    for (int b = desdeBase; b < hastaBase; ++b)
        for (int d = 1; d <= 9; ++d) {
            std::vector<uint8_t> con;
            for (const int k : g.casa[b])
                if (c.Mascara(k) & Bit(d)) con.push_back(k);
            if (con.size() < 2) continue;
            for (const int otra : g.casasDe[con[0]]) {
                if (otra == b) continue;
                if (!std::all_of(con.begin(), con.end(),
                                 [&](int k) { return g.conjunto[otra][k]; }))
                    continue;
                Paso p = Nuevo(apuntado ? Tecnica::BloqueoApuntado : Tecnica::BloqueoReclamo);
                if (!Quitar(c, p, g.conjunto[otra] & ~g.conjunto[b], d)) continue;
                p.origen = con;
                p.casas = {static_cast<uint8_t>(b), static_cast<uint8_t>(otra)};
                return Cerrar(std::move(p), "En " + NombreCasa(b) + " el " + std::to_string(d) +
                                                " solo cabe en " + NombreCasa(otra));
            }
        }
    return std::nullopt;
}

// ---- The 45 rule -----------------------------------------------------------------------------

struct Region {
    std::bitset<kCasillas> casillas;
    int nCasas;
    std::vector<uint8_t> casas;
    std::string nombre;
};

std::string Rango(std::string_view plural, int a, int b) {
    return std::string(plural) + " " + std::to_string(a) + "–" + std::to_string(b);
}

const std::vector<Region>& Regiones() {
    static const std::vector<Region> r = [] {
        const Geometria& g = Geo();
        std::vector<Region> v;
        for (int h = 0; h < 27; ++h)
            v.push_back({g.conjunto[h], 1, {static_cast<uint8_t>(h)}, NombreCasa(h)});
        // Bands of consecutive rows and columns.
        for (int tipo = 0; tipo < 2; ++tipo)
            for (int largo = 2; largo <= 8; ++largo)
                for (int a = 0; a + largo <= 9; ++a) {
                    Region x{{}, largo, {}, ""};
                    for (int i = a; i < a + largo; ++i) {
                        x.casillas |= g.conjunto[tipo * 9 + i];
                        x.casas.push_back(static_cast<uint8_t>(tipo * 9 + i));
                    }
                    x.nombre = Rango(tipo ? "las columnas" : "las filas", a + 1, a + largo);
                    v.push_back(std::move(x));
                }
        // Unions of neighbouring boxes.
        const std::vector<std::vector<int>> grupos = {
            {0, 1}, {1, 2}, {3, 4}, {4, 5}, {6, 7},       {7, 8},       {0, 3},       {3, 6},
            {1, 4}, {4, 7}, {2, 5}, {5, 8}, {0, 1, 3, 4}, {1, 2, 4, 5}, {3, 4, 6, 7}, {4, 5, 7, 8}};
        for (const auto& gr : grupos) {
            Region x{{}, static_cast<int>(gr.size()), {}, "los cuadros "};
            for (size_t i = 0; i < gr.size(); ++i) {
                x.casillas |= g.conjunto[18 + gr[i]];
                x.casas.push_back(static_cast<uint8_t>(18 + gr[i]));
                x.nombre += (i ? ", " : "") + std::to_string(gr[i] + 1);
            }
            v.push_back(std::move(x));
        }
        return v;
    }();
    return r;
}

// A sum over a few empty cells: the `mas` cells minus the `menos` cells equal `k`.
struct Ecuacion {
    std::vector<uint8_t> mas, menos;
    int k = 0;
    const Region* region = nullptr;
    std::vector<int8_t> segmentos;
    // Its cells' candidates (nine bits each, up to seven cells) when it last gave no step: the
    // equations are kept while no digit is placed, and tried again at nearly every step.
    mutable uint64_t sinPaso = 0;
};

constexpr int kMaxEcuacion = 5;

// Which digits each cell of an equation can take in some assignment that meets it, with cells
// that see each other distinct.
struct Evaluador {
    int n = 0;
    std::array<uint8_t, kMaxEcuacion> casilla{};
    std::array<int, kMaxEcuacion> signo{};
    std::array<uint16_t, kMaxEcuacion> mascara{};
    std::array<unsigned, kMaxEcuacion> choca{}; // earlier positions seen
    std::array<int, kMaxEcuacion + 1> minResto{}, maxResto{};
    std::array<int, kMaxEcuacion> orden{};
    std::array<uint8_t, kMaxEcuacion> dig{};
    int objetivo = 0;

    bool Buscar(int i, int suma) {
        if (i == n) return suma == objetivo;
        if (suma + minResto[i] > objetivo || suma + maxResto[i] < objetivo) return false;
        const int p = orden[i];
        for (uint16_t r = mascara[p]; r; r &= r - 1) {
            const int d = PrimerDigito(r);
            bool ok = true;
            for (int j = 0; j < i && ok; ++j)
                if ((choca[p] >> orden[j] & 1u) && dig[orden[j]] == d) ok = false;
            if (!ok) continue;
            dig[p] = static_cast<uint8_t>(d);
            if (Buscar(i + 1, suma + signo[p] * d)) return true;
        }
        return false;
    }

    void Limites() {
        minResto[n] = maxResto[n] = 0;
        for (int i = n - 1; i >= 0; --i) {
            const int p = orden[i];
            const int lo = PrimerDigito(mascara[p]),
                      hi = 31 - std::countl_zero(static_cast<unsigned>(mascara[p]));
            minResto[i] = minResto[i + 1] + (signo[p] > 0 ? lo : -hi);
            maxResto[i] = maxResto[i + 1] + (signo[p] > 0 ? hi : -lo);
        }
    }

    // Supported digits per position.
    std::array<uint16_t, kMaxEcuacion> Apoyo() {
        std::array<uint16_t, kMaxEcuacion> apoyo{};
        const std::array<uint16_t, kMaxEcuacion> original = mascara;
        for (int p = 0; p < n; ++p)
            for (uint16_t r = original[p] & ~apoyo[p]; r; r &= r - 1) {
                const int d = PrimerDigito(r);
                if (apoyo[p] & Bit(d)) continue;
                mascara = original;
                mascara[p] = Bit(d);
                orden[0] = p;
                for (int i = 0, j = 1; i < n; ++i)
                    if (i != p) orden[j++] = i;
                Limites();
                if (Buscar(0, 0))
                    for (int x = 0; x < n; ++x)
                        apoyo[x] |= Bit(dig[x]);
            }
        mascara = original;
        return apoyo;
    }
};

bool Distintas(const Candidatos& c, const std::vector<uint8_t>& cs) {
    for (size_t i = 0; i < cs.size(); ++i)
        for (size_t j = i + 1; j < cs.size(); ++j)
            if (!c.Ven(cs[i], cs[j])) return false;
    return true;
}

// The equations of the first `regiones` regions (the 27 houses come first).
std::vector<Ecuacion> Ecuaciones(const Candidatos& c, size_t regiones) {
    std::vector<Ecuacion> res;
    const auto& jaulas = c.Jaulas();
    std::vector<std::bitset<kCasillas>> celdas(jaulas.size());
    for (size_t j = 0; j < jaulas.size(); ++j)
        for (const int x : jaulas[j].casillas)
            celdas[j].set(x);
    for (size_t i = 0; i < regiones; ++i) {
        const Region& r = Regiones()[i];
        int k = 45 * r.nCasas;
        std::bitset<kCasillas> interiores = r.casillas;
        std::vector<int> parciales;
        std::vector<int8_t> dentro;
        for (size_t j = 0; j < jaulas.size(); ++j) {
            if ((celdas[j] & r.casillas).none()) continue;
            if ((celdas[j] & ~r.casillas).none()) {
                k -= jaulas[j].suma;
                interiores &= ~celdas[j];
                dentro.push_back(jaulas[j].segmento);
            } else {
                parciales.push_back(static_cast<int>(j));
            }
        }
        // Which partial cages to count whole: none, all, or those with fewer empty cells
        // outside than inside.
        std::vector<std::vector<int>> opciones = {{}, parciales, {}};
        for (const int j : parciales) {
            int fuera = 0, denTro = 0;
            for (const int x : jaulas[j].casillas)
                if (!c.Valor(x)) (r.casillas[x] ? denTro : fuera) += 1;
            if (fuera < denTro) opciones[2].push_back(j);
        }
        for (size_t o = 0; o < opciones.size(); ++o) {
            if (o == 2 && (opciones[2] == opciones[0] || opciones[2] == opciones[1])) continue;
            if (o == 1 && parciales.empty()) continue;
            Ecuacion e;
            e.region = &r;
            e.segmentos = dentro;
            e.k = k;
            std::bitset<kCasillas> mas = interiores, menos;
            for (const int j : opciones[o]) {
                e.k -= jaulas[j].suma;
                e.segmentos.push_back(jaulas[j].segmento);
                for (const int x : jaulas[j].casillas) {
                    if (r.casillas[x])
                        mas.reset(x);
                    else
                        menos.set(x);
                }
            }
            bool cabe = true;
            const std::bitset<kCasillas> todas = mas | menos;
            for (size_t x = todas._Find_first(); x < kCasillas && cabe; x = todas._Find_next(x)) {
                if (mas[x]) {
                    if (c.Valor(x))
                        e.k -= c.Valor(x);
                    else
                        e.mas.push_back(static_cast<uint8_t>(x));
                } else if (menos[x]) {
                    if (c.Valor(x))
                        e.k += c.Valor(x);
                    else
                        e.menos.push_back(static_cast<uint8_t>(x));
                }
                // Longer equations only as hidden cages: innies that all see each other.
                cabe = e.mas.size() + e.menos.size() <= kMaxEcuacion || e.menos.empty();
            }
            if (!cabe || e.mas.size() + e.menos.size() == 0) continue;
            if (e.mas.size() > kMaxEcuacion && !Distintas(c, e.mas)) continue;
            res.push_back(std::move(e));
        }
    }
    return res;
}

Tecnica ClaseDe(const Ecuacion& e) {
    const size_t n = e.mas.size() + e.menos.size();
    if (e.region->nCasas == 1 && n <= 2) return Tecnica::Regla45Casa;
    if (n > 3) return Tecnica::JaulaOculta;
    if (e.menos.empty()) return Tecnica::Regla45Interiores;
    if (e.mas.empty()) return Tecnica::Regla45Exteriores;
    return Tecnica::Regla45Diferencia;
}

std::string TextoEcuacion(const Ecuacion& e) {
    std::string s;
    for (const int x : e.mas)
        s += (s.empty() ? "" : " + ") + NombreCasilla(x);
    for (const int x : e.menos)
        s += (s.empty() ? "−" : " − ") + NombreCasilla(x);
    return s + " = " + std::to_string(e.k);
}

std::optional<Paso> ProbarEcuacion(const Candidatos& c, const Ecuacion& e, Tecnica t) {
    if (e.mas.size() > kMaxEcuacion) {
        // Distinct digits adding up to k: a cage of its own, with the cages' digit sets.
        const Jaula oculta{-1, e.k, e.mas};
        const AnalisisJaula a = Analizar(c, oculta);
        if (a.combos.empty()) return std::nullopt;
        Paso p = Nuevo(t);
        for (size_t i = 0; i < a.libres.size(); ++i)
            for (uint16_t r = c.Mascara(a.libres[i]) & ~a.apoyo[i]; r; r &= r - 1)
                p.eliminadas.emplace_back(a.libres[i], PrimerDigito(r));
        if (p.eliminadas.empty()) return std::nullopt;
        p.origen = e.mas;
        p.casas = e.region->casas;
        p.segmentos = e.segmentos;
        return Cerrar(std::move(p),
                      "Jaula oculta en " + e.region->nombre + " (" + TextoEcuacion(e) + ")");
    }
    Evaluador ev;
    for (const int x : e.mas) {
        ev.casilla[ev.n] = static_cast<uint8_t>(x);
        ev.signo[ev.n++] = 1;
    }
    for (const int x : e.menos) {
        ev.casilla[ev.n] = static_cast<uint8_t>(x);
        ev.signo[ev.n++] = -1;
    }
    for (int i = 0; i < ev.n; ++i) {
        ev.mascara[i] = c.Mascara(ev.casilla[i]);
        for (int j = 0; j < ev.n; ++j)
            if (c.Ven(ev.casilla[i], ev.casilla[j])) ev.choca[i] |= 1u << j;
    }
    ev.objetivo = e.k;
    const auto apoyo = ev.Apoyo();
    Paso p = Nuevo(t);
    for (int i = 0; i < ev.n; ++i) {
        const uint16_t m = c.Mascara(ev.casilla[i]);
        if (apoyo[i] == m || apoyo[i] == 0) continue;
        if (Cuenta(apoyo[i]) == 1)
            p.colocadas.emplace_back(ev.casilla[i], PrimerDigito(apoyo[i]));
        else
            for (uint16_t r = m & ~apoyo[i]; r; r &= r - 1)
                p.eliminadas.emplace_back(ev.casilla[i], PrimerDigito(r));
    }
    // No assignment at all means an earlier mistake; never act on it.
    if (std::any_of(apoyo.begin(), apoyo.begin() + ev.n, [](uint16_t a) { return a == 0; }))
        return std::nullopt;
    if (p.colocadas.empty() && p.eliminadas.empty()) return std::nullopt;
    p.origen.assign(ev.casilla.begin(), ev.casilla.begin() + ev.n);
    p.casas = e.region->casas;
    p.segmentos = e.segmentos;
    const std::string inicio = t == Tecnica::JaulaOculta ? "Jaula oculta en " : "Regla del 45 en ";
    return Cerrar(std::move(p), inicio + e.region->nombre + " (" + TextoEcuacion(e) + ")");
}

bool MismasJaulas(const std::vector<Jaula>& a, const std::vector<Jaula>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Jaula& x, const Jaula& y) {
        return x.segmento == y.segmento && x.suma == y.suma && x.casillas == y.casillas;
    });
}

// The equations change only when a digit is placed, and the 45-rule techniques are tried one
// after another on the same grid: the last set is kept per thread, keyed by the cages and digits.

const std::vector<Ecuacion>& EcuacionesDe(const Candidatos& c, size_t regiones) {
    thread_local struct {
        std::vector<Jaula> jaulas;
        std::array<uint8_t, kCasillas> valores{};
        size_t regiones = 0;
        std::vector<Ecuacion> es;
    } ultima;
    std::array<uint8_t, kCasillas> valores;
    for (int k = 0; k < kCasillas; ++k)
        valores[k] = static_cast<uint8_t>(c.Valor(k));
    if (regiones > ultima.regiones || valores != ultima.valores ||
        !MismasJaulas(c.Jaulas(), ultima.jaulas)) {
        ultima.es = Ecuaciones(c, regiones);
        ultima.regiones = regiones;
        ultima.jaulas = c.Jaulas();
        ultima.valores = valores;
    }
    return ultima.es;
}

std::optional<Paso> Regla45(const Candidatos& c, Tecnica desde, Tecnica hasta) {
    if (!c.Killer()) return std::nullopt;
    // The 45 rule on one house, tried among the first steps, needs only the houses' equations.
    const std::vector<Ecuacion>& es =
        EcuacionesDe(c, hasta == Tecnica::Regla45Casa ? 27 : Regiones().size());
    for (int t = static_cast<int>(desde); t <= static_cast<int>(hasta); ++t)
        for (const Ecuacion& e : es) {
            if (static_cast<int>(ClaseDe(e)) != t) continue;
            uint64_t clave = 0;
            if (e.mas.size() + e.menos.size() <= 7) {
                for (const int x : e.mas)
                    clave = clave << 9 | c.Mascara(x) >> 1;
                for (const int x : e.menos)
                    clave = clave << 9 | c.Mascara(x) >> 1;
                if (clave == e.sinPaso) continue;
            }
            if (auto p = ProbarEcuacion(c, e, static_cast<Tecnica>(t))) return p;
            e.sinPaso = clave;
        }
    return std::nullopt;
}

// ---- Subsets ---------------------------------------------------------------------------------

std::optional<Paso> Desnudo(const Candidatos& c, int n) {
    const Geometria& g = Geo();
    const Tecnica t = n == 2   ? Tecnica::ParejaDesnuda
                      : n == 3 ? Tecnica::TrioDesnudo
                               : Tecnica::CuartetoDesnudo;
    const std::string_view nombre = n == 2 ? "Pareja" : n == 3 ? "Trío" : "Cuarteto";
    const int unidades = 27 + static_cast<int>(c.Jaulas().size());
    for (int u = 0; u < unidades; ++u) {
        std::vector<uint8_t> libres;
        if (u < 27) {
            for (const int k : g.casa[u])
                if (!c.Valor(k)) libres.push_back(k);
        } else {
            for (const int k : c.Jaulas()[u - 27].casillas)
                if (!c.Valor(k)) libres.push_back(k);
        }
        const int m = static_cast<int>(libres.size());
        if (m <= n) continue;
        std::vector<int> idx(n);
        // Every n-subset in lexicographic order.
        std::iota(idx.begin(), idx.end(), 0);
        while (true) {
            uint16_t unionM = 0;
            bool ok = true;
            for (const int i : idx) {
                const uint16_t mk = c.Mascara(libres[i]);
                if (Cuenta(mk) > n) ok = false;
                unionM |= mk;
            }
            if (ok && Cuenta(unionM) == n) {
                std::vector<uint8_t> sub;
                for (const int i : idx)
                    sub.push_back(libres[i]);
                std::bitset<kCasillas> fuera;
                for (const int k : libres)
                    fuera.set(k);
                for (const int k : sub)
                    fuera.reset(k);
                Paso p = Nuevo(t);
                for (uint16_t r = unionM; r; r &= r - 1)
                    Quitar(c, p, fuera, PrimerDigito(r));
                if (!p.eliminadas.empty()) {
                    p.origen = sub;
                    std::string donde;
                    if (u < 27) {
                        p.casas = {static_cast<uint8_t>(u)};
                        donde = NombreCasa(u);
                    } else {
                        p.segmentos = {c.Jaulas()[u - 27].segmento};
                        donde = NombreJaula(c, u - 27);
                    }
                    return Cerrar(std::move(p), std::string(nombre) + " desnud" +
                                                    (n == 2 ? "a" : "o") + " {" +
                                                    Digitos(unionM, "") + "} en " +
                                                    ListaCasillas(sub) + " (" + donde + ")");
                }
            }
            if (!SiguienteCombinacion(idx, m)) break;
        }
    }
    return std::nullopt;
}

std::optional<Paso> Oculto(const Candidatos& c, int n) {
    const Geometria& g = Geo();
    const Tecnica t = n == 2   ? Tecnica::ParejaOculta
                      : n == 3 ? Tecnica::TrioOculto
                               : Tecnica::CuartetoOculto;
    const std::string_view nombre = n == 2   ? "Pareja oculta"
                                    : n == 3 ? "Trío oculto"
                                             : "Cuarteto oculto";
    for (int h = 0; h < 27; ++h) {
        std::vector<int> digs;
        std::array<std::bitset<kCasillas>, 10> lugares{};
        for (int d = 1; d <= 9; ++d) {
            for (const int k : g.casa[h])
                if (c.Mascara(k) & Bit(d)) lugares[d].set(k);
            const size_t cu = lugares[d].count();
            if (cu >= 1) digs.push_back(d);
        }
        const int m = static_cast<int>(digs.size());
        if (m <= n) continue;
        std::vector<int> idx(n);
        std::iota(idx.begin(), idx.end(), 0);
        while (true) {
            std::bitset<kCasillas> u;
            uint16_t conj = 0;
            for (const int i : idx) {
                u |= lugares[digs[i]];
                conj |= Bit(digs[i]);
            }
            if (static_cast<int>(u.count()) == n) {
                Paso p = Nuevo(t);
                std::vector<uint8_t> sub;
                for (int k = 0; k < kCasillas; ++k)
                    if (u[k]) {
                        sub.push_back(static_cast<uint8_t>(k));
                        for (uint16_t r = c.Mascara(k) & ~conj; r; r &= r - 1)
                            p.eliminadas.emplace_back(k, PrimerDigito(r));
                    }
                if (!p.eliminadas.empty()) {
                    p.origen = sub;
                    p.casas = {static_cast<uint8_t>(h)};
                    return Cerrar(std::move(p), std::string(nombre) + " {" + Digitos(conj, "") +
                                                    "} en " + ListaCasillas(sub) + " (" +
                                                    NombreCasa(h) + ")");
                }
            }
            if (!SiguienteCombinacion(idx, m)) break;
        }
    }
    return std::nullopt;
}

// ---- Fish ------------------------------------------------------------------------------------

std::optional<Paso> Pez(const Candidatos& c, int n) {
    const Geometria& g = Geo();
    const Tecnica t = n == 2 ? Tecnica::XWing : n == 3 ? Tecnica::Swordfish : Tecnica::Jellyfish;
    for (int d = 1; d <= 9; ++d)
        for (int base = 0; base < 2; ++base) { // rows as base, then columns
            std::vector<int> lineas;
            std::array<unsigned, 9> pos{};
            for (int i = 0; i < 9; ++i) {
                for (int j = 0; j < 9; ++j)
                    if (c.Mascara(g.casa[base * 9 + i][j]) & Bit(d)) pos[i] |= 1u << j;
                const int cu = Cuenta(pos[i]);
                if (cu >= 2 && cu <= n) lineas.push_back(i);
            }
            const int m = static_cast<int>(lineas.size());
            if (m < n) continue;
            std::vector<int> idx(n);
            std::iota(idx.begin(), idx.end(), 0);
            while (true) {
                unsigned cub = 0;
                unsigned usadas = 0;
                for (const int i : idx) {
                    cub |= pos[lineas[i]];
                    usadas |= 1u << lineas[i];
                }
                if (Cuenta(cub) == n) {
                    Paso p = Nuevo(t);
                    std::bitset<kCasillas> fuera;
                    std::vector<uint8_t> casas;
                    for (int j = 0; j < 9; ++j)
                        if (cub >> j & 1u) {
                            const int cover = (1 - base) * 9 + j;
                            casas.push_back(static_cast<uint8_t>(cover));
                            for (int i = 0; i < 9; ++i)
                                if (!(usadas >> i & 1u)) fuera.set(g.casa[cover][i]);
                        }
                    if (Quitar(c, p, fuera, d)) {
                        std::string lineasTxt;
                        for (const int i : idx) {
                            p.casas.push_back(static_cast<uint8_t>(base * 9 + lineas[i]));
                            for (int j = 0; j < 9; ++j)
                                if (pos[lineas[i]] >> j & 1u)
                                    p.origen.push_back(g.casa[base * 9 + lineas[i]][j]);
                            lineasTxt +=
                                (lineasTxt.empty() ? "" : ", ") + std::to_string(lineas[i] + 1);
                        }
                        p.casas.insert(p.casas.end(), casas.begin(), casas.end());
                        return Cerrar(std::move(p),
                                      std::string(NombreTecnica(t)) + " del " + std::to_string(d) +
                                          " en las " + (base ? "columnas " : "filas ") + lineasTxt);
                    }
                }
                if (!SiguienteCombinacion(idx, m)) break;
            }
        }
    return std::nullopt;
}

// ---- Wings -----------------------------------------------------------------------------------

std::optional<Paso> Ala(const Candidatos& c, bool xyz) {
    const Tecnica t = xyz ? Tecnica::XYZWing : Tecnica::XYWing;
    for (int piv = 0; piv < kCasillas; ++piv) {
        const uint16_t mp = c.Mascara(piv);
        if (Cuenta(mp) != (xyz ? 3 : 2)) continue;
        std::vector<uint8_t> alas;
        for (int k = 0; k < kCasillas; ++k) {
            const uint16_t mk = c.Mascara(k);
            if (!c.Ven(piv, k) || Cuenta(mk) != 2) continue;
            if (xyz ? (mk & mp) == mk : Cuenta(mk & mp) == 1) alas.push_back(k);
        }
        for (size_t a = 0; a < alas.size(); ++a)
            for (size_t b = a + 1; b < alas.size(); ++b) {
                const uint16_t ma = c.Mascara(alas[a]), mb = c.Mascara(alas[b]);
                if (ma == mb) continue;
                uint16_t z;
                if (xyz) {
                    z = ma & mb;
                    if (Cuenta(z) != 1 || (ma | mb) != mp) continue;
                } else {
                    z = static_cast<uint16_t>(ma & mb & ~mp);
                    if (Cuenta(z) != 1 || ((ma | mb) & mp) != mp) continue;
                }
                std::vector<uint8_t> cs = {alas[a], alas[b]};
                if (xyz) cs.push_back(static_cast<uint8_t>(piv));
                std::bitset<kCasillas> fuera = VenTodas(c, cs);
                fuera.reset(piv);
                Paso p = Nuevo(t);
                const int d = PrimerDigito(z);
                if (!Quitar(c, p, fuera, d)) continue;
                p.origen = {static_cast<uint8_t>(piv), alas[a], alas[b]};
                return Cerrar(std::move(p), std::string(NombreTecnica(t)) + " con pivote " +
                                                NombreCasilla(piv) + " y alas " +
                                                NombreCasilla(alas[a]) + ", " +
                                                NombreCasilla(alas[b]));
            }
    }
    return std::nullopt;
}

// A pivot and n - 1 cells it sees, holding n digits between them: if
// every digit but one has its places in the group all seeing each other, they fill at most n - 1
// cells, so the last digit is in the group, and a cell that sees all its places in the group is not
// it. With n = 3 these are the XY- and XYZ-Wings, tried before.
std::optional<Paso> AlaGrande(const Candidatos& c, int n) {
    const Tecnica t = n == 4 ? Tecnica::WXYZWing : Tecnica::VWXYZWing;
    std::vector<uint8_t> grupo, alas;
    std::optional<Paso> hallado;
    const auto probar = [&](uint16_t digitos) {
        // The digits shared by two cells of the group that do not see each other.
        uint16_t libres = 0;
        for (size_t i = 0; i < grupo.size(); ++i)
            for (size_t j = i + 1; j < grupo.size(); ++j)
                if (!c.Ven(grupo[i], grupo[j])) libres |= c.Mascara(grupo[i]) & c.Mascara(grupo[j]);
        if (Cuenta(libres) != 1) return;
        const int d = PrimerDigito(libres);
        std::vector<uint8_t> con;
        for (const uint8_t k : grupo)
            if (c.Mascara(k) & Bit(d)) con.push_back(k);
        std::bitset<kCasillas> fuera = VenTodas(c, con);
        for (const uint8_t k : grupo)
            fuera.reset(k);
        Paso p = Nuevo(t);
        if (!Quitar(c, p, fuera, d)) return;
        p.origen = grupo;
        hallado = Cerrar(std::move(p), std::string(NombreTecnica(t)) + " con pivote " +
                                           NombreCasilla(grupo[0]) + " y alas " +
                                           ListaCasillas({grupo.begin() + 1, grupo.end()}) + " ({" +
                                           Digitos(digitos, "") + "})");
    };
    // Picks the wings after `desde` while the digits stay at most n.
    const auto elegir = [&](auto& self, size_t desde, uint16_t digitos) -> void {
        if (static_cast<int>(grupo.size()) == n) {
            if (Cuenta(digitos) == n) probar(digitos);
            return;
        }
        for (size_t i = desde; i < alas.size() && !hallado; ++i) {
            const uint16_t u = digitos | c.Mascara(alas[i]);
            if (Cuenta(u) > n) continue;
            grupo.push_back(alas[i]);
            self(self, i + 1, u);
            grupo.pop_back();
        }
    };
    for (int piv = 0; piv < kCasillas && !hallado; ++piv) {
        const uint16_t mp = c.Mascara(piv);
        if (c.Valor(piv) || Cuenta(mp) < 2 || Cuenta(mp) > n) continue;
        alas.clear();
        for (int k = 0; k < kCasillas; ++k)
            if (!c.Valor(k) && c.Ven(piv, k) && Cuenta(c.Mascara(k)) >= 2 &&
                Cuenta(c.Mascara(k) | mp) <= n)
                alas.push_back(static_cast<uint8_t>(k));
        grupo = {static_cast<uint8_t>(piv)};
        elegir(elegir, 0, mp);
    }
    return hallado;
}

// ---- Uniqueness (classic puzzles known to have one solution) ---------------------------------

// Four cells on two rows, two columns and two boxes that could all be {a, b}: a and b could
// swap, so the puzzle would have two solutions. Type 1: three hold only {a, b}, the fourth
// holds something else. Type 2: the other two hold one same extra digit, so one of them holds
// it. Type 4: the other two share a house where a has no other place, so neither is b. Cage
// sums would tell the swaps apart, so only classic puzzles.
std::optional<Paso> RectanguloUnico(const Candidatos& c) {
    if (!c.Unica() || c.Killer()) return std::nullopt;
    const Geometria& g = Geo();
    for (int f1 = 0; f1 < 9; ++f1)
        for (int f2 = f1 + 1; f2 < 9; ++f2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    if ((f1 / 3 == f2 / 3) == (c1 / 3 == c2 / 3)) continue; // two boxes only
                    const int cs[4] = {9 * f1 + c1, 9 * f1 + c2, 9 * f2 + c1, 9 * f2 + c2};
                    uint16_t par = 0;
                    for (const int k : cs)
                        if (Cuenta(c.Mascara(k)) == 2) par = c.Mascara(k);
                    if (!par) continue;
                    std::vector<uint8_t> otras;
                    bool todas = true;
                    for (const int k : cs) {
                        if ((c.Mascara(k) & par) != par) todas = false;
                        if (c.Mascara(k) != par) otras.push_back(static_cast<uint8_t>(k));
                    }
                    if (!todas || otras.empty() || otras.size() > 2) continue;
                    Paso p = Nuevo(Tecnica::RectanguloUnico);
                    std::string tipo;
                    if (otras.size() == 1) {
                        for (uint16_t r = par; r; r &= r - 1)
                            p.eliminadas.emplace_back(otras[0], PrimerDigito(r));
                        tipo = "tipo 1";
                    } else {
                        const uint16_t extra0 = c.Mascara(otras[0]) & ~par,
                                       extra1 = c.Mascara(otras[1]) & ~par;
                        if (extra0 == extra1 && Cuenta(extra0) == 1) {
                            std::bitset<kCasillas> fuera = VenTodas(c, otras);
                            for (const int k : cs)
                                fuera.reset(k);
                            Quitar(c, p, fuera, PrimerDigito(extra0));
                            tipo = "tipo 2";
                        }
                        if (p.eliminadas.empty())
                            for (const int h : g.casasDe[otras[0]]) {
                                if (!g.conjunto[h][otras[1]]) continue;
                                for (uint16_t r = par; r && p.eliminadas.empty(); r &= r - 1) {
                                    const int a = PrimerDigito(r), b = PrimerDigito(par & ~Bit(a));
                                    int n = 0;
                                    for (const int k : g.casa[h])
                                        n += (c.Mascara(k) >> a) & 1;
                                    if (n != 2) continue;
                                    for (const int k : otras)
                                        p.eliminadas.emplace_back(k, b);
                                    p.casas = {static_cast<uint8_t>(h)};
                                    tipo = "tipo 4";
                                }
                                if (!p.eliminadas.empty()) break;
                            }
                    }
                    if (p.eliminadas.empty()) continue;
                    for (const int k : cs)
                        p.origen.push_back(static_cast<uint8_t>(k));
                    return Cerrar(std::move(p), "Rectángulo único {" + Digitos(par, "") + "} (" +
                                                    tipo + ") en " + ListaCasillas(p.origen));
                }
    return std::nullopt;
}

// Every empty cell has two candidates but one with three: otherwise each digit would appear
// twice in each house and the puzzle would have two solutions, so that cell takes the digit
// that appears three times in its row.
std::optional<Paso> BugMasUno(const Candidatos& c) {
    if (!c.Unica() || c.Killer()) return std::nullopt;
    int tres = -1;
    for (int k = 0; k < kCasillas; ++k) {
        const int n = Cuenta(c.Mascara(k));
        if (c.Valor(k) || n == 2) continue;
        if (n != 3 || tres >= 0) return std::nullopt;
        tres = k;
    }
    if (tres < 0) return std::nullopt;
    const Geometria& g = Geo();
    for (uint16_t r = c.Mascara(tres); r; r &= r - 1) {
        const int d = PrimerDigito(r);
        int n = 0;
        for (const int k : g.casa[tres / 9])
            n += (c.Mascara(k) >> d) & 1;
        if (n != 3) continue;
        Paso p = Nuevo(Tecnica::BugMasUno);
        p.origen = {static_cast<uint8_t>(tres)};
        p.casas = {static_cast<uint8_t>(tres / 9)};
        p.colocadas.emplace_back(tres, d);
        return Cerrar(std::move(p), "Tumba bivalente más una en " + NombreCasilla(tres));
    }
    return std::nullopt;
}

// ---- Combination conflicts -------------------------------------------------------------------

// Whether the other cages can each take a digit set, all disjoint and disjoint from `usados`.
bool Disjuntas(const std::vector<std::vector<uint16_t>>& combos, size_t i, size_t salto,
               uint16_t usados) {
    if (i == combos.size()) return true;
    if (i == salto) return Disjuntas(combos, i + 1, salto, usados);
    for (const uint16_t x : combos[i])
        if (!(x & usados) && Disjuntas(combos, i + 1, salto, usados | x)) return true;
    return false;
}

std::optional<Paso> ConflictoDeCombinaciones(const Candidatos& c) {
    const Geometria& g = Geo();
    const auto& jaulas = c.Jaulas();
    for (int h = 0; h < 27; ++h) {
        std::vector<int> dentro;
        for (size_t j = 0; j < jaulas.size(); ++j)
            if (std::all_of(jaulas[j].casillas.begin(), jaulas[j].casillas.end(),
                            [&](int k) { return g.conjunto[h][k]; }))
                dentro.push_back(static_cast<int>(j));
        if (dentro.size() < 2) continue;
        std::vector<AnalisisJaula> an;
        std::vector<std::vector<uint16_t>> combos;
        for (const int j : dentro) {
            an.push_back(Analizar(c, jaulas[j]));
            combos.push_back(an.back().combos);
        }
        for (size_t i = 0; i < dentro.size(); ++i) {
            if (an[i].libres.empty()) continue;
            std::vector<uint16_t> quedan;
            for (const uint16_t x : combos[i])
                if (Disjuntas(combos, 0, i, x)) quedan.push_back(x);
            if (quedan.size() == combos[i].size() || quedan.empty()) continue;
            const AnalisisJaula a = Analizar(c, jaulas[dentro[i]], &quedan);
            Paso p = Nuevo(Tecnica::ConflictoDeCombinaciones);
            for (size_t x = 0; x < a.libres.size(); ++x)
                for (uint16_t r = c.Mascara(a.libres[x]) & ~a.apoyo[x]; r; r &= r - 1)
                    p.eliminadas.emplace_back(a.libres[x], PrimerDigito(r));
            if (p.eliminadas.empty()) continue;
            for (const int j : dentro) {
                p.segmentos.push_back(jaulas[j].segmento);
                p.origen.insert(p.origen.end(), jaulas[j].casillas.begin(),
                                jaulas[j].casillas.end());
            }
            p.casas = {static_cast<uint8_t>(h)};
            return Cerrar(std::move(p), "Conflicto de combinaciones en " + NombreCasa(h) + ": " +
                                            NombreJaula(c, dentro[i]) + " solo admite " +
                                            TextoCombos(quedan));
        }
    }
    return std::nullopt;
}

// ---- Chains ----------------------------------------------------------------------------------

// Each link past the shortest chain of its kind, and each placement a forcing chain follows,
// adds a fifth of the technique's weight.
int64_t PesoLargo(Tecnica t, int pasos) {
    return PesoDe(t) / 5 * pasos;
}

std::vector<uint16_t> Obligados(const Candidatos& c) {
    std::vector<uint16_t> o;
    for (const Jaula& ja : c.Jaulas())
        o.push_back(Analizar(c, ja).obligados);
    return o;
}

// The candidates as the nodes of chains, (cell, digit), and their links. Strong: one of the
// two holds (a cell's last two digits, a digit's last two places in a house or in a cage that
// needs it). Weak: not both (two digits of a cell, one digit in cells that see each other).
struct Red {
    std::vector<std::pair<uint8_t, uint8_t>> nodo;
    std::array<std::array<int16_t, 10>, kCasillas> id{};
    std::vector<std::vector<int>> fuertes, debiles;
};

Red Tender(const Candidatos& c) {
    const Geometria& g = Geo();
    Red r;
    for (int k = 0; k < kCasillas; ++k) {
        r.id[k].fill(-1);
        for (uint16_t m = c.Mascara(k); m; m &= m - 1) {
            r.id[k][PrimerDigito(m)] = static_cast<int16_t>(r.nodo.size());
            r.nodo.emplace_back(k, PrimerDigito(m));
        }
    }
    const int n = static_cast<int>(r.nodo.size());
    r.fuertes.resize(n);
    r.debiles.resize(n);
    const auto unir = [&](int a, int b) {
        r.fuertes[a].push_back(b);
        r.fuertes[b].push_back(a);
    };
    const auto unirLugares = [&](const auto& celdas, int d) {
        int a = -1, b = -1, cuantas = 0;
        for (const int k : celdas)
            if (r.id[k][d] >= 0) (cuantas++ ? b : a) = r.id[k][d];
        if (cuantas == 2) unir(a, b);
    };
    for (int k = 0; k < kCasillas; ++k) {
        const uint16_t m = c.Mascara(k);
        if (Cuenta(m) == 2) unir(r.id[k][PrimerDigito(m)], r.id[k][PrimerDigito(m & (m - 1))]);
        for (uint16_t q = m; q; q &= q - 1) {
            const int d = PrimerDigito(q), i = r.id[k][d];
            for (uint16_t o = m & ~Bit(d); o; o &= o - 1)
                r.debiles[i].push_back(r.id[k][PrimerDigito(o)]);
            for (int j = 0; j < kCasillas; ++j)
                if (r.id[j][d] >= 0 && c.Ven(k, j)) r.debiles[i].push_back(r.id[j][d]);
        }
    }
    for (int d = 1; d <= 9; ++d)
        for (const auto& casa : g.casa)
            unirLugares(casa, d);
    const std::vector<uint16_t> oblig = Obligados(c);
    for (size_t j = 0; j < c.Jaulas().size(); ++j)
        for (uint16_t q = oblig[j]; q; q &= q - 1)
            unirLugares(c.Jaulas()[j].casillas, PrimerDigito(q));
    return r;
}

// The three kinds of chain are tried one after another on the same grid: the last network is
// kept per thread, keyed by the cages and the candidates.
const Red& RedDe(const Candidatos& c) {
    thread_local struct {
        std::vector<Jaula> jaulas;
        std::array<uint16_t, kCasillas> mascaras{};
        std::array<uint8_t, kCasillas> valores{};
        Red red;
    } ultima;
    std::array<uint16_t, kCasillas> mascaras;
    std::array<uint8_t, kCasillas> valores;
    for (int k = 0; k < kCasillas; ++k) {
        mascaras[k] = c.Mascara(k);
        valores[k] = static_cast<uint8_t>(c.Valor(k));
    }
    if (ultima.red.nodo.empty() || mascaras != ultima.mascaras || valores != ultima.valores ||
        !MismasJaulas(c.Jaulas(), ultima.jaulas)) {
        ultima.red = Tender(c);
        ultima.jaulas = c.Jaulas();
        ultima.mascaras = mascaras;
        ultima.valores = valores;
    }
    return ultima.red;
}

// What goes when node a or node b is true: the candidates that exclude both.
std::vector<std::pair<uint8_t, uint8_t>> Excluidos(const Candidatos& c, const Red& r, int a,
                                                   int b) {
    std::vector<std::pair<uint8_t, uint8_t>> fuera;
    const auto [ka, da] = r.nodo[a];
    const auto [kb, db] = r.nodo[b];
    if (da == db) {
        for (int k = 0; k < kCasillas; ++k)
            if (k != ka && k != kb && r.id[k][da] >= 0 && c.Ven(k, ka) && c.Ven(k, kb))
                fuera.emplace_back(k, da);
    } else if (ka == kb) {
        for (uint16_t m = c.Mascara(ka) & ~Bit(da) & ~Bit(db); m; m &= m - 1)
            fuera.emplace_back(ka, PrimerDigito(m));
    } else if (c.Ven(ka, kb)) {
        if (r.id[ka][db] >= 0) fuera.emplace_back(ka, db);
        if (r.id[kb][da] >= 0) fuera.emplace_back(kb, da);
    }
    return fuera;
}

// The kinds of chain over the same links, strong and weak in turn: assuming the start false,
// the end is true, so whatever excludes both goes (a chain back to its start places it).
// - Cadena X: one digit, links between cells; 3 to 12 links.
// - Cadena alterna: any links, up to 5.
// - Cadena XY: cells of two digits, strong inside a cell and weak between cells, ends of one
//   digit; 3 to 13 cells (those of 3 are alternating chains already, found before).
// - Cadena alterna larga: any links, 7 of them; as hard to spot as a forcing chain, but
//   shorter to follow, and tried before one.
std::optional<Paso> Cadena(const Candidatos& c, Tecnica t) {
    const Red& r = RedDe(c);
    const int n = static_cast<int>(r.nodo.size());
    const bool x = t == Tecnica::CadenaX, xy = t == Tecnica::CadenaXY;
    const auto bivalor = [&](int i) { return Cuenta(c.Mascara(r.nodo[i].first)) == 2; };
    const auto usa = [&](int i, int j, bool fuerte) {
        const bool celda = r.nodo[i].first == r.nodo[j].first;
        if (x) return !celda;
        if (xy) return bivalor(j) && celda == fuerte;
        return true;
    };
    const bool larga = t == Tecnica::CadenaAlternaLarga;
    const int minimo = xy ? 5 : larga ? 7 : 3, maximo = x ? 12 : xy ? 25 : larga ? 7 : 5; // links
    // State 2i: node i false; 2i + 1: node i true (assuming the start false).
    std::vector<int> previo(2 * n), dist(2 * n), cola;
    for (int s = 0; s < n; ++s) {
        if (r.fuertes[s].empty() || (xy && !bivalor(s))) continue;
        std::fill(dist.begin(), dist.end(), -1);
        cola.assign(1, 2 * s);
        dist[2 * s] = 0;
        previo[2 * s] = -1;
        for (size_t q = 0; q < cola.size(); ++q) {
            const int e = cola[q], i = e / 2, on = e % 2;
            const bool fin =
                on && dist[e] >= minimo && (!xy || r.nodo[i].second == r.nodo[s].second);
            if (fin && (i != s || !(x || xy))) {
                Paso p = Nuevo(t);
                if (i == s)
                    p.colocadas.push_back(r.nodo[s]);
                else
                    p.eliminadas = Excluidos(c, r, s, i);
                if (!p.colocadas.empty() || !p.eliminadas.empty()) {
                    p.peso += PesoLargo(t, xy ? (dist[e] + 1) / 2 - 3 : dist[e] - minimo);
                    std::string texto;
                    for (int z = e; z >= 0; z = previo[z]) {
                        const auto [k, d] = r.nodo[z / 2];
                        p.origen.push_back(k);
                        if (x || xy) {
                            if (previo[z] >= 0 && r.nodo[previo[z] / 2].first == k) continue;
                            texto = NombreCasilla(k) + (texto.empty() ? "" : " – ") + texto;
                        } else {
                            const char* enlace = z % 2 ? " – " : " = ";
                            texto = std::to_string(d) + " en " + NombreCasilla(k) +
                                    (texto.empty() ? "" : enlace) + texto;
                        }
                    }
                    return Cerrar(std::move(p), x ? "Cadena X del " +
                                                        std::to_string(r.nodo[s].second) + " (" +
                                                        texto + ")"
                                                : xy ? "Cadena XY (" + texto + ")"
                                                     : "Cadena alterna (" + texto + ")");
                }
            }
            if (dist[e] >= maximo) continue;
            for (const int j : on ? r.debiles[i] : r.fuertes[i]) {
                const int f = 2 * j + (1 - on);
                if (dist[f] >= 0 || !usa(i, j, !on)) continue;
                dist[f] = dist[e] + 1;
                previo[f] = e;
                cola.push_back(f);
            }
        }
    }
    return std::nullopt;
}

// ---- Forcing chains --------------------------------------------------------------------------

constexpr int kMaxForzada = 30; // placements followed from an assumption
constexpr int kCosteBasta = 2;  // a chain this short is taken without looking further

struct Rejilla {
    std::array<uint8_t, kCasillas> valor;
    std::array<uint16_t, kCasillas> cand;
};

// Places d in k on a copy; false on a contradiction it sees at once.
bool Poner(const Candidatos& c, Rejilla& r, int k, int d) {
    if (!(r.cand[k] & Bit(d))) return false;
    r.valor[k] = static_cast<uint8_t>(d);
    r.cand[k] = 0;
    for (int j = 0; j < kCasillas; ++j)
        if (c.Ven(k, j)) {
            if (r.valor[j] == d) return false;
            r.cand[j] &= static_cast<uint16_t>(~Bit(d));
        }
    return true;
}

// Singles and cage sums from an assumption, up to kMaxForzada placements; false when it
// reaches a contradiction.
bool Propagar(const Candidatos& c, Rejilla& r, int& pasos) {
    const Geometria& g = Geo();
    for (pasos = 0; pasos < kMaxForzada;) {
        bool avanza = false;
        for (int k = 0; k < kCasillas; ++k) {
            if (r.valor[k]) continue;
            if (r.cand[k] == 0) return false;
            if (Cuenta(r.cand[k]) == 1) {
                if (!Poner(c, r, k, PrimerDigito(r.cand[k]))) return false;
                ++pasos;
                avanza = true;
            }
        }
        for (int h = 0; h < 27; ++h)
            for (int d = 1; d <= 9; ++d) {
                int n = 0, lugar = -1;
                bool puesto = false;
                for (const int k : g.casa[h]) {
                    if (r.valor[k] == d) puesto = true;
                    if (r.cand[k] & Bit(d)) {
                        ++n;
                        lugar = k;
                    }
                }
                if (puesto) continue;
                if (n == 0) return false;
                if (n == 1) {
                    if (!Poner(c, r, lugar, d)) return false;
                    ++pasos;
                    avanza = true;
                }
            }
        for (const Jaula& ja : c.Jaulas()) {
            int resto = ja.suma, libres = 0, libre = -1, minimo = 0, maximo = 0;
            for (const int k : ja.casillas) {
                if (r.valor[k]) {
                    resto -= r.valor[k];
                } else {
                    ++libres;
                    libre = k;
                    if (r.cand[k] == 0) return false;
                    minimo += PrimerDigito(r.cand[k]);
                    maximo += 31 - std::countl_zero(static_cast<unsigned>(r.cand[k]));
                }
            }
            if (libres == 0 && resto != 0) return false;
            if (libres > 0 && (resto < minimo || resto > maximo)) return false;
            if (libres == 1) {
                if (!Poner(c, r, libre, resto)) return false;
                ++pasos;
                avanza = true;
            } else if (libres > 1) {
                // The digit sets that still fit: none is a contradiction, and their union
                // bounds every empty cell.
                std::array<uint16_t, 9> m{};
                std::array<uint8_t, 9> cs{};
                uint16_t puestos = 0;
                int n = 0;
                for (const int k : ja.casillas) {
                    if (r.valor[k])
                        puestos |= Bit(r.valor[k]);
                    else
                        cs[n++] = static_cast<uint8_t>(k);
                }
                uint16_t union_ = 0;
                for (const uint16_t combo : Combinaciones(n, resto)) {
                    if ((combo & puestos) || (combo & ~union_) == 0) continue;
                    for (int i = 0; i < n; ++i)
                        m[i] = r.cand[cs[i]] & combo;
                    uint8_t dig[9];
                    if (Asignar(m.data(), n, 0, combo, dig)) union_ |= combo;
                }
                if (!union_) return false;
                for (int i = 0; i < n; ++i)
                    if (r.cand[cs[i]] & ~union_) {
                        r.cand[cs[i]] &= union_;
                        if (!r.cand[cs[i]]) return false;
                        avanza = true;
                    }
            }
        }
        if (!avanza) break;
    }
    return true;
}

Rejilla Base(const Candidatos& c) {
    Rejilla base;
    for (int k = 0; k < kCasillas; ++k) {
        base.valor[k] = static_cast<uint8_t>(c.Valor(k));
        base.cand[k] = c.Mascara(k);
    }
    return base;
}

// A forcing chain from a cage's digit sets: with two or three sets left, each is followed (its
// cells keep only its digits); a set that ends in a contradiction goes, and a digit every set
// places is placed.
std::optional<Paso> CadenaDesdeJaula(const Candidatos& c) {
    const Rejilla base = Base(c);
    for (size_t j = 0; j < c.Jaulas().size(); ++j) {
        const Jaula& ja = c.Jaulas()[j];
        const AnalisisJaula a = Analizar(c, ja);
        if (a.combos.size() < 2 || a.combos.size() > 3) continue;
        std::vector<uint16_t> quedan;
        std::vector<Rejilla> ramas;
        int coste = 0;
        for (const uint16_t combo : a.combos) {
            Rejilla x = base;
            int pasos = 0;
            for (const int k : a.libres)
                x.cand[k] &= combo;
            if (Propagar(c, x, pasos)) {
                quedan.push_back(combo);
                ramas.push_back(x);
            }
            coste = std::max(coste, pasos);
        }
        if (quedan.empty()) continue; // an earlier mistake; never act on it
        Paso p = Nuevo(Tecnica::CadenaDesdeJaula);
        p.peso += PesoLargo(p.tecnica, coste);
        if (quedan.size() < a.combos.size()) {
            const AnalisisJaula b = Analizar(c, ja, &quedan);
            for (size_t i = 0; i < b.libres.size(); ++i)
                for (uint16_t r = c.Mascara(b.libres[i]) & ~b.apoyo[i]; r; r &= r - 1)
                    p.eliminadas.emplace_back(b.libres[i], PrimerDigito(r));
        } else {
            for (int k = 0; k < kCasillas; ++k) {
                const int v = ramas[0].valor[k];
                if (!c.Valor(k) && v &&
                    std::all_of(ramas.begin(), ramas.end(),
                                [&](const Rejilla& x) { return x.valor[k] == v; }))
                    p.colocadas.emplace_back(k, v);
            }
        }
        if (p.colocadas.empty() && p.eliminadas.empty()) continue;
        p.origen = ja.casillas;
        p.segmentos = {ja.segmento};
        return Cerrar(std::move(p), "Cadena desde las combinaciones de " +
                                        NombreJaula(c, static_cast<int>(j)) + " (" +
                                        TextoCombos(a.combos) + ")");
    }
    return std::nullopt;
}

// The cheapest forcing chain: from every cell with two or three candidates, and every digit
// with two places in a house, each choice followed; a choice that ends in a contradiction goes,
// and a digit every choice places is placed. Its cost is the placements followed.
std::optional<Paso> CadenaForzada(const Candidatos& c) {
    const Geometria& g = Geo();
    const Rejilla base = Base(c);
    std::optional<Paso> mejor;
    int costeMejor = kMaxForzada + 1;
    // Each choice: a cell and a digit.
    const auto probar = [&](const std::vector<std::pair<int, int>>& opciones,
                            const std::string& desde) {
        std::vector<Rejilla> ramas;
        int coste = 0;
        for (const auto& [k, d] : opciones) {
            Rejilla x = base;
            int pasos = 0;
            const bool bien = Poner(c, x, k, d) && Propagar(c, x, pasos);
            if (!bien) {
                if (pasos + 1 >= costeMejor) continue;
                Paso p = Nuevo(Tecnica::CadenaForzada);
                p.peso += PesoLargo(p.tecnica, pasos);
                p.origen = {static_cast<uint8_t>(k)};
                p.eliminadas.emplace_back(k, d);
                costeMejor = pasos + 1;
                mejor =
                    Cerrar(std::move(p), "Cadena forzada: si " + NombreCasilla(k) + " = " +
                                             std::to_string(d) + ", se llega a una contradicción");
                return;
            }
            coste = std::max(coste, pasos);
            ramas.push_back(x);
        }
        if (coste >= costeMejor) return;
        Paso p = Nuevo(Tecnica::CadenaForzada);
        for (int j = 0; j < kCasillas; ++j) {
            if (c.Valor(j)) continue;
            const int v = ramas[0].valor[j];
            if (v &&
                std::all_of(ramas.begin(), ramas.end(),
                            [&](const Rejilla& x) { return x.valor[j] == v; }) &&
                std::none_of(opciones.begin(), opciones.end(),
                             [&](const auto& o) { return o.first == j; }))
                p.colocadas.emplace_back(j, v);
        }
        if (p.colocadas.empty()) return;
        p.peso += PesoLargo(p.tecnica, coste);
        for (const auto& o : opciones)
            p.origen.push_back(static_cast<uint8_t>(o.first));
        costeMejor = coste;
        mejor =
            Cerrar(std::move(p), "Cadena forzada desde " + desde + ": lo mismo en todos los casos");
    };
    // Two-way choices first; three-way ones only when none of those gives anything.
    for (int k = 0; k < kCasillas && costeMejor > kCosteBasta; ++k) {
        if (Cuenta(c.Mascara(k)) != 2) continue;
        std::vector<std::pair<int, int>> o;
        for (uint16_t r = c.Mascara(k); r; r &= r - 1)
            o.emplace_back(k, PrimerDigito(r));
        probar(o, NombreCasilla(k) + " (" + Digitos(c.Mascara(k), " o ") + ")");
    }
    for (int h = 0; h < 27 && costeMejor > kCosteBasta; ++h)
        for (int d = 1; d <= 9; ++d) {
            std::vector<std::pair<int, int>> o;
            for (const int k : g.casa[h])
                if (c.Mascara(k) & Bit(d)) o.emplace_back(k, d);
            if (o.size() == 2)
                probar(o, "el " + std::to_string(d) + " en " + NombreCasa(h) + " (" +
                              NombreCasilla(o[0].first) + " o " + NombreCasilla(o[1].first) + ")");
        }
    for (int k = 0; k < kCasillas && !mejor; ++k) {
        if (Cuenta(c.Mascara(k)) != 3) continue;
        std::vector<std::pair<int, int>> o;
        for (uint16_t r = c.Mascara(k); r; r &= r - 1)
            o.emplace_back(k, PrimerDigito(r));
        probar(o, NombreCasilla(k) + " (" + Digitos(c.Mascara(k), " o ") + ")");
    }
    return mejor;
}

// ---- Guessing ----------------------------------------------------------------------------------

std::optional<std::array<uint8_t, kCasillas>> SolucionDe(const Candidatos& c) {
    if (c.Solucion()) return c.Solucion();
    Reglas r = c.ReglasDelPuzzle();
    for (int k = 0; k < kCasillas; ++k)
        if (c.Valor(k)) r.fija[k] = static_cast<uint8_t>(c.Valor(k));
    const Veredicto v = Juzgar(r);
    if (v.soluciones == 0) return std::nullopt;
    return v.primera;
}

// A guess where it is smallest, taking the solution's digit: the known answer picks the branch
// a person would have had to try, so the path stays short and always right.
std::optional<Paso> PruebaYError(const Candidatos& c) {
    int mejor = -1;
    for (int k = 0; k < kCasillas; ++k)
        if (!c.Valor(k) && c.Mascara(k) &&
            (mejor < 0 || Cuenta(c.Mascara(k)) < Cuenta(c.Mascara(mejor))))
            mejor = k;
    if (mejor < 0) return std::nullopt;
    const auto sol = SolucionDe(c);
    if (!sol || !(c.Mascara(mejor) & Bit((*sol)[mejor]))) return std::nullopt;
    Paso p = Nuevo(Tecnica::PruebaYError);
    p.origen = {static_cast<uint8_t>(mejor)};
    p.colocadas.emplace_back(mejor, (*sol)[mejor]);
    return Cerrar(std::move(p), "Prueba y error en " + NombreCasilla(mejor) + " (" +
                                    Digitos(c.Mascara(mejor), " o ") + ")");
}

} // namespace

std::string_view NombreNivel(Nivel n) {
    return kNombresNivel[static_cast<int>(n)];
}
std::string_view NombreTecnica(Tecnica t) {
    return kFichas[static_cast<int>(t)].nombre;
}
Nivel NivelDe(Tecnica t) {
    return kFichas[static_cast<int>(t)].nivel;
}
int64_t PesoDe(Tecnica t) {
    return kFichas[static_cast<int>(t)].peso;
}

std::string NombreCasilla(int k) {
    return "F" + std::to_string(FilaDe(k)) + "C" + std::to_string(ColDe(k));
}

std::string NombreCasa(int casa) {
    if (casa < 9) return "la fila " + std::to_string(casa + 1);
    if (casa < 18) return "la columna " + std::to_string(casa - 8);
    return "el cuadro " + std::to_string(casa - 17);
}

Candidatos::Candidatos() {
    Preparar();
}

Candidatos::Candidatos(const Reglas& r) : reglas_(r) {
    Preparar();
}

Candidatos::Candidatos(const Enunciado& e) {
    Tablero t;
    if (Validar(t, e)) {
        valido_ = false;
        Preparar();
        return;
    }
    reglas_ = ReglasDe(t);
    Preparar();
}

void Candidatos::Preparar() {
    const Geometria& g = Geo();
    jaulaDe_.fill(-1);
    std::array<int, kCasillas> indice;
    indice.fill(-1);
    for (int k = 0; k < kCasillas; ++k) {
        const int s = reglas_.segmento[k];
        if (s < 0) continue;
        if (indice[s] < 0) {
            indice[s] = static_cast<int>(jaulas_.size());
            jaulas_.push_back({static_cast<int8_t>(s), reglas_.suma[s], {}});
        }
        jaulas_[indice[s]].casillas.push_back(static_cast<uint8_t>(k));
        jaulaDe_[k] = static_cast<int8_t>(indice[s]);
    }
    for (int k = 0; k < kCasillas; ++k) {
        for (const int h : g.casasDe[k])
            ve_[k] |= g.conjunto[h];
        if (jaulaDe_[k] >= 0)
            for (const int j : jaulas_[jaulaDe_[k]].casillas)
                ve_[k].set(j);
        ve_[k].reset(k);
    }
    cand_.fill(kDigitos);
    for (const Jaula& ja : jaulas_)
        if (ja.suma == 0)
            for (const int k : ja.casillas)
                cand_[k] = 0;
    for (int k = 0; k < kCasillas; ++k)
        if (const int d = reglas_.fija[k]; d >= 1 && d <= 9) {
            if (!(cand_[k] & Bit(d))) valido_ = false;
            Colocar(k, d);
        }
}

void Candidatos::Colocar(int k, int d) {
    valor_[k] = static_cast<uint8_t>(d);
    cand_[k] = 0;
    for (int j = 0; j < kCasillas; ++j)
        if (ve_[k][j]) cand_[j] &= static_cast<uint16_t>(~Bit(d));
}

bool Candidatos::Resuelto() const {
    return std::all_of(valor_.begin(), valor_.end(), [](uint8_t v) { return v != 0; });
}

bool Candidatos::Contradiccion() const {
    const Geometria& g = Geo();
    for (int k = 0; k < kCasillas; ++k)
        if (!valor_[k] && !cand_[k]) return true;
    for (int h = 0; h < 27; ++h) {
        uint16_t hay = 0;
        for (const int k : g.casa[h])
            hay |= cand_[k] | Bit(valor_[k]);
        if ((hay & kDigitos) != kDigitos) return true;
    }
    return false;
}

std::optional<Paso> Probar(Tecnica t, const Candidatos& c) {
    if (!c.Valido() || c.Resuelto() || c.Contradiccion()) return std::nullopt;
    switch (t) {
    case Tecnica::JaulaDeUnaCasilla:
        return JaulaDeUnaCasilla(c);
    case Tecnica::UltimaCasillaDeJaula:
        return UltimaCasillaDeJaula(c);
    case Tecnica::UnicoLugarCuadro:
        return UnicoLugar(c, 18, t);
    case Tecnica::UnicoLugarFila:
        return UnicoLugar(c, 0, t);
    case Tecnica::UnicoLugarColumna:
        return UnicoLugar(c, 9, t);
    case Tecnica::UnicoCandidato:
        return UnicoCandidato(c);
    case Tecnica::CombinacionesDeJaula:
        return CombinacionesDeJaula(c);
    case Tecnica::DigitoObligadoDeJaula:
        return DigitoObligadoDeJaula(c);
    case Tecnica::BloqueoApuntado:
        return Bloqueo(c, true);
    case Tecnica::BloqueoReclamo:
        return Bloqueo(c, false);
    case Tecnica::Regla45Casa:
    case Tecnica::Regla45Interiores:
    case Tecnica::Regla45Exteriores:
    case Tecnica::Regla45Diferencia:
    case Tecnica::JaulaOculta:
        return Regla45(c, t, t);
    case Tecnica::ParejaDesnuda:
        return Desnudo(c, 2);
    case Tecnica::ParejaOculta:
        return Oculto(c, 2);
    case Tecnica::TrioDesnudo:
        return Desnudo(c, 3);
    case Tecnica::TrioOculto:
        return Oculto(c, 3);
    case Tecnica::CuartetoDesnudo:
        return Desnudo(c, 4);
    case Tecnica::CuartetoOculto:
        return Oculto(c, 4);
    case Tecnica::XWing:
        return Pez(c, 2);
    case Tecnica::Swordfish:
        return Pez(c, 3);
    case Tecnica::Jellyfish:
        return Pez(c, 4);
    case Tecnica::RectanguloUnico:
        return RectanguloUnico(c);
    case Tecnica::BugMasUno:
        return BugMasUno(c);
    case Tecnica::XYWing:
        return Ala(c, false);
    case Tecnica::WXYZWing:
        return AlaGrande(c, 4);
    case Tecnica::VWXYZWing:
        return AlaGrande(c, 5);
    case Tecnica::XYZWing:
        return Ala(c, true);
    case Tecnica::ConflictoDeCombinaciones:
        return ConflictoDeCombinaciones(c);
    case Tecnica::CadenaX:
    case Tecnica::CadenaXY:
    case Tecnica::CadenaAlterna:
    case Tecnica::CadenaAlternaLarga:
        return Cadena(c, t);
    case Tecnica::CadenaDesdeJaula:
        return CadenaDesdeJaula(c);
    case Tecnica::CadenaForzada:
        return CadenaForzada(c);
    case Tecnica::PruebaYError:
        return PruebaYError(c);
    }
    return std::nullopt;
}

std::optional<Paso> SiguientePaso(const Candidatos& c) {
    if (!c.Valido() || c.Resuelto() || c.Contradiccion()) return std::nullopt;
    for (int t = 0; t < kTecnicas; ++t) {
        // The 45 rule's kinds past one house share one pass over the regions.
        if (t > static_cast<int>(Tecnica::Regla45Interiores) &&
            t <= static_cast<int>(Tecnica::JaulaOculta))
            continue;
        const auto p = t == static_cast<int>(Tecnica::Regla45Interiores)
                           ? Regla45(c, Tecnica::Regla45Interiores, Tecnica::JaulaOculta)
                           : Probar(static_cast<Tecnica>(t), c);
        if (p) return p;
    }
    return std::nullopt;
}

void Aplicar(Candidatos& c, const Paso& p) {
    for (const auto& [k, d] : p.colocadas)
        if (!c.Valor(k)) c.Colocar(k, d);
    for (const auto& [k, d] : p.eliminadas)
        c.Quitar(k, d);
}

Calificacion Resolver(Candidatos c, std::stop_token parar) {
    Calificacion cal;
    if (!c.Valido()) return cal;
    if (!c.Killer() && !c.Solucion()) {
        const Veredicto v = Juzgar(c.ReglasDelPuzzle());
        if (v.soluciones >= 1) c.FijarSolucion(v.primera, v.soluciones == 1);
    }
    while (!c.Resuelto()) {
        if (parar.stop_requested()) return cal;
        std::optional<Paso> p = SiguientePaso(c);
        if (!p) break;
        if (p->tecnica == Tecnica::PruebaYError && !c.Solucion())
            if (const auto s = SolucionDe(c)) c.FijarSolucion(*s, false);
        Aplicar(c, *p);
        cal.puntuacion += p->peso;
        if (cal.pasos.empty() || p->nivel > cal.nivel ||
            (p->nivel == cal.nivel && PesoDe(p->tecnica) > PesoDe(cal.masDificil))) {
            cal.nivel = p->nivel;
            cal.masDificil = p->tecnica;
        }
        cal.pasos.push_back(std::move(*p));
    }
    cal.resuelto = c.Resuelto();
    return cal;
}

Calificacion Resolver(const Enunciado& e, std::stop_token parar) {
    return Resolver(Candidatos(e), std::move(parar));
}

} // namespace velmora
