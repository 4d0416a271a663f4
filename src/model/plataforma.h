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
    // Lets the event loop run once. A host whose loop is costly passes only one call in
    // `saltos` on to Bombear, so that most yields of the search cost one decrement.
    void ProcesarEventos() {
        if (--pendientes_ > 0) return;
        pendientes_ = saltos_;
        Bombear();
    }
    // For a caller that counts its own yields: how many make one pass, and the pass itself.
    int Saltos() const { return saltos_; }
    void Pasada() {
        pendientes_ = saltos_;
        Bombear();
    }

protected:
    explicit Plataforma(int saltos = 1) : saltos_(saltos), pendientes_(saltos) {}
    virtual void Bombear() = 0;

private:
    int saltos_;
    int pendientes_;
};

} // namespace velmora
