#pragma once
// What both benchmarks share: the raw search's host, whose yields do nothing.

#include <chrono>
#include <cstdio>
#include <optional>

#include "model/busqueda.h"
#include "model/enunciado.h"
#include "validation/validacion.h"

namespace velmora::banco {

using Reloj = std::chrono::steady_clock;

// A host whose yields do nothing: what remains is the search itself.
struct SinPantalla {
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    bool Ceder() { return false; }
    void MostrarMatriz() {}
};

// Validates the puzzle into the board, then searches; nothing when it does not validate.
inline std::optional<FinBusqueda> ResolverSinPantalla(Tablero& t, const Enunciado& e) {
    t.VaciarCuadricula();
    if (const auto m = Validar(t, e)) {
        std::fprintf(stderr, "%s: %s\n", m->titulo.c_str(), m->texto.c_str());
        return std::nullopt;
    }
    Progreso p;
    SinPantalla anfitrion;
    return Buscar(t, p, anfitrion);
}

inline double Segundos(Reloj::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace velmora::banco
