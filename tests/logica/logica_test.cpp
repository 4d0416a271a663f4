#include "logica/logica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "lineas.h"
#include "support/azar.h"

namespace velmora {
namespace {

// A solved grid made from the base pattern, so that the tables below can name its digits.
constexpr Rejilla81 kBase = [] {
    Rejilla81 r{};
    for (int f = 0; f < 9; ++f)
        for (int c = 0; c < 9; ++c)
            r[9 * f + c] = static_cast<uint8_t>((f * 3 + f / 3 + c) % 9 + 1);
    return r;
}();

// A classic puzzle with one solution: givens taken away in random order while the verdict
// still finds one solution, down to `pistas` or as far as it goes.
Reglas ClasicoUnico(Azar& az, const Rejilla81& sol, int pistas) {
    Reglas r;
    r.fija = sol;
    std::vector<int> orden(kCasillas);
    for (int k = 0; k < kCasillas; ++k)
        orden[k] = k;
    az.Barajar(orden);
    int quedan = kCasillas;
    for (const int k : orden) {
        if (quedan <= pistas) break;
        const uint8_t d = r.fija[k];
        r.fija[k] = 0;
        if (Juzgar(r).soluciones != 1)
            r.fija[k] = d;
        else
            --quedan;
    }
    return r;
}

// A Killer of random cages up to `maxima` cells, with the solution's sums; it may have more
// solutions than this one, which every sound step keeps.
Reglas KillerAlAzar(Azar& az, const Rejilla81& sol, int maxima) {
    Reglas r;
    const auto jaulas = Jaulas(sol, az, maxima);
    for (size_t j = 0; j < jaulas.size(); ++j)
        for (const int k : jaulas[j]) {
            r.segmento[k] = static_cast<int8_t>(j);
            r.suma[j] = static_cast<uint8_t>(r.suma[j] + sol[k]);
        }
    return r;
}

// Steps until solved or stuck, each checked against the solution; the solution also picks the
// guesses. Returns the grade's path.
std::vector<Paso> ComprobarPasos(const Reglas& r, const Rejilla81& sol, bool unica,
                                 const std::string& nombre) {
    SCOPED_TRACE(nombre);
    Candidatos c(r);
    c.FijarSolucion(sol, unica);
    std::vector<Paso> pasos;
    for (int i = 0; i < 400 && !c.Resuelto(); ++i) {
        const std::optional<Paso> p = SiguientePaso(c);
        if (!p) break;
        for (const auto& [k, d] : p->colocadas)
            EXPECT_EQ(sol[k], d) << p->frase;
        for (const auto& [k, d] : p->eliminadas)
            EXPECT_NE(sol[k], d) << p->frase;
        EXPECT_FALSE(p->colocadas.empty() && p->eliminadas.empty()) << p->frase;
        if (::testing::Test::HasFailure()) return pasos;
        Aplicar(c, *p);
        pasos.push_back(*p);
    }
    EXPECT_TRUE(c.Resuelto());
    return pasos;
}

// Unique classics and Killers of random cages, taking turns.
TEST(Logica, NingunPasoContradiceLaSolucionEnPuzzlesAlAzar) {
    Azar az(18);
    std::array<int, kTecnicas> usadas{};
    for (int n = 0; n < 600 && !HasFailure(); ++n) {
        const Rejilla81 sol = RejillaResuelta(az);
        const bool clasico = n % 2 == 0;
        const Reglas r = clasico ? ClasicoUnico(az, sol, az.Entre(17, 36))
                                 : KillerAlAzar(az, sol, az.Entre(2, 6));
        const std::string nombre = (clasico ? "clásico " : "killer ") + std::to_string(n);
        for (const Paso& p : ComprobarPasos(r, sol, clasico, nombre))
            ++usadas[static_cast<int>(p.tecnica)];
    }
    // The generated puzzles reach beyond singles.
    for (const Tecnica t :
         {Tecnica::ParejaDesnuda, Tecnica::BloqueoApuntado, Tecnica::CombinacionesDeJaula,
          Tecnica::Regla45Casa, Tecnica::Regla45Interiores, Tecnica::JaulaOculta})
        EXPECT_GT(usadas[static_cast<int>(t)], 0) << NombreTecnica(t);
}

// The Killers of the verdict's benchmark: one solution each, found by the verdict.
TEST(Logica, NingunPasoContradiceLaSolucionEnKillersUnicos) {
    for (const char* fichero : {"killer_generado.txt", "killer_parcial.txt"}) {
        const auto puzzles = lineas::LeerFichero(std::string(VELMORA_BENCH_DATA) + '/' + fichero);
        ASSERT_FALSE(puzzles.empty());
        for (size_t i = 0; i < puzzles.size() && !HasFailure(); ++i) {
            const Candidatos c(puzzles[i].e);
            ASSERT_TRUE(c.Valido());
            const Veredicto v = Juzgar(c.ReglasDelPuzzle());
            ASSERT_EQ(v.soluciones, 1);
            ComprobarPasos(c.ReglasDelPuzzle(), v.primera, true,
                           std::string(fichero) + ':' + std::to_string(i + 1));
        }
    }
}

// ---- Positions where each technique must fire, and where it must not ------------------------

// Cells by name, to keep the tables readable: "F3C4".
uint8_t K(const char* n) {
    return static_cast<uint8_t>(9 * (n[1] - '1') + (n[3] - '1'));
}

struct Marca {
    const char* casilla;
    uint16_t mascara; // kept candidates
};

struct Posicion {
    std::string nombre;
    Tecnica tecnica;
    std::vector<std::pair<std::string, int>> cajas; // "F1C1 F1C2" cells and sum, from kBase
    std::string pistas;                             // classic givens, 81 chars, or empty
    std::vector<Marca> marcas;
    std::vector<std::pair<uint8_t, uint8_t>> colocadas, eliminadas; // expected; empty: any
    bool dispara = true;
};

Posicion P(std::string nombre, Tecnica t, std::vector<std::pair<std::string, int>> cajas,
           std::string pistas, std::vector<Marca> marcas,
           std::vector<std::pair<uint8_t, uint8_t>> colocadas,
           std::vector<std::pair<uint8_t, uint8_t>> eliminadas) {
    return {std::move(nombre),    t,
            std::move(cajas),     std::move(pistas),
            std::move(marcas),    std::move(colocadas),
            std::move(eliminadas)};
}

// A position where the technique must not fire.
Posicion N(std::string nombre, Tecnica t, std::vector<std::pair<std::string, int>> cajas,
           std::string pistas, std::vector<Marca> marcas) {
    Posicion p =
        P(std::move(nombre), t, std::move(cajas), std::move(pistas), std::move(marcas), {}, {});
    p.dispara = false;
    return p;
}

uint16_t M(std::initializer_list<int> ds) {
    uint16_t m = 0;
    for (const int d : ds)
        m |= Bit(d);
    return m;
}

Candidatos Montar(const Posicion& p) {
    Reglas r;
    for (size_t j = 0; j < p.cajas.size(); ++j) {
        const std::string& cs = p.cajas[j].first;
        for (size_t i = 0; i + 3 < cs.size() + 1; i += 5)
            r.segmento[K(cs.c_str() + i)] = static_cast<int8_t>(j);
        r.suma[j] = static_cast<uint8_t>(p.cajas[j].second);
    }
    for (size_t k = 0; k < p.pistas.size(); ++k)
        if (p.pistas[k] >= '1' && p.pistas[k] <= '9')
            r.fija[k] = static_cast<uint8_t>(p.pistas[k] - '0');
    Candidatos c(r);
    for (const Marca& m : p.marcas)
        c.Restringir(K(m.casilla), m.mascara);
    return c;
}

// kBase row 1 reads 123456789, row 2 456789123, row 4 234567891, row 5 567891234.
const std::string kFila1Casi = "12345678." + std::string(72, '.');
const std::string kCaja1Casi = "12..8...."
                               "34......."
                               "567......" +
                               std::string(54, '.');
const std::string kColumna1Casi = [] {
    std::string s(kCasillas, '.');
    for (int f = 0; f < 8; ++f)
        s[9 * f] = static_cast<char>('1' + f);
    return s;
}();

std::vector<Marca> SinDigito(int d, std::initializer_list<const char*> cs) {
    std::vector<Marca> v;
    for (const char* c : cs)
        v.push_back({c, static_cast<uint16_t>(kDigitos & ~Bit(d))});
    return v;
}

std::vector<Marca> Unir(std::vector<Marca> a, const std::vector<Marca>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Posicion>& Posiciones() {
    static const std::vector<Posicion> v = [] {
        std::vector<Posicion> v;
        const auto fila1Sin5Salvo = SinDigito(5, {"F2C1", "F2C2", "F2C3", "F3C1", "F3C2", "F3C3"});
        v.push_back(P("una casilla", Tecnica::JaulaDeUnaCasilla, {{"F5C5", 7}}, "", {},
                      {{K("F5C5"), 7}}, {}));
        v.push_back(
            N("sin jaula de una casilla", Tecnica::JaulaDeUnaCasilla, {{"F5C5 F5C6", 7}}, "", {}));
        v.push_back(P("última de la jaula", Tecnica::UltimaCasillaDeJaula, {{"F1C1 F1C2", 10}},
                      "3" + std::string(80, '.'), {}, {{K("F1C2"), 7}}, {}));
        v.push_back(
            N("jaula aún con dos", Tecnica::UltimaCasillaDeJaula, {{"F1C1 F1C2", 10}}, "", {}));
        v.push_back(P("único en la fila", Tecnica::UnicoLugarFila, {}, kFila1Casi, {},
                      {{K("F1C9"), 9}}, {}));
        v.push_back(P("único en el cuadro", Tecnica::UnicoLugarCuadro, {}, kCaja1Casi, {},
                      {{K("F2C3"), 8}}, {}));
        v.push_back(P("único en la columna", Tecnica::UnicoLugarColumna, {}, kColumna1Casi, {},
                      {{K("F9C1"), 9}}, {}));
        v.push_back(P("candidato único", Tecnica::UnicoCandidato, {}, "", {{"F4C4", M({6})}},
                      {{K("F4C4"), 6}}, {}));
        v.push_back(
            N("ningún candidato único", Tecnica::UnicoCandidato, {}, "", {{"F4C4", M({6, 7})}}));
        v.push_back(P("combinación de 17", Tecnica::CombinacionesDeJaula, {{"F1C1 F1C2", 17}}, "",
                      {{"F1C1", M({8, 9})}, {"F1C2", M({7, 8, 9})}}, {}, {{K("F1C2"), 7}}));
        v.push_back(N("combinación ya reducida", Tecnica::CombinacionesDeJaula, {{"F1C1 F1C2", 17}},
                      "", {{"F1C1", M({8, 9})}, {"F1C2", M({8, 9})}}));
        v.push_back(
            P("obligado en la fila", Tecnica::DigitoObligadoDeJaula, {{"F1C1 F1C2 F1C3", 7}}, "",
              {{"F1C1", M({1, 2, 4})}, {"F1C2", M({1, 2, 4})}, {"F1C3", M({1, 2, 4})}}, {}, {}));
        v.push_back(P("apuntado", Tecnica::BloqueoApuntado, {}, "", fila1Sin5Salvo, {}, {}));
        v.push_back(N("sin apuntado", Tecnica::BloqueoApuntado, {}, "",
                      SinDigito(5, {"F2C1", "F2C2", "F2C3", "F3C1", "F3C2"})));
        v.push_back(P("reclamo", Tecnica::BloqueoReclamo, {}, "",
                      SinDigito(5, {"F1C4", "F1C5", "F1C6", "F1C7", "F1C8", "F1C9"}), {}, {}));
        v.push_back(P("45 en la fila", Tecnica::Regla45Casa,
                      {{"F1C1 F1C2 F1C3 F1C4", 10}, {"F1C5 F1C6 F1C7 F1C8", 26}}, "", {},
                      {{K("F1C9"), 9}}, {}));
        v.push_back(
            N("fila sin cubrir", Tecnica::Regla45Casa, {{"F1C1 F1C2 F1C3 F1C4", 10}}, "", {}));
        // Rows 1-2 in vertical pairs except column 9: F1C9 + F2C9 = 9 + 3.
        const std::vector<std::pair<std::string, int>> pares = {
            {"F1C1 F2C1", 5},  {"F1C2 F2C2", 7},  {"F1C3 F2C3", 9}, {"F1C4 F2C4", 11},
            {"F1C5 F2C5", 13}, {"F1C6 F2C6", 15}, {"F1C7 F2C7", 8}, {"F1C8 F2C8", 10}};
        v.push_back(
            P("45 interiores en dos filas", Tecnica::Regla45Interiores, pares, "", {}, {}, {}));
        // The same with column 9's cage sticking out to F3C9: F3C9 = 78 + 18 − 90.
        auto conSalida = pares;
        conSalida.emplace_back("F1C9 F2C9 F3C9", 18);
        v.push_back(P("45 exteriores", Tecnica::Regla45Exteriores, conSalida, "", {},
                      {{K("F3C9"), 6}}, {}));
        // Row 1 but a 1+2 cage: the other seven cells are 3..9.
        v.push_back(
            P("jaula oculta de siete", Tecnica::JaulaOculta, {{"F1C1 F1C2", 3}}, "", {}, {}, [] {
                std::vector<std::pair<uint8_t, uint8_t>> e;
                for (uint8_t k = 2; k < 9; ++k) {
                    e.emplace_back(k, 1);
                    e.emplace_back(k, 2);
                }
                return e;
            }()));
        v.push_back(P("pareja desnuda", Tecnica::ParejaDesnuda, {}, "",
                      {{"F1C1", M({1, 2})}, {"F1C2", M({1, 2})}}, {}, {}));
        v.push_back(N("sin pareja desnuda", Tecnica::ParejaDesnuda, {}, "",
                      {{"F1C1", M({1, 2})}, {"F1C2", M({1, 2, 3})}}));
        v.push_back(P("pareja oculta", Tecnica::ParejaOculta, {}, "",
                      Unir(SinDigito(1, {"F1C3", "F1C4", "F1C5", "F1C6", "F1C7", "F1C8", "F1C9"}),
                           SinDigito(2, {"F1C3", "F1C4", "F1C5", "F1C6", "F1C7", "F1C8", "F1C9"})),
                      {}, {}));
        v.push_back(P("trío desnudo", Tecnica::TrioDesnudo, {}, "",
                      {{"F5C1", M({1, 2})}, {"F5C4", M({2, 3})}, {"F5C9", M({1, 3})}}, {}, {}));
        v.push_back(
            P("cuarteto desnudo", Tecnica::CuartetoDesnudo, {}, "",
              {{"F9C1", M({1, 2})}, {"F9C2", M({2, 3})}, {"F9C5", M({3, 4})}, {"F9C9", M({1, 4})}},
              {}, {}));
        v.push_back(P("x-wing", Tecnica::XWing, {}, "",
                      Unir(SinDigito(7, {"F1C2", "F1C3", "F1C4", "F1C6", "F1C7", "F1C8", "F1C9"}),
                           SinDigito(7, {"F5C2", "F5C3", "F5C4", "F5C6", "F5C7", "F5C8", "F5C9"})),
                      {}, {}));
        v.push_back(N("sin x-wing", Tecnica::XWing, {}, "",
                      Unir(SinDigito(7, {"F1C2", "F1C3", "F1C4", "F1C6", "F1C7", "F1C8", "F1C9"}),
                           SinDigito(7, {"F5C2", "F5C3", "F5C4", "F5C6", "F5C7", "F5C8"}))));
        v.push_back(P("xy-wing", Tecnica::XYWing, {}, "",
                      {{"F1C1", M({1, 2})}, {"F1C5", M({1, 3})}, {"F5C1", M({2, 3})}}, {},
                      {{K("F5C5"), 3}}));
        v.push_back(N("sin xy-wing", Tecnica::XYWing, {}, "",
                      {{"F1C1", M({1, 2})}, {"F1C5", M({1, 3})}, {"F5C1", M({2, 4})}}));
        v.push_back(P("xyz-wing", Tecnica::XYZWing, {}, "",
                      {{"F1C1", M({1, 2, 3})}, {"F1C5", M({1, 3})}, {"F2C2", M({2, 3})}}, {},
                      {{K("F1C2"), 3}, {K("F1C3"), 3}}));
        // The 4 of the wings: F1C5 or one of F2C3, F3C2 holds it.
        const std::vector<Marca> wxyz = {
            {"F1C1", M({1, 2, 3})}, {"F1C5", M({1, 4})}, {"F2C3", M({2, 4})}, {"F3C2", M({3, 4})}};
        v.push_back(
            P("wxyz-wing", Tecnica::WXYZWing, {}, "", wxyz, {}, {{K("F1C2"), 4}, {K("F1C3"), 4}}));
        v.push_back(P("wxyz-wing de pivote con dos", Tecnica::WXYZWing, {}, "",
                      Unir({{"F1C1", M({1, 2})}}, {wxyz.begin() + 1, wxyz.end()}), {},
                      {{K("F1C2"), 4}, {K("F1C3"), 4}}));
        v.push_back(N("sin wxyz-wing", Tecnica::WXYZWing, {}, "",
                      Unir({wxyz.begin(), wxyz.end() - 1}, {{"F3C2", M({3, 5})}})));
        v.push_back(P("vwxyz-wing", Tecnica::VWXYZWing, {}, "",
                      {{"F1C1", M({1, 2, 3, 4})},
                       {"F1C5", M({1, 5})},
                       {"F2C3", M({2, 5})},
                       {"F3C2", M({3, 5})},
                       {"F1C9", M({4, 5})}},
                      {}, {{K("F1C2"), 5}, {K("F1C3"), 5}}));
        // Row 1: 1+2 in one cage leaves 3+4 to a 7 beside it.
        v.push_back(P("conflicto de combinaciones", Tecnica::ConflictoDeCombinaciones,
                      {{"F1C1 F1C2", 3}, {"F1C3 F1C4", 7}}, "", {}, {}, {}));
        v.push_back(N(
            "combinaciones compatibles", Tecnica::ConflictoDeCombinaciones,
            {{"F1C1 F1C2", 3}, {"F1C3 F1C4", 17}}, "",
            {{"F1C1", M({1, 2})}, {"F1C2", M({1, 2})}, {"F1C3", M({8, 9})}, {"F1C4", M({8, 9})}}));
        // Digit 1: rows 1 and 4 each hold it in two cells, sharing column 1.
        v.push_back(P("cadena x", Tecnica::CadenaX, {}, "",
                      Unir(SinDigito(1, {"F1C2", "F1C3", "F1C4", "F1C6", "F1C7", "F1C8", "F1C9"}),
                           SinDigito(1, {"F4C2", "F4C3", "F4C4", "F4C5", "F4C7", "F4C8", "F4C9"})),
                      {}, {{K("F2C6"), 1}, {K("F3C6"), 1}, {K("F5C5"), 1}, {K("F6C5"), 1}}));
        // Four bivalue cells: seven links, as an XY-chain and as a long alternating one.
        for (const Tecnica t : {Tecnica::CadenaXY, Tecnica::CadenaAlternaLarga}) {
            v.push_back(P("cadena de cuatro", t, {}, "",
                          {{"F1C1", M({1, 2})},
                           {"F1C5", M({2, 3})},
                           {"F5C5", M({3, 4})},
                           {"F5C9", M({4, 1})}},
                          {}, {{K("F1C9"), 1}, {K("F5C1"), 1}}));
            v.push_back(N("sin cadena de cuatro", t, {}, "",
                          {{"F1C1", M({1, 2})},
                           {"F1C5", M({2, 3})},
                           {"F5C5", M({3, 4})},
                           {"F5C9", M({4, 5})}}));
        }
        // F1C1 is 1 or 2; a 2 there leaves row 5's 2 to F5C9, whose 1 then goes to F1C9.
        const auto alterna =
            Unir(Unir({{"F1C1", M({1, 2})}},
                      SinDigito(2, {"F5C2", "F5C3", "F5C4", "F5C5", "F5C6", "F5C7", "F5C8"})),
                 SinDigito(1, {"F2C9", "F3C9", "F4C9", "F6C9", "F7C9", "F8C9", "F9C9"}));
        v.push_back(P("cadena alterna", Tecnica::CadenaAlterna, {}, "", alterna, {},
                      {{K("F1C2"), 1},
                       {K("F1C3"), 1},
                       {K("F1C4"), 1},
                       {K("F1C5"), 1},
                       {K("F1C6"), 1},
                       {K("F1C7"), 1},
                       {K("F1C8"), 1}}));
        v.push_back(N("cadena alterna sin cerrar", Tecnica::CadenaAlterna, {}, "",
                      {alterna.begin(), alterna.end() - 7}));
        // {2, 3} in the cage leaves nothing for F1C1 or F1C2 once F1C3 takes its 2.
        v.push_back(P("cadena desde una jaula", Tecnica::CadenaDesdeJaula, {{"F1C1 F1C2", 5}}, "",
                      {{"F1C3", M({2})}}, {}, {}));
        v.push_back(
            N("jaula sin contradicción", Tecnica::CadenaDesdeJaula, {{"F1C1 F1C2", 5}}, "", {}));
        v.push_back(P("cadena forzada", Tecnica::CadenaForzada, {}, "",
                      {{"F1C1", M({1, 2})}, {"F1C2", M({1, 3})}, {"F1C3", M({1, 3})}}, {},
                      {{K("F1C1"), 1}}));
        return v;
    }();
    return v;
}

class PorTecnica : public ::testing::TestWithParam<size_t> {};

TEST_P(PorTecnica, DisparaSoloDondeDebe) {
    const Posicion& pos = Posiciones()[GetParam()];
    SCOPED_TRACE(pos.nombre);
    const Candidatos c = Montar(pos);
    const std::optional<Paso> p = Probar(pos.tecnica, c);
    ASSERT_EQ(p.has_value(), pos.dispara) << (p ? p->frase : "");
    if (!p) return;
    EXPECT_EQ(p->tecnica, pos.tecnica);
    EXPECT_EQ(p->nivel, NivelDe(pos.tecnica));
    EXPECT_FALSE(p->frase.empty());
    if (!pos.colocadas.empty()) {
        EXPECT_EQ(p->colocadas, pos.colocadas) << p->frase;
    }
    if (!pos.eliminadas.empty()) {
        EXPECT_EQ(p->eliminadas, pos.eliminadas) << p->frase;
    }
    // Every change is a real one, and the changed cells list them.
    for (const auto& [k, d] : p->eliminadas) {
        EXPECT_TRUE(c.Mascara(k) & Bit(d)) << p->frase;
        EXPECT_TRUE(std::count(p->cambiadas.begin(), p->cambiadas.end(), k));
    }
    for (const auto& [k, d] : p->colocadas)
        EXPECT_TRUE(c.Mascara(k) & Bit(d)) << p->frase;
}

INSTANTIATE_TEST_SUITE_P(Tabla, PorTecnica, ::testing::Range<size_t>(0, Posiciones().size()),
                         [](const auto& info) { return "p" + std::to_string(info.param); });

TEST(Logica, Nombres) {
    EXPECT_EQ(NombreNivel(Nivel::PruebaYError), "Prueba y error");
    EXPECT_EQ(NombreCasilla(K("F3C4")), "F3C4");
    EXPECT_EQ(NombreCasa(0), "la fila 1");
    EXPECT_EQ(NombreCasa(17), "la columna 9");
    EXPECT_EQ(NombreCasa(22), "el cuadro 5");
}

TEST(Logica, ResolverCalificaYSeDetiene) {
    Enunciado e;
    e.killer = false;
    const std::string s =
        "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";
    for (int k = 0; k < kCasillas; ++k)
        if (s[k] != '.') {
            e.fijas.set(k);
            e.textos[k] = std::string(1, s[k]);
        }
    const Calificacion cal = Resolver(e);
    ASSERT_TRUE(cal.resuelto);
    int64_t suma = 0;
    Nivel mayor = Nivel::Facil;
    for (const Paso& p : cal.pasos) {
        suma += p.peso;
        EXPECT_GE(p.peso, PesoDe(p.tecnica));
        mayor = std::max(mayor, p.nivel);
    }
    EXPECT_EQ(cal.puntuacion, suma);
    EXPECT_EQ(cal.nivel, mayor);
    EXPECT_EQ(NivelDe(cal.masDificil), cal.nivel);

    std::stop_source parar;
    parar.request_stop();
    const Calificacion nada = Resolver(e, parar.get_token());
    EXPECT_FALSE(nada.resuelto);
    EXPECT_TRUE(nada.pasos.empty());

    Enunciado malo = e;
    malo.fijas.set(1);
    malo.textos[1] = "5"; // 5 twice in row 1
    EXPECT_FALSE(Candidatos(malo).Valido());
    EXPECT_FALSE(SiguientePaso(Candidatos(malo)));
    EXPECT_FALSE(Resolver(malo).resuelto);
}

// The uniqueness techniques act only on a classic puzzle known to have one solution.
TEST(Logica, RectanguloUnicoSoloConSolucionUnica) {
    Candidatos c;
    for (const char* k : {"F1C1", "F1C2", "F4C1"})
        c.Restringir(K(k), M({1, 2}));
    c.Restringir(K("F4C2"), M({1, 2, 3}));
    EXPECT_FALSE(Probar(Tecnica::RectanguloUnico, c));
    c.FijarSolucion(kBase, true);
    const auto p = Probar(Tecnica::RectanguloUnico, c);
    ASSERT_TRUE(p);
    const std::vector<std::pair<uint8_t, uint8_t>> esperadas = {{K("F4C2"), 1}, {K("F4C2"), 2}};
    EXPECT_EQ(p->eliminadas, esperadas) << p->frase;
    EXPECT_FALSE(Probar(Tecnica::BugMasUno, c));
}

// Every technique also has a position where it must not fire: the empty grid, where only a guess
// can start, and a Killer of nine whole-row cages, where nothing narrows any cell either.
TEST(Logica, NadaDisparaSinInformacion) {
    Reglas filas;
    for (int k = 0; k < kCasillas; ++k)
        filas.segmento[k] = static_cast<int8_t>(k / 9);
    for (int f = 0; f < 9; ++f)
        filas.suma[f] = 45;
    for (const Candidatos& c : {Candidatos(), Candidatos(filas)})
        for (int t = 0; t < kTecnicas; ++t) {
            const Tecnica x = static_cast<Tecnica>(t);
            const auto p = Probar(x, c);
            EXPECT_EQ(p.has_value(), x == Tecnica::PruebaYError)
                << NombreTecnica(x) << (p ? ": " + p->frase : "");
        }
}

// docs/dificultad.md publishes the table of techniques, levels and weights: it must be this one.
TEST(Logica, LaTablaPublicadaEsLaDelCodigo) {
    std::ifstream f(VELMORA_DOCS "/dificultad.md");
    ASSERT_TRUE(f);
    std::vector<std::string> filas;
    bool enTabla = false;
    for (std::string l; std::getline(f, l);) {
        if (l.starts_with("<!-- tabla"))
            enTabla = true;
        else if (enTabla && l.starts_with("| ") && !l.starts_with("| técnica"))
            filas.push_back(l);
        else if (enTabla && !filas.empty() && !l.starts_with("|"))
            break;
    }
    ASSERT_EQ(filas.size(), static_cast<size_t>(kTecnicas));
    for (int t = 0; t < kTecnicas; ++t) {
        const Tecnica x = static_cast<Tecnica>(t);
        EXPECT_EQ(filas[t], "| " + std::string(NombreTecnica(x)) + " | " +
                                std::string(NombreNivel(NivelDe(x))) + " | " +
                                std::to_string(PesoDe(x)) + " |");
    }
}

} // namespace
} // namespace velmora
