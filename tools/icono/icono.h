#pragma once
// Velmora's icon: one corner of a Killer board, three by three cells, with two coloured segments.
// One list of shapes feeds both the PNGs (QPainter) and the SVG (written as text), so the sizes
// cannot drift apart.

#include <QByteArray>
#include <QImage>

namespace velmora {

// The icon at lado x lado pixels, transparent outside the board.
QImage DibujarIcono(int lado);

// The same shapes as a scalable SVG document on a 256-unit canvas.
QByteArray IconoSvg();

} // namespace velmora
