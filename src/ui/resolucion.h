#pragma once
// A solve in the window: validation, the search with the window as its host, and the window's
// steps around it (the tool sets, the no-solution message, the final figures).

#include <atomic>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "model/busqueda.h"

namespace velmora {

class Form1;

class Resolucion {
public:
    explicit Resolucion(Form1& form);

    // ResolverSudoku: runs one solve to its end.
    void Resolver();
    bool Resolviendo() const { return resolviendo_; }

    // Long work off the window's thread (the verdict and what reasons about a puzzle): `trabajo`
    // runs on a worker while this thread keeps the event loop going. Meanwhile the tools are in
    // their solving set, the status bar says what is being done and the count the work keeps up
    // to date, and Cancelar/Esc or closing the window ask the work to stop. False when it was
    // asked to.
    struct Rotulo {
        std::string que, una, varias; // "Comprobando…", "rama", "ramas"
    };
    using Trabajo = std::function<void(std::stop_token, std::atomic<int64_t>& cuenta)>;
    bool EnSegundoPlano(Rotulo rotulo, const Trabajo& trabajo);
    // "Comprobando… 1.234 ramas" while such work runs; empty otherwise.
    std::string TextoTarea(std::string_view separador) const;

    // Asked before the window closes. During a solve the search is told to stop and the window
    // is to close once it has: false now, and CierrePendiente() tells the caller to close later.
    bool PuedeCerrar();
    bool CierrePendiente() const { return cierrePendiente_; }

    // The search's host (GanchosBusqueda).
    ModoCalculo Modo() const;
    bool Ceder();
    void MostrarMatriz();

private:
    FinBusqueda BuscarEnParalelo(int hilos);

    Form1& form_;
    Cuenta cuenta_;
    bool resolviendo_ = false;
    bool cierrePendiente_ = false;
    Rotulo tarea_;
    std::atomic<int64_t> cuentaTarea_{0};
};

} // namespace velmora
