#pragma once
// The XML puzzle file: one element per line, CR LF line ends, apostrophes around attribute
// values. The reader accepts any well-formed document and takes attributes by position.

#include <QByteArray>
#include <QString>
#include <string_view>
#include <vector>

#include "model/enunciado.h"
#include "model/tablero.h"

class QIODevice;

namespace velmora {

inline constexpr std::string_view kTituloFichero = "Estructura incorrecta";
inline constexpr std::string_view kTextoErrorAbrir =
    "Se ha producido un error al intentar abrir el fichero. Asegúrese de que el fichero indicado "
    "contiene la estructura correcta.";
inline constexpr std::string_view kTextoErrorGuardar =
    "Se ha producido un error al intentar guardar el fichero. Asegúrese de introducir "
    "correctamente el nombre del fichero.";

// A puzzle file is a few KB; anything larger is refused unread.
inline constexpr qint64 kTamanoMaximoPuzzle = 1 << 20;

struct SegmentoLeido {
    QString suma;              // the first attribute, unchanged
    std::vector<int> casillas; // cell numbers, in document order
};

struct FijaLeida {
    int casilla;
    QString texto; // the entry's text content, unchanged
};

// What a file holds, as the window applies it: the entries in order, then maybe a failure.
struct PuzzleLeido {
    bool legible = false;  // false: unreadable or not well-formed; nothing is to be applied
    bool clasico = false;  // the root's local name is "SUDOKU_CLASIC"
    bool completo = false; // false: the document failed after the entries below
    std::vector<SegmentoLeido> segmentos; // Killer; the last one may have been cut short
    std::vector<FijaLeida> fijas;         // classic
};

PuzzleLeido LeerPuzzle(const QByteArray& datos);
PuzzleLeido LeerPuzzle(QIODevice& origen);
PuzzleLeido LeerFicheroPuzzle(const QString& ruta);

// The puzzle the entries make, applied in order to an empty board of the file's mode, later
// entries winning; segments are renumbered from 0 in document order. Needs a legible document;
// an incomplete one gives the entries read before the failure.
Enunciado EnunciadoDe(const PuzzleLeido& l);

// Opening a file as the window and the command line do. Not legible: nothing to apply.
// Otherwise the puzzle of the entries read, all of them when complete.
struct Apertura {
    bool legible = false;
    bool completo = false;
    Enunciado enunciado;
};
Apertura AbrirPuzzle(const QString& ruta);

// The lines of the current mode, from a board state the mode's validation has prepared.
QByteArray TextoPuzzle(const Tablero& t);

} // namespace velmora
