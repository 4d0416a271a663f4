#pragma once
// New puzzles on demand: a Killer without givens or a classic, proven unique by the verdict and
// graded by the step solver at exactly the level asked. No Qt. The result is a function of the
// seed and the arguments alone: the generator draws from its own generator, makes no decision
// in floating point, and with several threads still picks the first candidate in seed order.

#include <array>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string_view>

#include "logica/logica.h"
#include "model/enunciado.h"
#include "solver/veredicto.h"

namespace velmora {

enum class TipoPuzzle : uint8_t { Killer, Clasico };

// xoshiro256** seeded through splitmix64: the same numbers on every machine and library.
class Sorteo {
public:
    explicit Sorteo(uint64_t semilla);
    uint64_t Siguiente();
    // Uniform in [0, n), n > 0; by multiplication, so no library distribution decides.
    int Menor(int n) {
        const uint64_t x = Siguiente(), m = static_cast<uint32_t>(n);
        return static_cast<int>(((x >> 32) * m + (((x & 0xFFFFFFFFu) * m) >> 32)) >> 32);
    }

private:
    uint64_t s_[4];
};

struct OpcionesGenerador {
    bool simetria = true; // classic: givens in 180° symmetric pairs
    int hilos = 1;        // 0: every core
    int intentos = 0;     // candidates before giving up; 0: the level's own budget
};

struct Generado {
    enum class Estado : uint8_t { Hecho, Agotado, Detenido };
    Estado estado = Estado::Agotado;
    Enunciado enunciado;
    std::array<uint8_t, kCasillas> solucion{};
    Nivel nivel = Nivel::Facil;
    int64_t puntuacion = 0;
    Calificacion calificacion; // the grade with its steps, as "Dificultad…" shows it
    int candidato = 0;         // the winning candidate: as many were thrown away before it
    explicit operator bool() const { return estado == Estado::Hecho; }
};

// The candidates tried before giving up at a level (OpcionesGenerador::intentos overrides).
int IntentosPorDefecto(TipoPuzzle tipo, Nivel nivel);

// `parada`: its token stops the work (the result is then Detenido); a nonzero maxRamas caps
// each verdict instead of the generator's own cap; `ramas`, when set, counts the verdicts'
// branches as they go (for a progress display).
Generado Generar(TipoPuzzle tipo, Nivel nivel, uint64_t semilla, const Parada& parada = {},
                 const OpcionesGenerador& opciones = {});

// "killer"/"clasico" and level names or numbers 1..6, as the command line and the tests read
// them; nothing when not recognised.
std::optional<Nivel> LeerNivel(std::string_view texto);

} // namespace velmora
