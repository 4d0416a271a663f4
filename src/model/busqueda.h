#pragma once
// The depth-first search over the 81 cells in increasing cell number, trying digits in
// increasing order. A template over its host, so that the yields of a host that does nothing
// cost nothing.

#include <concepts>
#include <string_view>

#include "model/plataforma.h"
#include "model/progreso.h"
#include "model/tablero.h"

namespace velmora {

inline constexpr std::string_view kTextoSinSolucion =
    "El sudoku, con las combinaciones de números propuestas, No tiene solución";
inline constexpr std::string_view kTituloSinSolucion = "Proceso Terminado";

enum class Final : uint8_t { Resuelto, SinSolucion, Cancelado };

struct FinBusqueda {
    Final final;
    bool interactivo; // cancelled in "Interactivo": the grid is already on screen
    int fila, col;    // where the search stopped
};

// The search's yields: the calculation mode is read at every step, events may run after every
// placed digit (and after every forward step in "Ultra-Rápido"), and "Interactivo" shows the
// grid after every placed digit. Ceder is the yield: the host alone decides whether it runs its
// event loop, and says so; the mode can only change while events run, so it is read again only
// then.
template <class G>
concept GanchosBusqueda = requires(G g) {
    { g.Modo() } -> std::same_as<ModoCalculo>;
    { g.Ceder() } -> std::same_as<bool>;
    g.MostrarMatriz();
};

// Runs from the first cell, on a board validation has just prepared, until the grid is full,
// the search runs out of cells backwards, or t.Cancelado is found set right after a yield that
// followed a placed digit. The move count and the no-solution flag start from zero.
template <GanchosBusqueda G> FinBusqueda Buscar(Tablero& t, Progreso& p, G& g) {
    t.SinSolucion = false;
    t.Movimientos = 0;
    ModoCalculo modo = g.Modo();
    const auto ceder = [&] {
        if (g.Ceder()) modo = g.Modo();
    };
    int k = 0;
    while (k < kCasillas) {
        const Colocacion c = t.ColocarEn(k);
        if (c == Colocacion::SinCandidato) {
            // Backward steps count their own moves and neither show nor yield.
            if (!t.RetrocederDesde(k)) return {Final::SinSolucion, false, 0, 9};
            continue;
        }
        if (c == Colocacion::Colocado) {
            const bool interactivo = modo == ModoCalculo::Interactivo;
            if (interactivo) g.MostrarMatriz();
            ceder();
            if (t.Cancelado) return {Final::Cancelado, interactivo, FilaDe(k), ColDe(k)};
        }
        ++t.Movimientos;
        ActualizarProgreso(p, modo, t.Movimientos, FilaDe(k), ColDe(k) + 1);
        if (modo == ModoCalculo::UltraRapido) ceder();
        ++k;
    }
    return {Final::Resuelto, false, 10, 1};
}

// A host's countdown of yields: one in `saltos` is passed on, so that most yields of the search
// cost one decrement.
class Cuenta {
public:
    explicit Cuenta(int saltos) : saltos_(saltos), pendientes_(saltos) {}
    bool Pasa() {
        if (--pendientes_ > 0) return false;
        pendientes_ = saltos_;
        return true;
    }

private:
    int saltos_;
    int pendientes_;
};

} // namespace velmora
