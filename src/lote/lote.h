#pragma once
// Collections: one puzzle per line, each judged on its own and answered with one result line,
// tab-separated or as JSON Lines. What a command does with a puzzle is an Orden; the lines are
// read, spread over threads and written back in order by canal.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formatos.h"
#include "model/enunciado.h"
#include "model/tablero.h"

namespace velmora::lote {

// Whether a line holds a puzzle: blank lines and lines starting with '#' do not.
bool TienePuzzle(std::string_view linea);

// A line split into the puzzle and the label after it. The puzzle is the first word, except
// f-puzzles JSON (up to its closing brace) and XML (up to its root's closing tag), which may
// hold spaces; the label is the rest without the surrounding whitespace.
struct Partes {
    std::string_view puzzle, etiqueta;
};
Partes PartirLinea(std::string_view linea);

// One field of a result: its key in JSON Lines, and its value, written as a number in JSON
// when `numero`.
struct Campo {
    std::string_view clave;
    std::string valor;
    bool numero = false;
};
using Campos = std::vector<Campo>;

// A command over a validated puzzle: its value and the board Validar prepared from it. The stop
// token asks it to end early (the run is being abandoned).
using Juez = std::function<Campos(const Enunciado&, Tablero&, std::stop_token)>;

// The result of one line: the line to write (without its line end), and maybe a note for
// stderr; `rechazada` when the line gave no result.
struct Salida {
    std::string linea;
    std::string aviso;
    bool rechazada = false;
};

struct Opciones {
    std::optional<Formato> formato; // the lines' format; told from each line when not given
    bool json = false;
};

// Reads the puzzle of line `numero`, validates it as a solve does and judges it; a line that
// cannot be read or is not valid gives "rechazado" and the message "título: texto".
void EvaluarLinea(const Juez& juez, const Opciones& o, int64_t numero, std::string_view linea,
                  std::stop_token parar, Salida& salida);

// The result line: number, label and fields, tab-separated (tabs and line ends inside a value
// become spaces), or as one JSON object.
std::string Formatear(int64_t numero, std::string_view etiqueta, const Campos& campos, bool json);
// A JSON string literal; bytes that are not UTF-8 become U+FFFD, so the output always parses.
void AnadirJson(std::string& salida, std::string_view texto);

// The lines of a file descriptor, read in blocks as they come (a pipe's lines are not held back
// until a block is full). Lines longer than `maximo` bytes are cut there (the
// rest is skipped, and the reader refuses the text as too long), so memory stays bounded.
class LectorLineas {
public:
    explicit LectorLineas(int fd, size_t maximo = kTamanoMaximoTexto + 1);
    // The next line without its line end, and its number from 1; false at the end or on a
    // read error (Error() tells).
    bool Siguiente(std::string& linea, int64_t& numero);
    bool Error() const { return error_; }
    // Bytes consumed so far.
    int64_t Bytes() const { return bytes_; }

private:
    bool Llenar();

    int fd_;
    size_t maximo_;
    std::vector<char> bloque_;
    size_t inicio_ = 0, fin_ = 0;
    int64_t numero_ = 0, bytes_ = 0;
    bool error_ = false, agotado_ = false;
};

} // namespace velmora::lote
