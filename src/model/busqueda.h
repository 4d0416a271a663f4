#pragma once
// The depth-first search over the 81 cells in increasing cell number, trying digits in
// increasing order, and the solve driver around it. Both are templates over their host so that
// the yields of a host that does nothing cost nothing.

#include <concepts>
#include <optional>
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

// The search's yields: the calculation mode is read at every step, events run after every
// placed digit (and after every forward step in "Ultra-Rápido"), and "Interactivo" shows the
// grid after every placed digit. A host whose event pass is costly may also give Saltos(): then
// only one yield in that many reaches its ProcesarEventos, and since the mode can only change
// while events run, it is read again only then.
template <class G>
concept GanchosBusqueda = requires(G g) {
    { g.Modo() } -> std::same_as<ModoCalculo>;
    g.ProcesarEventos();
    g.MostrarMatriz();
};

template <class G> int SaltosDe(G& g) {
    if constexpr (requires { g.Saltos(); })
        return g.Saltos();
    else
        return 1;
}

// The driver's host: the window, or the command line.
template <class A>
concept AnfitrionSolucion = GanchosBusqueda<A> && requires(A a, std::string_view s) {
    a.VaciarCuadricula();
    { a.Validar() } -> std::same_as<bool>;
    a.DeshabilitarHerramientas();
    a.HabilitarHerramientas();
    a.MostrarMensaje(s, s, Icono::Critico);
};

// Runs from the first cell until the grid is full, the search runs out of cells backwards, or
// t.Cancelado is found set right after a yield that followed a placed digit.
template <GanchosBusqueda G> FinBusqueda Buscar(Tablero& t, Progreso& p, G& g) {
    // Locals, so that a yield that does not reach the host costs a register decrement.
    const int saltos = SaltosDe(g);
    int cuenta = saltos;
    ModoCalculo modo = g.Modo();
    const auto ceder = [&] {
        if (--cuenta > 0) return;
        cuenta = saltos;
        g.ProcesarEventos();
        modo = g.Modo();
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

// Validates the puzzle of the current mode and solves it. Returns nothing when the validation
// failed (it has shown its message and nothing else changed).
template <AnfitrionSolucion A>
std::optional<FinBusqueda> ResolverSudoku(Tablero& t, Progreso& p, A& a) {
    a.VaciarCuadricula();
    t.Cancelado = false;
    if (!a.Validar()) return std::nullopt;
    t.SinSolucion = false;
    t.Movimientos = 0;
    a.DeshabilitarHerramientas();
    const FinBusqueda fin = Buscar(t, p, a);
    if (fin.final == Final::SinSolucion)
        a.MostrarMensaje(kTextoSinSolucion, kTituloSinSolucion, Icono::Critico);
    if (fin.final == Final::Cancelado && fin.interactivo) return fin; // cancel already re-enabled
    a.HabilitarHerramientas();
    if (a.Modo() == ModoCalculo::UltraRapido)
        MostrarProgresoFinal(p, t.Movimientos, fin.fila, fin.col);
    a.MostrarMatriz();
    return fin;
}

} // namespace velmora
