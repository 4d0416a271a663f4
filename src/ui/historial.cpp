#include "ui/historial.h"

namespace velmora {

bool Historial::Anotar(const Enunciado& e) {
    if (e == actual_) return false;
    atras_.push_back(std::move(actual_));
    if (atras_.size() > kPasos) atras_.pop_front();
    adelante_.clear();
    actual_ = e;
    return true;
}

template <class De, class A> std::optional<Enunciado> Historial::Mover(De& de, A& a) {
    if (de.empty()) return std::nullopt;
    a.push_back(std::move(actual_));
    actual_ = std::move(de.back());
    de.pop_back();
    return actual_;
}

std::optional<Enunciado> Historial::Deshacer() {
    return Mover(atras_, adelante_);
}

std::optional<Enunciado> Historial::Rehacer() {
    return Mover(adelante_, atras_);
}

} // namespace velmora
