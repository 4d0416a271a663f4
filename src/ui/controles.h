#pragma once
// The window's controls as plain data: captions, looks, markers, tool states, the calculation
// mode and the progress box. The Qt window renders them.

#include <array>
#include <bitset>
#include <string>

#include "model/progreso.h"
#include "model/tablero.h"
#include "ui/apariencia.h"
#include "ui/herramienta.h"

namespace velmora {

// A label: caption, look and its selected marker.
struct Etiqueta {
    std::string texto;
    Aspecto aspecto = kAspectoSistema;
    bool marca = false;
};

class Controles {
public:
    Controles();

    std::string Caption;
    std::array<Aspecto, kCasillas> lb; // grid cells; captions through TextoCelda
    std::array<Etiqueta, kSegmentos> LbN;
    std::array<std::string, kSegmentos> T;
    Etiqueta LbDel;
    std::array<Etiqueta, 10> N;
    bool Panel_Killer = false;
    bool Panel_Normal = false;
    ModoCalculo Opcion = ModoCalculo::Interactivo; // Option1..Option3
    Progreso progreso;                             // LbM, LbPor, PBar
    // Cells outlined because two solutions differ there; the outline changes no colour.
    std::bitset<kCasillas> Marcadas;
    // The keyboard's cursor cell; -1 until an arrow key shows it.
    int Cursor = -1;

    const std::string& TextoCelda(int k);
    void PonerTextoCelda(int k, std::string texto);
    // The grid's captions from a working grid. This runs after every placed digit in
    // "Interactivo", so it only notes the grid; captions are written from it when next read or
    // changed.
    void MostrarRejilla(const std::array<uint8_t, kCasillas>& matriz);

    bool Habilitada(Herramienta h) const { return habilitadas_[static_cast<int>(h)]; }
    void Habilitar(Herramienta h, bool habilitada) {
        habilitadas_[static_cast<int>(h)] = habilitada;
    }
    void HabilitarTodas(bool habilitadas) { habilitadas_.fill(habilitadas); }

private:
    void AplicarRejilla();

    std::array<bool, kHerramientas> habilitadas_;
    std::array<std::string, kCasillas> textosCeldas_;
    std::array<uint8_t, kCasillas> rejilla_{};
    bool rejillaPendiente_ = false;
};

} // namespace velmora
