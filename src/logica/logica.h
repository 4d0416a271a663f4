#pragma once
// Solving as a person does: named steps over a candidate grid, each explained in one Spanish
// sentence, and a difficulty grade from the steps a solve needs. No Qt; the window, the command
// line and the benchmarks all read the same step values.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/enunciado.h"
#include "model/tablero.h"
#include "solver/veredicto.h"

namespace velmora {

// The grade's levels, simplest first. The last one guesses.
enum class Nivel : uint8_t { Facil, Moderado, Dificil, MuyDificil, Extremo, PruebaYError };
inline constexpr int kNiveles = 6;
std::string_view NombreNivel(Nivel n);

// The techniques, simplest first: SiguientePaso tries them in this order.
enum class Tecnica : uint8_t {
    JaulaDeUnaCasilla,
    UltimaCasillaDeJaula,
    UnicoLugarCuadro,
    CombinacionesDeJaula,
    Regla45Casa,
    UnicoLugarFila,
    UnicoLugarColumna,
    UnicoCandidato,
    BloqueoApuntado,
    BloqueoReclamo,
    DigitoObligadoDeJaula,
    ParejaDesnuda,
    ParejaOculta,
    TrioDesnudo,
    TrioOculto,
    Regla45Interiores,
    Regla45Exteriores,
    Regla45Diferencia,
    JaulaOculta,
    CuartetoDesnudo,
    CuartetoOculto,
    XWing,
    Swordfish,
    Jellyfish,
    XYWing,
    XYZWing,
    WXYZWing,
    VWXYZWing,
    RectanguloUnico,
    BugMasUno,
    ConflictoDeCombinaciones,
    CadenaX,
    CadenaAlterna,
    CadenaXY,
    CadenaDesdeJaula,
    CadenaAlternaLarga,
    CadenaForzada,
    PruebaYError,
};
inline constexpr int kTecnicas = static_cast<int>(Tecnica::PruebaYError) + 1;
std::string_view NombreTecnica(Tecnica t); // Spanish
Nivel NivelDe(Tecnica t);
int64_t PesoDe(Tecnica t); // the technique's weight in the score (chains add for their length)

// One step: a plain value. Cells are 9*(fila-1)+(col-1); houses are 0-8 rows, 9-17 columns,
// 18-26 boxes; cages are segment numbers as in Enunciado::segmento.
struct Paso {
    Tecnica tecnica{};
    Nivel nivel{};
    std::vector<uint8_t> origen;                         // cells reasoned from
    std::vector<uint8_t> cambiadas;                      // cells changed
    std::vector<int8_t> segmentos;                       // cages involved
    std::vector<uint8_t> casas;                          // houses involved
    std::vector<std::pair<uint8_t, uint8_t>> colocadas;  // (cell, digit)
    std::vector<std::pair<uint8_t, uint8_t>> eliminadas; // (cell, digit)
    std::string frase;                                   // one Spanish sentence; cells named FnCm
    int64_t peso = 0; // in the score: the technique's weight, more for a longer chain
};

// A cage as the steps read it: its segment number, its sum and its cells.
struct Jaula {
    int8_t segmento = -1;
    int suma = 0;
    std::vector<uint8_t> casillas;
};

// The puzzle plus a candidate grid: placed digits, and for every empty cell the digits still
// possible (16-bit masks, bit d for digit d).
class Candidatos {
public:
    // An empty classic grid.
    Candidatos();
    explicit Candidatos(const Reglas& r);
    // Validates the puzzle as a solve does; Valido() says whether it passed.
    explicit Candidatos(const Enunciado& e);

    bool Valido() const { return valido_; }
    bool Killer() const { return !jaulas_.empty(); }
    const Reglas& ReglasDelPuzzle() const { return reglas_; }

    int Valor(int k) const { return valor_[k]; }       // 0 for an empty cell
    uint16_t Mascara(int k) const { return cand_[k]; } // 0 for a placed cell
    bool Resuelto() const;
    // A cell without candidates, or a house missing a digit it can no longer hold.
    bool Contradiccion() const;

    const std::vector<Jaula>& Jaulas() const { return jaulas_; }
    int JaulaDe(int k) const { return jaulaDe_[k]; } // index into Jaulas(), -1 for none
    // Whether two distinct cells must hold different digits: a shared house or cage.
    bool Ven(int a, int b) const { return a != b && ve_[a][b]; }
    const std::bitset<kCasillas>& Vecinas(int k) const { return ve_[k]; }

    // Places d in k and takes it from the cells that see k.
    void Colocar(int k, int d);
    void Quitar(int k, int d) { cand_[k] &= static_cast<uint16_t>(~Bit(d)); }
    // Keeps only the candidates of `m` in k (positions written by hand, pencil marks).
    void Restringir(int k, uint16_t m) { cand_[k] &= m; }

    // The solution "Prueba y error" follows when it has to guess. Without one, it asks the
    // uniqueness verdict on the current digits. `unica`: the puzzle is known to have no other
    // solution, which the uniqueness techniques of classic puzzles rely on.
    void FijarSolucion(const std::array<uint8_t, kCasillas>& s, bool unica) {
        solucion_ = s;
        unica_ = unica;
    }
    const std::optional<std::array<uint8_t, kCasillas>>& Solucion() const { return solucion_; }
    bool Unica() const { return unica_; }

private:
    void Preparar();

    Reglas reglas_;
    bool valido_ = true;
    std::array<uint8_t, kCasillas> valor_{};
    std::array<uint16_t, kCasillas> cand_{};
    std::vector<Jaula> jaulas_;
    std::array<int8_t, kCasillas> jaulaDe_{};
    std::array<std::bitset<kCasillas>, kCasillas> ve_{};
    std::optional<std::array<uint8_t, kCasillas>> solucion_;
    bool unica_ = false;
};

// The simplest step that applies, or none when the grid is solved, the puzzle is not valid or
// nothing applies.
std::optional<Paso> SiguientePaso(const Candidatos& c);
// The first step of one technique, if it applies.
std::optional<Paso> Probar(Tecnica t, const Candidatos& c);
void Aplicar(Candidatos& c, const Paso& p);

struct Calificacion {
    Nivel nivel = Nivel::Facil; // the hardest technique's level
    int64_t puntuacion = 0;     // the sum of the steps' weights
    Tecnica masDificil = Tecnica::UnicoCandidato;
    bool resuelto = false;
    std::vector<Paso> pasos;
};

// Applies steps until solved or stuck; stops early (resuelto false, the steps so far) when
// asked to stop. An invalid puzzle gives no steps. A classic puzzle without a solution set
// gets the verdict's first (it takes well under a millisecond).
Calificacion Resolver(const Enunciado& e, std::stop_token parar = {});
Calificacion Resolver(Candidatos c, std::stop_token parar = {});

// "F3C4".
std::string NombreCasilla(int k);
// "la fila 3", "la columna 4", "el cuadro 5".
std::string NombreCasa(int casa);

} // namespace velmora
