#pragma once
// What the window's logic asks of the windowing system, beyond messages and event passes.

#include <QString>
#include <optional>

#include "model/plataforma.h"

namespace velmora {

// A file dialog's settings.
struct Dialogo {
    bool guardar;
    QString titulo;
    QString filtro;    // "Nombre|*.ext|Otro|*.*"; the first filter is selected
    QString extension; // default extension, without the dot
    QString carpeta;   // initial folder
    QString nombre;    // initial file name
};

// The file the user chose: its full path and its title (the name without the folder).
struct Eleccion {
    QString ruta;
    QString titulo;
};

// A size or position in twips.
struct Twips {
    int x, y;
};

class PlataformaVentana : public Plataforma {
public:
    // Shows a modal file dialog; nothing when the user cancels it.
    virtual std::optional<Eleccion> PedirFichero(const Dialogo& d) = 0;
    // A message box with OK and one more button; true when that button closed it.
    virtual bool MostrarMensajeCon(const Mensaje& m, std::string_view boton) = 0;
    // Moves the keyboard focus into sum box T(i). Its focus handler may run inside this call or
    // later.
    virtual void EnfocarSuma(int i) = 0;
    // Selects the whole text of sum box T(i), so that the next key replaces it.
    virtual void SeleccionarSuma(int i) = 0;
    virtual Twips TamanoPantalla() = 0;
    virtual Twips TamanoVentana() = 0; // outer size, frame included
    virtual void MoverVentana(Twips posicion) = 0;
    // The folder that holds the program, and the per-user one for settings.
    virtual QString CarpetaPrograma() = 0;
    virtual QString CarpetaConfiguracion() = 0;

    // How many yields of the search make one event pass: the search's host counts them.
    int Saltos() const { return saltos_; }
    // The threads a search in "Ultra-Rápido" may use.
    int Hilos() const { return hilos_; }

protected:
    explicit PlataformaVentana(int saltos = 1, int hilos = 1) : saltos_(saltos), hilos_(hilos) {}

private:
    int saltos_;
    int hilos_;
};

} // namespace velmora
