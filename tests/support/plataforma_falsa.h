#pragma once
// A platform for the headless window and the checks: records messages, dialogs and focus
// moves, answers the file dialogs from a queue, and runs hooks at every event pass and focus
// move.

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/plataforma_ventana.h"

namespace velmora {

class PlataformaFalsa : public PlataformaVentana {
public:
    // With more threads, "Ultra-Rápido" searches on them.
    explicit PlataformaFalsa(int hilos = 1) : PlataformaVentana(1, hilos) {}

    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) override {
        mensajes.push_back({std::string(texto), std::string(titulo), icono});
        if (alMostrar) alMostrar();
    }
    bool MostrarMensajeCon(const Mensaje& m, std::string_view boton) override {
        mensajes.push_back(m);
        botones.emplace_back(boton);
        if (alMostrar) alMostrar();
        return pulsarBoton;
    }
    void ProcesarEventos() override {
        ++eventos;
        if (alProcesar) alProcesar(eventos);
    }
    std::optional<Eleccion> PedirFichero(const Dialogo& d) override {
        dialogos.push_back(d);
        if (respuestas.empty()) return std::nullopt; // cancelled
        const Eleccion e = respuestas.front();
        respuestas.pop_front();
        return e;
    }
    void EnfocarSuma(int i) override {
        focos.push_back(i);
        if (alEnfocar) alEnfocar(i);
    }
    void SeleccionarSuma(int i) override { selecciones.push_back(i); }
    Twips TamanoPantalla() override { return {19200, 14400}; }
    Twips TamanoVentana() override { return {11805, 8430}; }
    void MoverVentana(Twips) override {}
    QString CarpetaPrograma() override { return programa; }
    QString CarpetaConfiguracion() override { return configuracion; }

    std::vector<Mensaje> mensajes;
    std::vector<std::string> botones; // the extra buttons of the boxes that had one
    bool pulsarBoton = false;         // the answer to such a box
    std::function<void()> alMostrar;  // while a box is shown
    int eventos = 0;                  // every pass, since none is skipped
    std::function<void(int)> alProcesar;
    std::vector<Dialogo> dialogos;
    std::deque<Eleccion> respuestas; // none left: the dialog is cancelled
    std::vector<int> focos, selecciones;
    std::function<void(int)> alEnfocar;
    QString programa, configuracion;
};

inline void PrintTo(const Mensaje& m, std::ostream* os) {
    *os << "{\"" << m.titulo << "\", \"" << m.texto << "\", icono " << static_cast<int>(m.icono)
        << "}";
}

// The messages of an operation that showed exactly one.
inline std::vector<Mensaje> Solo(Mensaje m) {
    return {std::move(m)};
}

} // namespace velmora
