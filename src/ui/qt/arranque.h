#pragma once
// What every program that shows the window does first, and the conversions from the layout
// table's units to Qt's.

#include <QFont>
#include <QRect>

#include "ui/disposicion.h"

class QApplication;

namespace velmora {

// For the programs that drive the window without a user: offscreen unless a platform is named.
// Call before the QApplication exists.
void PantallaVirtualPorDefecto();

// The application's name (the per-user configuration folder), Spanish standard buttons and dialogs
// ("Aceptar", "Cancelar") whatever the user's locale, and installed faces for the ones the layout
// names.
void PrepararAplicacion(QApplication& app);

// The layout's fonts at their size in pixels at 96 dpi, so that captions fit the geometry
// whatever the screen's resolution.
QFont FuenteQt(const Fuente& f);

constexpr QRect RectQt(const Rect& r) {
    return {r.x / kTwipsPorPixel, r.y / kTwipsPorPixel, r.ancho / kTwipsPorPixel,
            r.alto / kTwipsPorPixel};
}

} // namespace velmora
