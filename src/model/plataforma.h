#pragma once
// What the logic asks of the platform it runs on. The window passes its Qt implementation, the
// command line its own, and tests a fake that records messages.

#include <cstdint>
#include <string_view>

namespace velmora {

enum class Icono : uint8_t { Informacion, Exclamacion, Critico };

class Plataforma {
public:
    virtual ~Plataforma() = default;
    // A modal message box with an OK button.
    virtual void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) = 0;
    // Lets the event loop run once.
    virtual void ProcesarEventos() = 0;
};

} // namespace velmora
