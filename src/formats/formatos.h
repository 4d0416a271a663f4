#pragma once
// The text forms in which puzzles travel between tools, read into the puzzle value and written
// from it. Text is UTF-8. Reading either gives the whole puzzle or a message saying what is wrong
// and where; a caller applies nothing on a refusal.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "model/enunciado.h"
#include "model/plataforma.h"

namespace velmora {

enum class Formato : uint8_t {
    Xml,           // Velmora's own puzzle file
    Clasico,       // 81 characters, '.' or '0' for an empty cell
    KillerCorto,   // 81 characters: a cage's sum at its root, arrows toward it elsewhere
    KillerLargo,   // "3x3:" flags ":k:" and 81 numbers sum * 256 + cage id
    FPuzzles,      // f-puzzles JSON
    EnlaceFPuzzles // f-puzzles address: "?load=" and the JSON in LZ-String base64
};

inline constexpr std::array<Formato, 6> kFormatos = {Formato::Xml,         Formato::Clasico,
                                                     Formato::KillerCorto, Formato::KillerLargo,
                                                     Formato::FPuzzles,    Formato::EnlaceFPuzzles};

// The command-line name ("xml", "classic", "killer-short", "killer-long", "fpuzzles",
// "fpuzzles-url") and back.
std::string_view NombreFormato(Formato f);
std::optional<Formato> FormatoDeNombre(std::string_view nombre);
// A label for menus and dialogs ("Línea clásica", ...).
std::string_view DescripcionFormato(Formato f);

// Why a text was refused or a puzzle cannot be written: a message box's text and title.
struct ErrorFormato {
    std::string texto;
    std::string titulo;

    Mensaje AMensaje() const { return {texto, titulo, Icono::Exclamacion}; }
    bool operator==(const ErrorFormato&) const = default;
};

// A value, or the reason there is none.
template <class T> class Resultado {
public:
    Resultado(T valor) : v_(std::in_place_index<0>, std::move(valor)) {}
    Resultado(ErrorFormato error) : v_(std::in_place_index<1>, std::move(error)) {}

    explicit operator bool() const { return v_.index() == 0; }
    const T& operator*() const { return std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }
    const ErrorFormato& error() const { return std::get<1>(v_); }

private:
    std::variant<T, ErrorFormato> v_;
};

// Longer texts are refused unread; a puzzle in any of these formats is a few KB.
inline constexpr size_t kTamanoMaximoTexto = 1 << 20;

// What the readers take for white space around a text, and the text without it and without a
// leading byte order mark.
inline constexpr std::string_view kEspaciosTexto = " \t\r\n\f\v";
std::string_view Recortado(std::string_view texto);

// The format a text is in, from its first characters and its alphabet; surrounding whitespace
// and a byte order mark do not count. Nothing when it looks like none of them. 81 characters
// that are all digits or '.' are read as a classic line, although a Killer short string made
// of single-cell cages looks the same.
std::optional<Formato> DetectarFormato(std::string_view texto);

// Reads a text in the format it is detected in, or in the given one. The text formats number
// the segments in order of their first cell and write their sums in decimal; Velmora XML is read
// as opening the file reads it, and must be complete.
Resultado<Enunciado> LeerTexto(std::string_view texto);
Resultado<Enunciado> LeerTexto(std::string_view texto, Formato f);

// A puzzle read, and what the reader had to make of it to read it, for the user: a Killer's
// given digits outside its cages become one-cell cages of that sum (f-puzzles).
struct TextoLeido {
    Enunciado enunciado;
    std::optional<Mensaje> aviso;
};
// As LeerTexto, in the given format or the one detected.
Resultado<TextoLeido> LeerTextoConAviso(std::string_view texto, std::optional<Formato> f = {});

// Writes a puzzle that validates as solving it would; otherwise the validation's message. The
// classic line carries only classic puzzles, the Killer strings only Killer ones, and the Killer
// short string only segments whose cells touch, diagonals included. One-line formats have no
// line end; XML is written as saving writes it.
Resultado<std::string> EscribirTexto(const Enunciado& e, Formato f);

// The puzzle as the text formats give it back: only the data of its mode, segments renumbered
// in order of their first cell, sums that are numbers written in decimal. For a puzzle that
// validates and a format f other than XML (which keeps the segments' order),
// LeerTexto(*EscribirTexto(e, f), f) == Canonico(e).
Enunciado Canonico(const Enunciado& e);

} // namespace velmora
