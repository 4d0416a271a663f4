#pragma once
// A solve in the window: validation, the search with the window as its host, and the window's
// steps around it (the tool sets, the no-solution message, the final figures).

#include "model/busqueda.h"

namespace velmora {

class Form1;

class Resolucion {
public:
    explicit Resolucion(Form1& form);

    // ResolverSudoku: runs one solve to its end.
    void Resolver();
    bool Resolviendo() const { return resolviendo_; }

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
};

} // namespace velmora
