#pragma once
// The toolbar's command tools.

#include <array>
#include <cstdint>
#include <string_view>

namespace velmora {

// In toolbar order.
enum class Herramienta : uint8_t {
    Nuevo,
    Abrir,
    Guardar,
    Vaciar,
    Resolver,
    Cancelar,
    Killer,
    Normal
};
inline constexpr int kHerramientas = 8;
inline constexpr std::array<std::string_view, kHerramientas> kIdsHerramientas = {
    "ID_Nuevo",    "ID_Abrir",    "ID_Guardar", "ID_Vaciar",
    "ID_Resolver", "ID_Cancelar", "ID_Killer",  "ID_Normal"};
inline constexpr std::array<std::string_view, kHerramientas> kTitulosHerramientas = {
    "Nuevo", "Abrir", "Guardar", "Vaciar", "Resolver", "Cancelar", "Killer", "Normal"};

} // namespace velmora
