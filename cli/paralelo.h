#pragma once
// velmora-cli's solve on several threads: the driver's steps around the parallel search, with the
// progress line fed from the moves the workers have counted.

#include <concepts>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "model/busqueda.h"
#include "model/paralela.h"

namespace velmora {

inline constexpr int kMaxHilos = 1024;

// The value of --jobs: a whole number from 1 to kMaxHilos, or nothing.
std::optional<int> LeerHilos(std::string_view texto);

// The search of a validated board on `hilos` threads, to its end; while it runs, `progreso` gets
// the moves counted so far about ten times a second.
FinBusqueda BuscarConProgreso(Tablero& t, int hilos, const std::function<void(int64_t)>& progreso);

// ResolverSudoku with the search on `hilos` threads: the same steps, messages and result. The
// progress box shows the count of every worker, without a percentage, and the host's event pass
// draws it.
template <AnfitrionSolucion A>
requires std::derived_from<A, Plataforma> std::optional<FinBusqueda>
ResolverEnParalelo(Tablero& t, Progreso& p, A& a, int hilos) {
    a.VaciarCuadricula();
    t.Cancelado = false;
    if (!a.Validar()) return std::nullopt;
    t.SinSolucion = false;
    t.Movimientos = 0;
    a.DeshabilitarHerramientas();
    const FinBusqueda fin = BuscarConProgreso(t, hilos, [&](int64_t movimientos) {
        p.movimientos = movimientos;
        p.giro = -1;
        p.porcentaje = -1;
        p.barraVisible = false;
        a.Pasada();
    });
    if (fin.final == Final::SinSolucion)
        a.MostrarMensaje(kTextoSinSolucion, kTituloSinSolucion, Icono::Critico);
    a.HabilitarHerramientas();
    if (a.Modo() == ModoCalculo::UltraRapido)
        MostrarProgresoFinal(p, t.Movimientos, fin.fila, fin.col);
    a.MostrarMatriz();
    return fin;
}

} // namespace velmora
