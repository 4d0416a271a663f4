#pragma once
// A platform for the headless window: records messages, dialogs and focus moves, answers the
// file dialogs from a queue, and runs a hook at every event pass.

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "support/plataforma_falsa.h"
#include "ui/form1.h"

namespace velmora {

class VentanaFalsa : public PlataformaVentana {
public:
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) override {
        mensajes.push_back({std::string(texto), std::string(titulo), icono});
    }
    void Bombear() override {
        ++eventos;
        if (alBombear) alBombear(eventos);
    }
    std::optional<Eleccion> PedirFichero(const Dialogo& d) override {
        dialogos.push_back(d);
        if (respuestas.empty()) return std::nullopt; // cancelled
        const Eleccion e = respuestas.front();
        respuestas.pop_front();
        if (e.ruta.isEmpty()) return std::nullopt;
        return e;
    }
    // Like a window that is active: the focus event arrives inside the focus move.
    void EnfocarSuma(int i) override {
        focos.push_back(i);
        if (form && focoInmediato) form->T_GotFocus(i);
    }
    void SeleccionarSuma(int i) override { selecciones.push_back(i); }
    Twips TamanoPantalla() override { return pantalla; }
    Twips TamanoVentana() override { return ventana; }
    void MoverVentana(Twips p) override { posicion = p; }
    QString CarpetaPrograma() override { return programa; }
    QString CarpetaConfiguracion() override { return configuracion; }

    std::vector<Mensaje> mensajes;
    int eventos = 0;
    std::function<void(int)> alBombear;
    std::vector<Dialogo> dialogos;
    std::deque<Eleccion> respuestas; // an empty path cancels
    std::vector<int> focos, selecciones;
    Form1* form = nullptr;
    bool focoInmediato = true;
    Twips pantalla{19200, 14400}, ventana{11805, 8430};
    std::optional<Twips> posicion;
    QString programa, configuracion;
};

// A window after start-up, in Killer mode, on a fake platform.
struct VentanaDePrueba {
    VentanaDePrueba() {
        p.form = &f;
        f.Form_Load();
        f.Form_Activate();
    }
    VentanaFalsa p;
    Form1 f{p};
};

} // namespace velmora
