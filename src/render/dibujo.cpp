#include "render/dibujo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace velmora {

namespace {

// Proportions, as fractions of a cell's side.
constexpr qreal kLineaFina = 0.016;
constexpr qreal kLineaGruesa = 0.05;
constexpr qreal kLineaJaula = 0.018;
constexpr qreal kSangria = 0.09;    // how far a cage's outline sits inside its cells
constexpr qreal kTrazo = 0.07;      // a dash of the outline
constexpr qreal kHueco = 0.05;      // the gap between dashes
constexpr qreal kCifra = 0.62;      // digit font size
constexpr qreal kCifraKiller = 0.5; // smaller where a cage sum shares the cell
constexpr qreal kSuma = 0.22;       // cage sum font size
constexpr qreal kTitulo = 0.075;    // title band height, as a fraction of the grid's side
constexpr qreal kMargen = 0.03;     // around everything, as a fraction of the area's smaller side

const QColor kTinta(0, 0, 0);
const QColor kTintaJaula(48, 48, 48);
const QColor kTintaSolucion(70, 110, 175);

QFont Fuente(qreal pixeles, bool negrita = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixeles))));
    f.setBold(negrita);
    return f;
}

// Text centred on a point, the digits' height (not the line's) setting the vertical place.
void TextoCentrado(QPainter& p, QPointF centro, const QString& texto) {
    const QFontMetricsF m(p.font());
    p.drawText(QPointF(centro.x() - m.horizontalAdvance(texto) / 2, centro.y() + m.capHeight() / 2),
               texto);
}

// A corner of the cage outline: a grid corner moved by whole insets along each axis.
struct Punto {
    int x, y;   // grid corner, 0..9
    int dx, dy; // insets, -1..1
    bool operator<(const Punto& o) const {
        return std::tie(x, y, dx, dy) < std::tie(o.x, o.y, o.dx, o.dy);
    }
    bool operator==(const Punto&) const = default;
};

struct Tramo {
    Punto desde, hasta;
    int tx, ty; // direction
};

// The closed outlines of one cage, each a list of corners where it turns, walked clockwise on
// screen. Every cell side that borders a cell outside the cage gives a stretch set an inset
// inside; where the outline turns, the stretch ends an inset short of the corner (outer corner),
// at it (going straight on into the neighbour's side) or an inset past it (inner corner).
std::vector<std::vector<Punto>> Contornos(const Enunciado& e, int seg) {
    const auto dentro = [&](int f, int c) {
        return f >= 0 && f < 9 && c >= 0 && c < 9 && e.segmento[9 * f + c] == seg;
    };
    // Outward normal and walking direction of the top, right, bottom and left sides.
    constexpr int lados[4][4] = {{0, -1, 1, 0}, {1, 0, 0, 1}, {0, 1, -1, 0}, {-1, 0, 0, -1}};
    std::vector<Tramo> tramos;
    for (int k = 0; k < kCasillas; ++k) {
        const int f = k / 9, c = k % 9;
        if (e.segmento[k] != seg) continue;
        for (const auto& l : lados) {
            const int nx = l[0], ny = l[1], tx = l[2], ty = l[3];
            if (dentro(f + ny, c + nx)) continue;
            // s = -1 for the end behind, +1 for the end ahead.
            const auto extremo = [&](int s) {
                const bool vecina = dentro(f + s * ty, c + s * tx);
                const bool diagonal = dentro(f + s * ty + ny, c + s * tx + nx);
                const int a = !vecina ? -s : diagonal ? s : 0; // along the walk
                return Punto{c + (1 + nx + s * tx) / 2, f + (1 + ny + s * ty) / 2, -nx + a * tx,
                             -ny + a * ty};
            };
            tramos.push_back({extremo(-1), extremo(1), tx, ty});
        }
    }
    std::map<Punto, size_t> porInicio;
    for (size_t i = 0; i < tramos.size(); ++i)
        porInicio.emplace(tramos[i].desde, i);

    std::vector<std::vector<Punto>> contornos;
    std::vector<bool> usado(tramos.size());
    for (size_t i = 0; i < tramos.size(); ++i) {
        if (usado[i]) continue;
        std::vector<Punto> esquinas;
        size_t j = i;
        while (!usado[j]) {
            usado[j] = true;
            const auto sig = porInicio.find(tramos[j].hasta);
            if (sig == porInicio.end()) break; // cannot happen: every outline closes
            const Tramo& n = tramos[sig->second];
            if (n.tx != tramos[j].tx || n.ty != tramos[j].ty) esquinas.push_back(n.desde);
            j = sig->second;
        }
        if (esquinas.size() >= 4) contornos.push_back(std::move(esquinas));
    }
    return contornos;
}

// A dashed straight stretch whose dashes start and end at its ends, so that the outline's
// corners are solid. Square caps close the corner where two stretches meet.
void LineaDiscontinua(QPainterPath& trazos, QPointF a, QPointF b, qreal trazo, qreal hueco) {
    const qreal largo = QLineF(a, b).length();
    const int n = std::max(1, static_cast<int>(std::lround((largo + hueco) / (trazo + hueco))));
    if (n == 1) {
        trazos.moveTo(a);
        trazos.lineTo(b);
        return;
    }
    const qreal paso = (largo - trazo) / (n - 1);
    const QPointF u = (b - a) / largo;
    for (int i = 0; i < n; ++i) {
        trazos.moveTo(a + u * (i * paso));
        trazos.lineTo(a + u * (i * paso + trazo));
    }
}

void DibujarJaulas(QPainter& p, const Plano& pl, const Enunciado& e) {
    const qreal lado = pl.Lado();
    const qreal ancho = lado * kLineaJaula;
    const auto posicion = [&](const Punto& q) {
        return pl.rejilla.topLeft() +
               QPointF((q.x + q.dx * kSangria) * lado, (q.y + q.dy * kSangria) * lado);
    };
    // The square caps add half a width at each end of a dash.
    const qreal trazo = std::max(kTrazo * lado - ancho, ancho / 4);
    const qreal hueco = kHueco * lado + ancho;
    QPainterPath trazos;
    for (int s = 0; s < kSegmentos; ++s) {
        for (const auto& contorno : Contornos(e, s)) {
            for (size_t i = 0; i < contorno.size(); ++i)
                LineaDiscontinua(trazos, posicion(contorno[i]),
                                 posicion(contorno[(i + 1) % contorno.size()]), trazo, hueco);
        }
    }
    p.strokePath(trazos, QPen(kTintaJaula, ancho, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

// Each sum on a white patch in the top-left corner of its cage's first cell, so that the outline
// stops short of it.
void DibujarSumas(QPainter& p, const Plano& pl, const Enunciado& e) {
    const qreal lado = pl.Lado();
    p.setFont(Fuente(kSuma * lado));
    const QFontMetricsF m(p.font());
    const qreal borde = 0.035 * lado;
    for (int s = 0; s < kSegmentos; ++s) {
        const auto primera = std::find(e.segmento.begin(), e.segmento.end(), s);
        if (primera == e.segmento.end()) continue;
        const QString suma = QString::fromStdString(e.sumas[s]).trimmed();
        if (suma.isEmpty()) continue;
        const QRectF celda = pl.Celda(static_cast<int>(primera - e.segmento.begin()));
        const QPointF origen = celda.topLeft() + QPointF(0.055 * lado, 0.045 * lado);
        const QRectF texto(origen, QSizeF(m.horizontalAdvance(suma), m.capHeight()));
        p.fillRect(texto.adjusted(-borde, -borde, borde, borde), Qt::white);
        p.setPen(kTinta);
        p.drawText(QPointF(texto.left(), texto.bottom()), suma);
    }
}

void DibujarCifras(QPainter& p, const Plano& pl, const Enunciado& e, const Cuadricula* solucion) {
    p.setFont(Fuente((e.killer ? kCifraKiller : kCifra) * pl.Lado()));
    for (int k = 0; k < kCasillas; ++k) {
        const QString dada = e.fijas[k] ? QString::fromStdString(e.textos[k]).trimmed() : QString();
        QString texto = dada;
        if (texto.isEmpty() && solucion && (*solucion)[k] >= 1 && (*solucion)[k] <= 9)
            texto = QString::number((*solucion)[k]);
        if (texto.isEmpty()) continue;
        p.setPen(dada.isEmpty() ? kTintaSolucion : kTinta);
        TextoCentrado(p, pl.Celda(k).center(), texto);
    }
}

void DibujarLineas(QPainter& p, const Plano& pl) {
    const qreal lado = pl.Lado();
    const QRectF& r = pl.rejilla;
    for (const bool gruesas : {false, true}) {
        // Thin lines stay at least one device unit so that small images keep them.
        const qreal ancho = gruesas ? kLineaGruesa * lado : std::max(kLineaFina * lado, 1.0);
        p.setPen(QPen(kTinta, ancho, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        for (int i = 0; i <= 9; ++i) {
            if ((i % 3 == 0) != gruesas) continue;
            const qreal d = i * lado;
            p.drawLine(QPointF(r.left() + d, r.top()), QPointF(r.left() + d, r.bottom()));
            p.drawLine(QPointF(r.left(), r.top() + d), QPointF(r.right(), r.top() + d));
        }
    }
}

} // namespace

QRectF Plano::Celda(int k) const {
    const qreal lado = Lado();
    return {rejilla.left() + (ColDe(k) - 1) * lado, rejilla.top() + (FilaDe(k) - 1) * lado, lado,
            lado};
}

Plano PlanoDe(const QRectF& area) {
    const QRectF dentro = area.marginsRemoved(QMarginsF(1, 1, 1, 1) *
                                              (kMargen * std::min(area.width(), area.height())));
    const qreal lado = std::max(0.0, std::min(dentro.width(), dentro.height() / (1 + kTitulo)));
    const qreal x = dentro.center().x() - lado / 2;
    return {QRectF(x, dentro.top(), lado, kTitulo * lado),
            QRectF(x, dentro.top() + kTitulo * lado, lado, lado)};
}

QString TituloDe(const Enunciado& e) {
    return e.killer ? QStringLiteral("Sudoku Killer") : QStringLiteral("Sudoku Normal");
}

void DibujarSudoku(QPainter& p, const QRectF& area, const Enunciado& e,
                   const Cuadricula* solucion) {
    const Plano pl = PlanoDe(area);
    if (pl.rejilla.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setFont(Fuente(0.55 * pl.titulo.height(), true));
    p.setPen(kTinta);
    TextoCentrado(p, QPointF(pl.titulo.center().x(), pl.titulo.top() + 0.4 * pl.titulo.height()),
                  TituloDe(e));

    p.fillRect(pl.rejilla, Qt::white);
    if (e.killer) {
        DibujarJaulas(p, pl, e);
        DibujarSumas(p, pl, e);
    }
    DibujarCifras(p, pl, e, solucion);
    DibujarLineas(p, pl);
    p.restore();
}

} // namespace velmora
