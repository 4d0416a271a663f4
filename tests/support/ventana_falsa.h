#pragma once
// The headless window after start-up, in Killer mode, on a fake platform, and a user's steps on
// it.

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "support/plataforma_falsa.h"
#include "ui/form1.h"

namespace velmora {

struct VentanaDePrueba {
    explicit VentanaDePrueba(int hilos = 1) : p(hilos) {
        // Like a window that is active: the focus event arrives inside the focus move.
        p.alEnfocar = [this](int i) {
            if (focoInmediato) f.T_GotFocus(i);
        };
        f.Form_Load();
        f.Form_Activate();
    }
    PlataformaFalsa p;
    Form1 f{p};
    bool focoInmediato = true;
};

// Runs a handler as the window does: the puzzle is noted before and after it, one undo step.
template <class F> void Atender(Form1& f, F&& handler) {
    f.AnotarCambio();
    handler();
    f.AnotarCambio();
}

// A uniqueness verdict that counts branches until it is stopped.
inline Veredicto JuezLento(const Reglas&, const Parada& p) {
    Veredicto v;
    while (!p.token.stop_requested()) {
        v.ramas = p.ramas->fetch_add(1000) + 1000;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    v.soluciones = -1;
    return v;
}

// The grid as the cells show it, '.' for an empty one.
inline std::string Celdas(Form1& f) {
    std::string s;
    for (int k = 0; k < kCasillas; ++k)
        s += f.TextoCelda(k).empty() ? "." : f.TextoCelda(k);
    return s;
}

// Runs a user's steps: "S4" clicks swatch 4, "L4" number label 4, "F4" enters sum box 4,
// "T4=17" types 17 into it, "D" clicks "Borrar", "c40" cell 40, "n4" pad button 4 ("n9" is its
// "Borrar"), "ID_..." runs a tool.
inline void Pasos(Form1& f, std::string_view pasos) {
    std::istringstream in{std::string(pasos)};
    for (std::string p; in >> p;) {
        const int i = std::atoi(p.c_str() + 1);
        if (p[0] == 'S') f.S_Click(i);
        if (p[0] == 'L') f.LbN_Click(i);
        if (p[0] == 'F') f.T_GotFocus(i);
        if (p[0] == 'T') f.T_Change(i, p.substr(p.find('=') + 1));
        if (p[0] == 'D') f.LbDel_Click();
        if (p[0] == 'c') f.lb_Click(i);
        if (p[0] == 'n') f.N_Click(i);
        if (p[0] == 'I') f.EjecutarHerramienta(p);
    }
}

} // namespace velmora
