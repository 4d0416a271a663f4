#include "ui/qt/iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "ui/apariencia.h"

namespace velmora {

namespace {

constexpr int kLado = 32;

QColor Paleta(int i) {
    const Color c = kPaleta[i].fondo;
    return {c.r, c.g, c.b};
}

void Hoja(QPainter& p) {
    QPainterPath hoja;
    hoja.moveTo(7, 3);
    hoja.lineTo(20, 3);
    hoja.lineTo(26, 9);
    hoja.lineTo(26, 29);
    hoja.lineTo(7, 29);
    hoja.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.setBrush(Qt::white);
    p.drawPath(hoja);
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
}

void Carpeta(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(27, 11),
                             QPointF(27, 26), QPointF(3, 26)}));
    p.setBrush(QColor(255, 225, 130));
    p.drawPolygon(QPolygonF({QPointF(3, 26), QPointF(8, 15), QPointF(31, 15), QPointF(27, 26)}));
}

void Disquete(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1.5));
    p.setBrush(QColor(50, 90, 170));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 16, 9));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(9, 18, 14, 10));
    p.fillRect(QRectF(18, 6, 3, 5), QColor(50, 90, 170));
}

// A small grid with its box lines; fill paints cells (0..8) before the lines.
template <class F> void Rejilla(QPainter& p, F fill) {
    const QRectF r(4, 4, 24, 24);
    p.fillRect(r, Qt::white);
    for (int c = 0; c < 9; ++c)
        fill(c, QRectF(r.x() + 8 * (c % 3), r.y() + 8 * (c / 3), 8, 8));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(r.x() + 8 * i, r.y()), QPointF(r.x() + 8 * i, r.bottom()));
        p.drawLine(QPointF(r.x(), r.y() + 8 * i), QPointF(r.right(), r.y() + 8 * i));
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(r);
}

void Vaciar(QPainter& p) {
    Rejilla(p, [](int, const QRectF&) {});
    // An eraser across the grid.
    p.save();
    p.translate(18, 20);
    p.rotate(-35);
    p.setPen(QPen(QColor(90, 40, 40), 1.2));
    p.setBrush(QColor(240, 130, 150));
    p.drawRect(QRectF(-10, -5, 13, 10));
    p.setBrush(QColor(120, 150, 220));
    p.drawRect(QRectF(3, -5, 7, 10));
    p.restore();
}

void Resolver(QPainter& p) {
    p.setPen(QPen(QColor(20, 100, 20), 1.5));
    p.setBrush(QColor(60, 180, 60));
    p.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(27, 16), QPointF(9, 27)}));
}

void Cancelar(QPainter& p) {
    QPolygonF octogono;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45 * i) * 3.14159265358979 / 180;
        octogono << QPointF(16 + 13 * std::cos(a), 16 + 13 * std::sin(a));
    }
    p.setPen(QPen(QColor(120, 0, 0), 1.5));
    p.setBrush(QColor(210, 30, 30));
    p.drawPolygon(octogono);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void Killer(QPainter& p) {
    // Cages in palette colours.
    static constexpr int kJaula[9] = {0, 0, 3, 5, 3, 3, 5, 10, 10};
    Rejilla(p, [&p](int c, const QRectF& r) { p.fillRect(r, Paleta(kJaula[c])); });
}

void Normal(QPainter& p) {
    static constexpr const char* kDigitos[9] = {"5", "", "", "", "3", "", "", "", "8"};
    Rejilla(p, [&p](int c, const QRectF& r) {
        if (!*kDigitos[c]) return;
        p.fillRect(r, Qt::black);
        p.setPen(QColor(192, 255, 192));
        QFont f = p.font();
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(kDigitos[c]));
    });
}

} // namespace

QIcon IconoHerramienta(Herramienta h) {
    QPixmap imagen(kLado, kLado);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    switch (h) {
    case Herramienta::Nuevo:
        Hoja(p);
        break;
    case Herramienta::Abrir:
        Carpeta(p);
        break;
    case Herramienta::Guardar:
        Disquete(p);
        break;
    case Herramienta::Vaciar:
        Vaciar(p);
        break;
    case Herramienta::Resolver:
        Resolver(p);
        break;
    case Herramienta::Cancelar:
        Cancelar(p);
        break;
    case Herramienta::Killer:
        Killer(p);
        break;
    case Herramienta::Normal:
        Normal(p);
        break;
    }
    p.end();
    return QIcon(imagen);
}

} // namespace velmora
