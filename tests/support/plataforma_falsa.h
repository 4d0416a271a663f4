#pragma once

#include <string>
#include <vector>

#include "model/plataforma.h"

namespace velmora {

// Records messages and counts event passes.
class PlataformaFalsa : public Plataforma {
public:
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) override {
        mensajes.push_back({std::string(texto), std::string(titulo), icono});
    }
    void Bombear() override { ++eventos; }

    std::vector<Mensaje> mensajes;
    int eventos = 0; // every pass, since none is skipped
};

void PrintTo(const Mensaje& m, std::ostream* os);

// The messages of an operation that showed exactly one.
inline std::vector<Mensaje> Solo(Mensaje m) {
    return {std::move(m)};
}

} // namespace velmora
