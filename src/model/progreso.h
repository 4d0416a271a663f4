#pragma once
// The progress box (move counter, percentage, progress bar) as plain state. The search updates
// it at every forward step, so captions are kept as numbers and formatted only when shown.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// Option1 "Rápido", Option2 "Interactivo", Option3 "Ultra-Rápido".
enum class ModoCalculo : uint8_t { Rapido, Interactivo, UltraRapido };

struct Progreso {
    int64_t movimientos = 0; // the counter shows this count...
    int8_t giro = -1;        // ...unless it shows this spinner frame (0..3)
    int8_t porcentaje = 0;   // -1: the percentage caption is empty
    bool barraVisible = false;
    uint8_t barra = 0;

    std::string TextoMovimientos(std::string_view separador) const;
    std::string TextoPorcentaje() const;
};

// Percentage reached at position (fila, col), the next cell the search will try: 100 / 81 × n
// to the nearest whole number, capped at 100, with n = 9 × fila + col − 9 (the cell number plus
// one; col is 10 after a row's last cell, and n is 0 once the search ran out of cells
// backwards). No n lies within 1/162 of a tie, so integer rounding gives the same figures.
constexpr int Porcentaje(int fila, int col) {
    const int n = 9 * fila + col - 9;
    if (n <= 0) return 0;
    const int p = (200 * n + 81) / 162;
    return p > 100 ? 100 : p;
}

// "###,###,##0": groups of three digits from the right joined by the separator.
std::string FormatearMovimientos(int64_t movimientos, std::string_view separador);

// The spinner frame that follows the counter's current caption ("|/-\", anything else → "|").
constexpr int8_t SiguienteGiro(int8_t giro) {
    return giro < 0 ? 0 : static_cast<int8_t>((giro + 1) % 4);
}
inline constexpr std::string_view kGiros = "|/-\\";

// The real figures: counter, percentage and a visible bar.
inline void MostrarProgresoFinal(Progreso& p, int64_t movimientos, int fila, int col) {
    p.barraVisible = true;
    p.movimientos = movimientos;
    p.giro = -1;
    p.porcentaje = static_cast<int8_t>(Porcentaje(fila, col));
    p.barra = static_cast<uint8_t>(p.porcentaje);
}

// Refresh after a forward step, without the event pass "Ultra-Rápido" adds: the figures, or in
// "Ultra-Rápido" only the next spinner frame, with the percentage and the bar hidden.
inline void ActualizarProgreso(Progreso& p, ModoCalculo modo, int64_t movimientos, int fila,
                               int col) {
    if (modo != ModoCalculo::UltraRapido) {
        MostrarProgresoFinal(p, movimientos, fila, col);
        return;
    }
    p.barraVisible = false;
    p.porcentaje = -1;
    p.giro = SiguienteGiro(p.giro);
}

} // namespace velmora
