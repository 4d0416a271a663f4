#include "model/paralela.h"

#include <algorithm>

namespace velmora {

namespace {

// Placed digits between two looks at the stop mark and the published count: some tens of
// microseconds of search.
constexpr int kIntervalo = 4096;

enum class Paso : uint8_t { Raiz, Agotada, Resuelta, Interrumpida };

// Advances the walk above the cut to the next root: the search's own steps on the cells before
// `corte`, stepping back out of the subtree given out last when `pendiente`. Stops early, where
// it stands, once `limite` moves are counted or `cancelado` is set.
Paso AvanzarCima(Tablero& t, int& k, bool& pendiente, int corte, int64_t limite,
                 const std::atomic<bool>* cancelado) {
    if (pendiente) {
        // The cell at the cut is empty here and not given, so this is the step the subtree's
        // own search takes when it leaves: out of the cut's cell and on back.
        if (!t.RetrocederDesde(k)) return Paso::Agotada;
        pendiente = false;
    }
    int cuenta = kIntervalo;
    while (k < corte) {
        if (--cuenta == 0) {
            cuenta = kIntervalo;
            if (t.Movimientos >= limite) return Paso::Interrumpida;
            if (cancelado && cancelado->load(std::memory_order_relaxed)) return Paso::Interrumpida;
        }
        if (t.ColocarEn(k) == Colocacion::SinCandidato) {
            if (!t.RetrocederDesde(k)) return Paso::Agotada;
            continue;
        }
        ++t.Movimientos;
        ++k;
    }
    if (k == kCasillas) return Paso::Resuelta;
    pendiente = true;
    return Paso::Raiz;
}

enum class FinSubarbol : uint8_t { Agotado, Resuelto, Parado };

// The search inside one subtree, from its root at `corte` with the count at 0, until it solves,
// steps back above the cut, or finds its index past `tope`. The step back over the cut and any
// further ones belong to the walk above, so they are taken off again.
FinSubarbol Recorrer(Tablero& t, int corte, int& k, int64_t indice,
                     const std::atomic<int64_t>& tope, std::atomic<int64_t>& publicado) {
    t.Movimientos = 0;
    k = corte;
    int cuenta = kIntervalo;
    while (k < kCasillas) {
        const Colocacion c = t.ColocarEn(k);
        if (c == Colocacion::SinCandidato) {
            if (!t.RetrocederDesde(k) || k < corte) {
                t.Movimientos -= corte - k;
                return FinSubarbol::Agotado;
            }
            continue;
        }
        // Where the single-thread search looks at its cancel flag: right after a placed digit.
        if (c == Colocacion::Colocado && --cuenta == 0) {
            cuenta = kIntervalo;
            publicado.store(t.Movimientos, std::memory_order_relaxed);
            if (indice > tope.load(std::memory_order_relaxed)) return FinSubarbol::Parado;
        }
        ++t.Movimientos;
        ++k;
    }
    return FinSubarbol::Resuelto;
}

int PrimeraLibre(const Tablero& t, int desde) {
    int k = std::max(desde, 0);
    while (k < kCasillas && t.EsFija(k))
        ++k;
    return k;
}

} // namespace

int CorteAutomatico(const Tablero& t, int trabajadores) {
    const int primera = PrimeraLibre(t, 0);
    if (trabajadores <= 1) return primera;
    const int64_t objetivo = 128 * static_cast<int64_t>(trabajadores);
    int64_t presupuesto = int64_t{1} << 23;
    int mejor = primera;
    int64_t mejorCuenta = 0;
    for (int corte = primera; corte < kCasillas && presupuesto > 0;
         corte = PrimeraLibre(t, corte + 1)) {
        Tablero w = t;
        w.Movimientos = 0;
        int k = 0;
        bool pendiente = false;
        int64_t raices = 0;
        while (raices < objetivo &&
               AvanzarCima(w, k, pendiente, corte, presupuesto, nullptr) == Paso::Raiz)
            ++raices;
        presupuesto -= w.Movimientos;
        if (raices > mejorCuenta) {
            mejor = corte;
            mejorCuenta = raices;
        }
        if (raices >= objetivo) break;
    }
    return mejor;
}

int TrabajadoresPorDefecto() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

BusquedaParalela::BusquedaParalela(const Tablero& t, int trabajadores, int corte) : cima_(t) {
    trabajadores = std::max(trabajadores, 1);
    cima_.Movimientos = 0;
    cima_.SinSolucion = false;
    cima_.Cancelado = false;
    corte_ = corte == kCorteAutomatico ? CorteAutomatico(cima_, trabajadores)
                                       : PrimeraLibre(cima_, corte);
    huecos_ = std::make_unique<Hueco[]>(static_cast<size_t>(trabajadores));
    activos_ = trabajadores;
    hilos_.reserve(static_cast<size_t>(trabajadores));
    try {
        for (int w = 0; w < trabajadores; ++w)
            hilos_.emplace_back([this, w] { Trabajar(w); });
    } catch (...) {
        // No destructor runs for a half-built object: stop and wait for the threads started.
        Cancelar();
        for (std::thread& h : hilos_)
            h.join();
        throw;
    }
}

BusquedaParalela::~BusquedaParalela() {
    Cancelar();
    for (std::thread& h : hilos_)
        if (h.joinable()) h.join();
}

void BusquedaParalela::Trabajar(int w) {
    Tablero t;
    std::atomic<int64_t>& publicado = huecos_[static_cast<size_t>(w)].movimientos;
    for (;;) {
        int64_t indice = 0;
        {
            const std::lock_guard<std::mutex> l(m_);
            if (!Tomar(t, indice)) break;
        }
        int casilla = 0;
        const FinSubarbol f = Recorrer(t, corte_, casilla, indice, tope_, publicado);
        const std::lock_guard<std::mutex> l(m_);
        publicado.store(0, std::memory_order_relaxed);
        Anotar(indice,
               f == FinSubarbol::Agotado    ? Estado::Agotado
               : f == FinSubarbol::Resuelto ? Estado::Resuelto
                                            : Estado::Parado,
               t, casilla);
    }
    const std::lock_guard<std::mutex> l(m_);
    if (--activos_ == 0) {
        terminada_.store(true, std::memory_order_release);
        cv_.notify_all();
    }
}

// Under m_: the next subtree's root into t, or false when there is none to take.
bool BusquedaParalela::Tomar(Tablero& t, int64_t& indice) {
    const int64_t siguiente = base_ + static_cast<int64_t>(registros_.size());
    if (hecho_ || agotada_ || Parar() || siguiente > tope_.load(std::memory_order_relaxed))
        return false;
    switch (AvanzarCima(cima_, casillaCima_, pendiente_, corte_, INT64_MAX, &cancelado_)) {
    case Paso::Raiz:
        break;
    case Paso::Agotada:
        agotada_ = true;
        cima_.SinCandidato = true; // as the failed placement left it in the search
        Avanzar();
        return false;
    case Paso::Resuelta: // only with every cell given: there is nothing below the cut
        Concluir(Final::Resuelto, cima_, cima_.Movimientos, 10, 1);
        return false;
    case Paso::Interrumpida:
        return false;
    }
    contados_.fetch_add(cima_.Movimientos - arribaContada_, std::memory_order_relaxed);
    arribaContada_ = cima_.Movimientos;
    registros_.push_back({cima_.Movimientos, 0, Estado::EnCurso, 0, nullptr});
    t = cima_;
    indice = siguiente;
    return true;
}

// Under m_: how a subtree ended.
void BusquedaParalela::Anotar(int64_t indice, Estado estado, const Tablero& t, int casilla) {
    Registro& r = registros_[static_cast<size_t>(indice - base_)];
    r.cuenta = t.Movimientos;
    r.casilla = casilla;
    if (estado == Estado::Parado && (hecho_ || !Parar())) estado = Estado::Descartado;
    r.estado = estado;
    if (estado == Estado::Resuelto || estado == Estado::Parado)
        r.tablero = std::make_unique<Tablero>(t);
    if (estado == Estado::Agotado) contados_.fetch_add(t.Movimientos, std::memory_order_relaxed);
    if (estado == Estado::Resuelto && indice < tope_.load(std::memory_order_relaxed))
        tope_.store(indice, std::memory_order_relaxed);
    Avanzar();
}

// Under m_: sums up the subtrees that ended in order, and concludes once the first solving one
// is reached or the walk ran out with every subtree summed up.
void BusquedaParalela::Avanzar() {
    while (!hecho_ && !registros_.empty()) {
        Registro& r = registros_.front();
        if (r.estado == Estado::Resuelto) {
            solucion_ = base_;
            Concluir(Final::Resuelto, *r.tablero, r.arriba + suma_ + r.cuenta, 10, 1);
            return;
        }
        if (r.estado != Estado::Agotado) return;
        suma_ += r.cuenta;
        registros_.pop_front();
        ++base_;
    }
    if (!hecho_ && agotada_ && registros_.empty())
        Concluir(Final::SinSolucion, cima_, cima_.Movimientos + suma_, 0, 9);
}

// Under m_: the result is known; every worker still running stops.
void BusquedaParalela::Concluir(Final final, const Tablero& t, int64_t movimientos, int fila,
                                int col) {
    hecho_ = true;
    resultado_ = t;
    resultado_.Movimientos = movimientos;
    resultado_.SinSolucion = final == Final::SinSolucion;
    resultado_.Cancelado = false;
    fin_ = {final, false, fila, col};
    contados_.store(movimientos, std::memory_order_relaxed);
    tope_.store(-1, std::memory_order_relaxed);
}

int64_t BusquedaParalela::MovimientosContados() const {
    if (terminada_.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> l(m_);
        if (hecho_) return resultado_.Movimientos;
    }
    int64_t n = contados_.load(std::memory_order_relaxed);
    for (size_t w = 0; w < hilos_.size(); ++w)
        n += huecos_[w].movimientos.load(std::memory_order_relaxed);
    return n;
}

bool BusquedaParalela::Terminada() const {
    return terminada_.load(std::memory_order_acquire);
}

bool BusquedaParalela::Esperar(std::chrono::milliseconds plazo) {
    std::unique_lock<std::mutex> l(m_);
    return cv_.wait_for(l, plazo, [this] { return activos_ == 0; });
}

void BusquedaParalela::Cancelar() {
    const std::lock_guard<std::mutex> l(m_);
    if (hecho_) return;
    cancelado_.store(true, std::memory_order_relaxed);
    tope_.store(-1, std::memory_order_relaxed);
}

int64_t BusquedaParalela::Subarboles() const {
    const std::lock_guard<std::mutex> l(m_);
    return base_ + static_cast<int64_t>(registros_.size());
}

int64_t BusquedaParalela::SubarbolSolucion() const {
    const std::lock_guard<std::mutex> l(m_);
    return solucion_;
}

FinBusqueda BusquedaParalela::Resultado(Tablero& t) {
    for (std::thread& h : hilos_)
        if (h.joinable()) h.join();
    const std::lock_guard<std::mutex> l(m_);
    if (hecho_) {
        t = resultado_;
        return fin_;
    }
    // Cancelled: every subtree before the first one left is summed up, and that one, if any,
    // stopped where the single-thread search would have stopped.
    if (!registros_.empty() && registros_.front().estado == Estado::Parado) {
        const Registro& r = registros_.front();
        t = *r.tablero;
        t.Movimientos = r.arriba + suma_ + r.cuenta;
        t.Cancelado = true;
        contados_.store(t.Movimientos, std::memory_order_relaxed);
        return {Final::Cancelado, false, FilaDe(r.casilla), ColDe(r.casilla)};
    }
    t = cima_;
    t.Movimientos = cima_.Movimientos + suma_;
    t.Cancelado = true;
    contados_.store(t.Movimientos, std::memory_order_relaxed);
    const int k = std::min(casillaCima_, kCasillas - 1);
    return {Final::Cancelado, false, FilaDe(k), ColDe(k)};
}

FinBusqueda BuscarEnParalelo(Tablero& t, int trabajadores, int corte) {
    BusquedaParalela b(t, trabajadores, corte);
    return b.Resultado(t);
}

} // namespace velmora
