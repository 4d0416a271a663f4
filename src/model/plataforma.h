#pragma once
// What the logic asks of the platform it runs on. The window passes its Qt implementation, the
// command line its own, and tests a fake that records messages.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

enum class Icono : uint8_t { Informacion, Exclamacion, Critico };

// A message box's content.
struct Mensaje {
    std::string texto;
    std::string titulo;
    Icono icono;
    bool operator==(const Mensaje&) const = default;
};

class Plataforma {
public:
    virtual ~Plataforma() = default;
    // A modal message box with an OK button.
    virtual void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) = 0;
    void Mostrar(const Mensaje& m) { MostrarMensaje(m.texto, m.titulo, m.icono); }
    // Lets the event loop run once.
    virtual void ProcesarEventos() = 0;
};

} // namespace velmora
