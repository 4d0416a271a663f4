#include "icono/icono.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "ui/apariencia.h"

namespace velmora {

namespace {

// Geometry on a 256-unit canvas.
constexpr double kLienzo = 256;
constexpr double kBorde = 20; // board's edge from the canvas's edge
constexpr double kCasilla = (kLienzo - 2 * kBorde) / 3;
constexpr double kRadio = 24; // board's rounded corners
constexpr double kMarco = 12, kRejilla = 3, kLimite = 9;

constexpr Color kBlanco = Rgb(255, 255, 255);
constexpr Color kTinta = Rgb(0, 0, 128);
constexpr Color kGris = Rgb(128, 128, 128);

// Segment of each cell, row by row: -1 none, else an index into kPaleta.
constexpr int kNinguno = -1, kNaranja = 17, kAzul = 13;
constexpr std::array<std::array<int, 3>, 3> kSegmentos = {{
    {kNaranja, kNaranja, kNinguno},
    {kNaranja, kNinguno, kAzul},
    {kNinguno, kAzul, kAzul},
}};

// A filled or stroked path. Fills are cut to the board's outline here rather than clipped when
// drawn, as not every SVG renderer clips.
struct Forma {
    QPainterPath camino;
    std::optional<Color> relleno;
    std::optional<Color> trazo;
    double ancho = 0;
};

double Borde(int i) {
    return kBorde + i * kCasilla;
}

int Segmento(int fila, int col) {
    if (fila < 0 || fila > 2 || col < 0 || col > 2) return kNinguno;
    return kSegmentos[fila][col];
}

Forma Linea(double x1, double y1, double x2, double y2, Color color, double ancho) {
    QPainterPath c;
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
    return {c, std::nullopt, color, ancho};
}

// Board, segment cells, thin lines between all cells, thick ones wherever a segment ends (as a
// Killer board outlines its segments), frame; in drawing order.
std::vector<Forma> Formas() {
    QPainterPath tablero;
    tablero.addRoundedRect(kBorde, kBorde, kLienzo - 2 * kBorde, kLienzo - 2 * kBorde, kRadio,
                           kRadio);
    std::vector<Forma> v{{tablero, kBlanco, std::nullopt, 0}};
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 3; ++c)
            if (const int s = Segmento(f, c); s != kNinguno) {
                QPainterPath casilla;
                casilla.addRect(Borde(c), Borde(f), kCasilla, kCasilla);
                v.push_back({casilla.intersected(tablero), kPaleta[s].fondo, std::nullopt, 0});
            }
    for (int i = 1; i < 3; ++i) {
        v.push_back(Linea(Borde(i), Borde(0), Borde(i), Borde(3), kGris, kRejilla));
        v.push_back(Linea(Borde(0), Borde(i), Borde(3), Borde(i), kGris, kRejilla));
    }
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 3; ++c) {
            const int s = Segmento(f, c);
            if (s == kNinguno) continue;
            // Edges inside the board only, the frame draws the others: to the right and below
            // always, to the left and above only next to a free cell, which draws none.
            if (c < 2 && Segmento(f, c + 1) != s)
                v.push_back(
                    Linea(Borde(c + 1), Borde(f), Borde(c + 1), Borde(f + 1), kTinta, kLimite));
            if (f < 2 && Segmento(f + 1, c) != s)
                v.push_back(
                    Linea(Borde(c), Borde(f + 1), Borde(c + 1), Borde(f + 1), kTinta, kLimite));
            if (c > 0 && Segmento(f, c - 1) == kNinguno)
                v.push_back(Linea(Borde(c), Borde(f), Borde(c), Borde(f + 1), kTinta, kLimite));
            if (f > 0 && Segmento(f - 1, c) == kNinguno)
                v.push_back(Linea(Borde(c), Borde(f), Borde(c + 1), Borde(f), kTinta, kLimite));
        }
    v.push_back({tablero, std::nullopt, kTinta, kMarco});
    return v;
}

QColor EnQt(Color c) {
    return QColor(c.r, c.g, c.b);
}

QString Num(double v) {
    return QString::number(v, 'g', 6);
}

QString Hex(Color c) {
    return QStringLiteral("#%1%2%3")
        .arg(c.r, 2, 16, QLatin1Char('0'))
        .arg(c.g, 2, 16, QLatin1Char('0'))
        .arg(c.b, 2, 16, QLatin1Char('0'));
}

// SVG path data: Qt's paths hold only moves, lines and cubic curves. A subpath that ends where
// it began is closed, so that a stroke joins there instead of ending in two caps.
QString Datos(const QPainterPath& camino) {
    QStringList d;
    QPointF inicio;
    for (int i = 0; i < camino.elementCount(); ++i) {
        const QPainterPath::Element e = camino.elementAt(i);
        const QString punto = Num(e.x) + QLatin1Char(' ') + Num(e.y);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            inicio = e;
            d << QStringLiteral("M") + punto;
            break;
        case QPainterPath::LineToElement:
            d << QStringLiteral("L") + punto;
            break;
        case QPainterPath::CurveToElement:
            d << QStringLiteral("C") + punto;
            break;
        case QPainterPath::CurveToDataElement:
            d << punto;
            break;
        }
        const bool fin = i + 1 == camino.elementCount() ||
                         camino.elementAt(i + 1).type == QPainterPath::MoveToElement;
        if (fin && e.type != QPainterPath::MoveToElement && QPointF(e) == inicio)
            d << QStringLiteral("Z");
    }
    return d.join(QLatin1Char(' '));
}

} // namespace

QImage DibujarIcono(int lado) {
    QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / kLienzo, lado / kLienzo);
    for (const Forma& f : Formas()) {
        p.setBrush(f.relleno ? QBrush(EnQt(*f.relleno)) : QBrush(Qt::NoBrush));
        p.setPen(f.trazo ? QPen(EnQt(*f.trazo), f.ancho, Qt::SolidLine, Qt::SquareCap)
                         : QPen(Qt::NoPen));
        p.drawPath(f.camino);
    }
    p.end();
    return imagen;
}

QByteArray IconoSvg() {
    QString s = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" "
                               "height=\"256\" viewBox=\"0 0 256 256\">\n");
    for (const Forma& f : Formas()) {
        s += QStringLiteral("  <path d=\"%1\" fill=\"%2\"")
                 .arg(Datos(f.camino), f.relleno ? Hex(*f.relleno) : QStringLiteral("none"));
        if (f.trazo)
            s += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"square\"")
                     .arg(Hex(*f.trazo), Num(f.ancho));
        s += QStringLiteral("/>\n");
    }
    s += QStringLiteral("</svg>\n");
    return s.toUtf8();
}

} // namespace velmora
