#pragma once
// What both benchmarks share: the raw search's host, whose yields do nothing.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "model/busqueda.h"
#include "model/enunciado.h"
#include "validation/validacion.h"

namespace velmora::banco {

using Reloj = std::chrono::steady_clock;

class Consola final : public Plataforma {
public:
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(titulo.size()), titulo.data(),
                     static_cast<int>(texto.size()), texto.data());
    }

protected:
    void Bombear() override {}
};

// A host whose yields do nothing: what remains is the search itself.
struct SinPantalla {
    Tablero& t;
    const Enunciado& e;
    Consola consola;

    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    void ProcesarEventos() {}
    void MostrarMatriz() {}
    void VaciarCuadricula() { t.VaciarCuadricula(); }
    bool Validar() {
        const auto m = velmora::Validar(t, e);
        if (m) consola.Mostrar(*m);
        return !m;
    }
    void DeshabilitarHerramientas() {}
    void HabilitarHerramientas() {}
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) {
        consola.MostrarMensaje(texto, titulo, icono);
    }
};

inline double Segundos(Reloj::duration d) {
    return std::chrono::duration<double>(d).count();
}

inline std::string Rejilla(const Tablero& t) {
    std::string r;
    for (int k = 0; k < kCasillas; ++k)
        r += t.Matriz[k] ? static_cast<char>('0' + t.Matriz[k]) : '.';
    return r;
}

} // namespace velmora::banco
