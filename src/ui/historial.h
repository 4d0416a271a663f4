#pragma once
// Undo and redo over puzzle values: each step is the puzzle as it was before a change.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "model/enunciado.h"

namespace velmora {

class Historial {
public:
    static constexpr size_t kPasos = 500;

    // The puzzle now. A puzzle that differs from the last one noted is a step; it drops the
    // steps that could be redone. Returns whether it was one.
    bool Anotar(const Enunciado& e);
    // The puzzle to go back or forward to, noted as the current one; nothing when there is none.
    std::optional<Enunciado> Deshacer();
    std::optional<Enunciado> Rehacer();

    bool PuedeDeshacer() const { return !atras_.empty(); }
    bool PuedeRehacer() const { return !adelante_.empty(); }

private:
    // Moves the current puzzle onto one stack and takes the last of the other.
    template <class De, class A> std::optional<Enunciado> Mover(De& de, A& a);

    Enunciado actual_;
    std::deque<Enunciado> atras_;
    std::vector<Enunciado> adelante_;
};

} // namespace velmora
