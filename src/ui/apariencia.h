#pragma once
// Colours and looks. A look is a background and a text colour, always copied together; several
// program states are kept as the look of a cell (a cell's segment, a given digit), so looks are
// compared for equality as program state.

#include <array>
#include <cstdint>

namespace velmora {

struct Color {
    // The system colours stay symbolic: the window resolves them from its palette.
    enum class Sistema : uint8_t { Ninguno, FondoVentana, TextoVentana, CaraBoton, TextoBoton };
    Sistema sistema = Sistema::Ninguno;
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Color&) const = default;
};

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return {Color::Sistema::Ninguno, r, g, b};
}
inline constexpr Color kFondoVentana{Color::Sistema::FondoVentana};
inline constexpr Color kTextoVentana{Color::Sistema::TextoVentana};
inline constexpr Color kCaraBoton{Color::Sistema::CaraBoton};
inline constexpr Color kTextoBoton{Color::Sistema::TextoBoton};

struct Aspecto {
    Color fondo, texto;
    constexpr bool operator==(const Aspecto&) const = default;
};

// The colour holders.
inline constexpr Aspecto kLbAma{Rgb(0, 0, 0), Rgb(192, 255, 192)};       // given digit
inline constexpr Aspecto kLbNulo{Rgb(255, 255, 255), kTextoBoton};       // free cell
inline constexpr Aspecto kLbMarcado{Rgb(0, 0, 0), Rgb(255, 255, 255)};   // picked number, erase on
inline constexpr Aspecto kLbNoMarcado{Rgb(255, 255, 255), Rgb(0, 0, 0)}; // the others
inline constexpr Aspecto kMarcado{Rgb(0, 0, 0), Rgb(192, 255, 192)};     // picked pad button
inline constexpr Aspecto kNoMarcado{Rgb(255, 255, 192), Rgb(0, 0, 128)}; // other pad buttons
inline constexpr Aspecto kAspectoSistema{kFondoVentana, kTextoVentana};

// The segment palette: swatch S(i) and the look the cells of segment i take. Dark colours
// carry white text so that digits stay readable.
inline constexpr std::array<Aspecto, 39> kPaleta = [] {
    constexpr Color w = Rgb(255, 255, 255);
    constexpr uint8_t c[39][3] = {
        {255, 192, 192}, {255, 224, 192}, {255, 255, 192}, {192, 255, 192}, {192, 255, 255},
        {192, 192, 255}, {255, 192, 255}, {224, 224, 224}, {255, 128, 128}, {255, 192, 128},
        {255, 255, 128}, {128, 255, 128}, {128, 255, 255}, {128, 128, 255}, {255, 128, 255},
        {192, 192, 192}, {255, 0, 0},     {255, 128, 0},   {255, 255, 0},   {0, 255, 0},
        {0, 255, 255},   {0, 0, 255},     {255, 0, 255},   {128, 128, 128}, {192, 0, 0},
        {192, 64, 0},    {192, 192, 0},   {0, 192, 0},     {0, 192, 192},   {0, 0, 192},
        {192, 0, 192},   {64, 64, 64},    {128, 0, 0},     {128, 64, 0},    {128, 128, 0},
        {0, 128, 0},     {0, 128, 128},   {0, 0, 128},     {128, 0, 128}};
    std::array<Aspecto, 39> p{};
    for (int i = 0; i < 39; ++i) {
        const bool blanco = (i >= 21 && i <= 25) || i >= 29;
        p[i] = {Rgb(c[i][0], c[i][1], c[i][2]), blanco ? w : kTextoVentana};
    }
    return p;
}();

} // namespace velmora
