#include "ui/controles.h"

namespace velmora {

Controles::Controles() {
    lb.fill(kAspectoSistema);
    LbDel.texto = "Borrar";
    for (int i = 0; i < 10; ++i) {
        N[i].texto = i < 9 ? std::string(1, static_cast<char>('1' + i)) : "Borrar";
        N[i].aspecto = kNoMarcado;
    }
    habilitadas_.fill(true);
}

const std::string& Controles::TextoCelda(int k) {
    AplicarRejilla();
    return textosCeldas_[k];
}

void Controles::PonerTextoCelda(int k, std::string texto) {
    AplicarRejilla();
    textosCeldas_[k] = std::move(texto);
}

void Controles::MostrarRejilla(const std::array<uint8_t, kCasillas>& matriz) {
    rejilla_ = matriz;
    rejillaPendiente_ = true;
}

void Controles::AplicarRejilla() {
    if (!rejillaPendiente_) return;
    rejillaPendiente_ = false;
    for (int k = 0; k < kCasillas; ++k) {
        const uint8_t d = rejilla_[k];
        textosCeldas_[k] = d > 0 ? std::string(1, static_cast<char>('0' + d)) : std::string();
    }
}

} // namespace velmora
