#pragma once
// The headless window after start-up, in Killer mode, on a fake platform.

#include "support/plataforma_falsa.h"
#include "ui/form1.h"

namespace velmora {

struct VentanaDePrueba {
    VentanaDePrueba() {
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

} // namespace velmora
