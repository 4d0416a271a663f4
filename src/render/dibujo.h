#pragma once
// The puzzle on paper and in images, drawn the way published puzzles look: a thin grid with
// thick box lines, each Killer cage as a dashed outline inside its cells with its sum in the
// corner of its first cell, classic givens large, and a title line with the mode. Qt GUI only,
// so that the command line can draw without widgets.

#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/enunciado.h"
#include "model/tablero.h"

class QIODevice;
class QImage;
class QPagedPaintDevice;
class QPainter;

namespace velmora {

// A filled grid by cell number, 0 for an empty cell.
using Cuadricula = std::array<uint8_t, kCasillas>;

inline constexpr int kLadoPng = 900;
inline constexpr int kLadoMinimo = 100;
inline constexpr int kLadoMaximo = 4000;

inline constexpr std::string_view kTituloExportar = "Exportar imagen";
inline constexpr std::string_view kTextoErrorExportar =
    "No se ha podido escribir la imagen. Asegúrese de que la carpeta existe y de que se puede "
    "escribir en ella.";

// Where the parts of a drawing go in its area, in the painter's coordinates: the title line
// above a square grid, both centred across the area and set at its top.
struct Plano {
    QRectF titulo;
    QRectF rejilla;

    qreal Lado() const { return rejilla.width() / 9; } // of a cell
    QRectF Celda(int k) const;
};
Plano PlanoDe(const QRectF& area);

// "Sudoku Killer" or "Sudoku Normal".
QString TituloDe(const Enunciado& e);

// Draws the puzzle, and the solution's digits in a lighter colour where no given stands, into
// the area. Paints the grid white and nothing else outside its lines but the title.
void DibujarSudoku(QPainter& p, const QRectF& area, const Enunciado& e,
                   const Cuadricula* solucion = nullptr);

// One page on a printer or PDF writer, in the page's paint area. False when the device could
// not be painted on.
bool DibujarPagina(QPagedPaintDevice& hoja, const Enunciado& e,
                   const Cuadricula* solucion = nullptr);

// A square white image of lado pixels.
QImage ImagenSudoku(const Enunciado& e, const Cuadricula* solucion = nullptr, int lado = kLadoPng);

enum class FormatoImagen : uint8_t { Pdf, Png, Svg };

// From the file name's extension, in any case.
std::optional<FormatoImagen> FormatoDe(const QString& ruta);

// PDF: one A4 page. PNG and SVG: lado pixels square, from kLadoMinimo to kLadoMaximo (false
// outside). The device is opened for writing if it is not open yet.
bool EscribirImagen(QIODevice& destino, FormatoImagen f, const Enunciado& e,
                    const Cuadricula* solucion = nullptr, int lado = kLadoPng);

// Writes the file whole or leaves what was there before.
bool GuardarImagen(const QString& ruta, FormatoImagen f, const Enunciado& e,
                   const Cuadricula* solucion = nullptr, int lado = kLadoPng);

} // namespace velmora
