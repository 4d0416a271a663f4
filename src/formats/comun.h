#pragma once
// What the readers and writers of the text formats share; not part of the library's interface.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formatos.h"

namespace velmora::formatos {

inline constexpr std::string_view kTituloNoValido = "Texto no válido";
inline constexpr std::string_view kTituloVariante = "Variante no admitida";

ErrorFormato NoValido(std::string texto);
ErrorFormato Variante(std::string texto);

// Where byte `i` of a text is, for a message: "la posición N" in a one-line text, "la línea L,
// columna C" otherwise; counted in characters from 1.
std::string Donde(std::string_view texto, size_t i);
// "Carácter no válido «x» en la posición N".
ErrorFormato CaracterNoValido(std::string_view texto, size_t i);
// A piece of the input quoted in a message, cut short when long.
std::string Cita(std::string_view texto);
// "fila F, columna C".
std::string NombreCasilla(int k);

// A cage as a reader finds it. No cell may be in two of them.
struct Jaula {
    std::vector<int> casillas;
    std::string suma;
};
// The Killer puzzle of the cages: segments numbered in order of their first cell; refused when
// there are more than fit.
Resultado<Enunciado> EnunciadoKiller(std::vector<Jaula> jaulas);

// A segment of a puzzle that validated, for a writer: its number in the puzzle, its sum, its
// cells in reading order. In order of their first cell.
struct JaulaValida {
    int segmento;
    int suma;
    std::vector<int> casillas;
};
Resultado<std::vector<JaulaValida>> JaulasValidas(const Enunciado& e);
// The given digits of a classic puzzle that validated, 0 for an empty cell.
Resultado<std::array<int, kCasillas>> CifrasValidas(const Enunciado& e);

Resultado<Enunciado> LeerClasico(std::string_view texto);
std::string EscribirClasico(const std::array<int, kCasillas>& cifras);
Resultado<Enunciado> LeerKillerCorto(std::string_view texto);
Resultado<std::string> EscribirKillerCorto(const std::vector<JaulaValida>& jaulas);
Resultado<Enunciado> LeerKillerLargo(std::string_view texto);
std::string EscribirKillerLargo(const std::vector<JaulaValida>& jaulas);
// A Killer's given digits outside its cages become one-cell cages, and `aviso` says so.
Resultado<Enunciado> LeerFPuzzles(std::string_view texto, std::optional<Mensaje>* aviso = nullptr);
Resultado<std::string> EscribirFPuzzles(const Enunciado& e);
Resultado<Enunciado> LeerEnlaceFPuzzles(std::string_view texto,
                                        std::optional<Mensaje>* aviso = nullptr);
Resultado<std::string> EscribirEnlaceFPuzzles(const Enunciado& e);

} // namespace velmora::formatos
