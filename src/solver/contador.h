#pragma once
// What the verdict's two searches share: the verdict they fill, when to stop, and how they run.

#include <cstdint>

#include "solver/veredicto.h"

namespace velmora {

class Contador {
public:
    Contador(Veredicto& v, const Parada& p) : v_(v), parada_(p) {}
    bool Parado() const { return parado_; }

protected:
    // Counts a node of the search: past the branch limit, the search stops; every sixteen nodes
    // (at most a few milliseconds on the hardest Killers), it reports the branches and looks at
    // the stop request.
    bool Seguir() {
        if (parada_.maxRamas > 0 && v_.ramas > parada_.maxRamas) parado_ = true;
        if (++trabajo_ % 16 == 0) {
            if (parada_.ramas) parada_.ramas->store(v_.ramas, std::memory_order_relaxed);
            parado_ = parado_ || parada_.token.stop_requested();
        }
        return !parado_;
    }

    Veredicto& v_;
    const Parada& parada_;
    int64_t trabajo_ = 0;
    bool parado_ = false;
};

// Runs search B, with state E, on rules R: -1 solutions ("unknown") when stopped, before it
// starts or on the way.
template <class B, class E, class R> Veredicto Correr(const R& reglas, const Parada& p) {
    Veredicto v;
    B busqueda(v, p);
    E s;
    const bool antes = p.token.stop_requested();
    if (!antes && busqueda.Preparar(reglas, s)) busqueda.Buscar(s);
    if (antes || busqueda.Parado()) v.soluciones = -1;
    if (p.ramas) p.ramas->store(v.ramas, std::memory_order_relaxed);
    return v;
}

} // namespace velmora
