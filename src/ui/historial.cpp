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

std::optional<Enunciado> Historial::Deshacer() {
    if (atras_.empty()) return std::nullopt;
    adelante_.push_back(std::move(actual_));
    actual_ = std::move(atras_.back());
    atras_.pop_back();
    return actual_;
}

std::optional<Enunciado> Historial::Rehacer() {
    if (adelante_.empty()) return std::nullopt;
    atras_.push_back(std::move(actual_));
    actual_ = std::move(adelante_.back());
    adelante_.pop_back();
    return actual_;
}

} // namespace velmora
