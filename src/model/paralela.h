#pragma once
// The search on several threads, with the single-thread result: the same grid, the same move
// count, the same outcome and end position as Buscar on a host that never cancels.
//
// The tree is cut at a cell (the cut): each assignment of the cells before it that the search
// reaches is the root of one subtree. The subtrees are listed lazily, in search order, by a walk
// of the cells above the cut that makes exactly the moves the search makes there; workers take
// them in that order and count each one's moves to its end or to its first solution. The count
// is then the walk's moves up to the first solving subtree, plus the moves of every subtree
// before it, plus that subtree's moves to its solution. Subtrees after the earliest solving one
// are stopped as soon as it is known and their work is discarded.
//
// A window starts one on a validated board, polls MovimientosContados and Terminada (or Esperar
// briefly) from its event loop, may Cancelar, and takes the Resultado once Terminada.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "model/busqueda.h"
#include "model/tablero.h"

namespace velmora {

// The number of threads a search uses by default: one per core.
int TrabajadoresPorDefecto();

// Chooses the cut on its own: deep enough for a few hundred subtrees per worker.
inline constexpr int kCorteAutomatico = -1;

// The cut kCorteAutomatico stands for: the shallowest with 128 subtrees per worker, found by
// walking above each cut in turn within some millions of moves; failing that, the one with the
// most subtrees. With one worker, the first cell that is not given: the whole search is one
// subtree.
int CorteAutomatico(const Tablero& t, int trabajadores);

class BusquedaParalela {
public:
    // Starts searching, on `trabajadores` threads (at least 1), the board that validation has
    // just prepared; the board is copied, and the count starts from 0. `corte` is the first cell
    // below the cut (moved on past given cells). Choosing the cut takes some milliseconds at most
    // before the threads start.
    BusquedaParalela(const Tablero& t, int trabajadores, int corte = kCorteAutomatico);
    // Cancels a search still running and waits for its threads.
    ~BusquedaParalela();

    BusquedaParalela(const BusquedaParalela&) = delete;
    BusquedaParalela& operator=(const BusquedaParalela&) = delete;

    // Any thread. The moves counted so far by the walk above the cut and every worker, for a
    // progress display: finished subtrees and the running counts of the others, refreshed every
    // few tens of microseconds, which may include work that is discarded later. Once the result
    // is known (for a cancelled search, once Resultado was taken): the count of the result.
    int64_t MovimientosContados() const;
    // Any thread. Whether every worker has stopped, so that Resultado no longer waits.
    bool Terminada() const;
    // Waits at most `plazo` for the workers; returns Terminada().
    bool Esperar(std::chrono::milliseconds plazo);
    // Any thread. Every worker stops within a few milliseconds. Has no effect once the result is
    // known: a search that finished keeps its result.
    void Cancelar();

    // Waits for the workers, then leaves in `t` the board as the single-thread search leaves it
    // and says how it ended:
    // - solved: the first solution, its move count, position (10, 1);
    // - no solution: the given cells only, the count to the end, position (0, 9);
    // - cancelled: the partial grid of the earliest subtree still running, with the count the
    //   single-thread search has at that very point (the walk's moves up to that subtree, every
    //   earlier subtree, and that subtree's moves so far) and the cell it had just filled: the
    //   board, Movimientos and position the single-thread search leaves when cancelled right
    //   after that digit. Cancelado is set. When no subtree was running, the walk above the cut
    //   where it stood, and the count up to there.
    FinBusqueda Resultado(Tablero& t);

    int Corte() const { return corte_; }
    int Trabajadores() const { return static_cast<int>(hilos_.size()); }
    // Subtrees taken by the workers so far.
    int64_t Subarboles() const;
    // Once finished: the index, in search order, of the subtree that holds the solution; -1 when
    // there is none (no solution, cancelled, or every cell given).
    int64_t SubarbolSolucion() const;

private:
    enum class Estado : uint8_t { EnCurso, Agotado, Resuelto, Parado, Descartado };

    struct Registro {
        int64_t arriba = 0; // the walk's moves up to this subtree's root
        int64_t cuenta = 0; // moves inside the subtree, to its end, solution or stop
        Estado estado = Estado::EnCurso;
        int casilla = 0; // where a stopped subtree stood
        std::unique_ptr<Tablero> tablero;
    };

    struct alignas(64) Hueco {
        std::atomic<int64_t> movimientos{0}; // the running subtree's count, refreshed now and then
    };

    void Trabajar(int w);
    bool Tomar(Tablero& t, int64_t& indice);
    void Anotar(int64_t indice, Estado estado, const Tablero& t, int casilla);
    void Avanzar();
    void Concluir(Final final, const Tablero& t, int64_t movimientos, int fila, int col);
    bool Parar() const { return cancelado_.load(std::memory_order_relaxed); }

    int corte_;
    std::unique_ptr<Hueco[]> huecos_;
    std::atomic<int64_t> tope_{INT64_MAX}; // subtrees after this one stop
    std::atomic<bool> cancelado_{false};
    std::atomic<int64_t> contados_{0};
    std::atomic<bool> terminada_{false};

    mutable std::mutex m_;
    std::condition_variable cv_;
    // The walk above the cut, at the root of the last subtree it gave out (or where it stopped).
    Tablero cima_;
    int casillaCima_ = 0;
    bool pendiente_ = false; // it has to step back out of the subtree it gave out
    bool agotada_ = false;   // it stepped back before the first cell
    int64_t arribaContada_ = 0;
    // The subtrees not yet summed up, from index base_ on.
    std::deque<Registro> registros_;
    int64_t base_ = 0;
    int64_t suma_ = 0; // moves of the subtrees before base_
    bool hecho_ = false;
    int64_t solucion_ = -1;
    FinBusqueda fin_{};
    Tablero resultado_;
    int activos_ = 0;

    std::vector<std::thread> hilos_;
};

// The search on `trabajadores` threads, to its end: what Buscar leaves on a host that never
// cancels, for a board that validation has just prepared.
FinBusqueda BuscarEnParalelo(Tablero& t, int trabajadores, int corte = kCorteAutomatico);

} // namespace velmora
