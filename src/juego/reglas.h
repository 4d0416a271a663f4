#pragma once
// The rules of play on a Partida: entry, pencil marks, automatic candidates, clashes, cage
// arithmetic and the check against the solution; the clock and the game's own undo history.
// No Qt: the window and the tests drive it alike.

#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "juego/partida.h"

namespace velmora {

bool EsDada(const Partida& p, int k);
// The digit a cell shows: given or the player's; 0 for none.
int CifraEn(const Partida& p, int k);

// Entry; each returns whether the game changed. Nothing changes on a given cell.
// A digit replaces the cell's marks and leaves the marks of its row, column, box and cage.
bool PonerCifra(Partida& p, int k, int d);
// A mark toggles only on a cell without a digit.
bool AlternarMarca(Partida& p, int k, int d);
bool BorrarCasilla(Partida& p, int k);
// Every player's digit and mark gone; the time and hints stay.
bool VaciarJugadas(Partida& p);

// What each empty cell may still hold by its houses (row, column, box, cage: digits shown there,
// and the cage's sums), 0 on cells with a digit.
Lapiz CandidatosDe(const Partida& p);
// "Candidatos automáticos": those as the marks of every empty cell.
bool CandidatosAutomaticos(Partida& p);

// Cells whose digit another cell of its row, column, box or cage shows too.
std::bitset<kCasillas> Choques(const Partida& p);
// The cage's sum as read from the puzzle, -1 for none.
int SumaJaula(const Partida& p, int segmento);
// Cages whose digits exceed their sum, or fill them to another sum.
std::bitset<kSegmentos> JaulasMal(const Partida& p);

// A cage as the status bar tells it.
struct CuentaJaula {
    int segmento = -1; // -1: the cell is in none
    int casillas = 0;
    int suma = -1;  // -1: no sum
    int puesta = 0; // of the digits shown
    int vacias = 0;
    std::vector<uint16_t> posibles; // digit sets of its size and sum holding the digits shown
};
CuentaJaula CuentasDeJaula(const Partida& p, int k);

// Player's digits that differ from the solution ("Comprobar"); the solution itself stays
// unshown.
std::bitset<kCasillas> Equivocadas(const Partida& p);
bool Terminada(const Partida& p);

// A hint as play uses it: what to say, which cells to outline, and what applying it does. The
// logic solver's step (Paso) converts to it; the window asks for one through a function it is
// given (Form1::BuscarPista).
struct Pista {
    std::string frase;
    std::bitset<kCasillas> casillas;                  // outlined
    std::vector<std::pair<int, int>> colocadas;       // cell, digit
    std::vector<std::pair<int, uint16_t>> eliminadas; // cell, digits taken out of its marks
};
// What a hint may take from the player's marks: for each empty cell its marks, or every digit
// when it has none or they leave out the solution's digit (a wrong mark must not mislead the
// logic); 0 on cells with a digit.
Lapiz MarcasParaPista(const Partida& p);
// Places its digits, takes its eliminations out of the marks (filling the marks from the
// candidates first when a cell it eliminates from has none) and counts one hint used.
bool AplicarPista(Partida& p, const Pista& pista);

// "12:34", or "1:02:03" from an hour on.
std::string TextoTiempo(int64_t milisegundos);

// The playing time on an injected clock (milliseconds from any origin), so tests need no
// waiting.
class Cronometro {
public:
    using Reloj = std::function<int64_t()>;
    explicit Cronometro(Reloj reloj) : reloj_(std::move(reloj)) {}

    void Fijar(int64_t milisegundos); // stops it at that time
    void Arrancar();
    void Parar();
    bool EnMarcha() const { return desde_.has_value(); }
    int64_t Milisegundos() const;

private:
    Reloj reloj_;
    int64_t acumulado_ = 0;
    std::optional<int64_t> desde_;
};

// Undo and redo of the player's entries: each step the digits and marks before an entry.
class HistorialJuego {
public:
    static constexpr size_t kPasos = 2000;
    struct Jugada {
        Digitos cifras;
        Lapiz marcas;
        bool operator==(const Jugada&) const = default;
    };
    void Empezar(const Partida& p); // forgets every step
    // After an entry: a step when the game differs from the last noted.
    bool Anotar(const Partida& p);
    bool Deshacer(Partida& p);
    bool Rehacer(Partida& p);
    bool PuedeDeshacer() const { return !atras_.empty(); }
    bool PuedeRehacer() const { return !adelante_.empty(); }

private:
    Jugada actual_{};
    std::deque<Jugada> atras_;
    std::vector<Jugada> adelante_;
};

} // namespace velmora
