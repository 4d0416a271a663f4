#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "render/dibujo.h"

namespace velmora {

namespace {

// Paper margins of a printed puzzle page.
constexpr qreal kMargenPapel = 15; // mm

bool EscribirPdf(QIODevice& destino, const Enunciado& e, const Cuadricula* solucion) {
    QPdfWriter pdf(&destino);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(kMargenPapel, kMargenPapel, kMargenPapel, kMargenPapel),
                       QPageLayout::Millimeter);
    pdf.setTitle(TituloDe(e));
    pdf.setCreator(QStringLiteral("Velmora"));
    return DibujarPagina(pdf, e, solucion);
}

bool EscribirSvg(QIODevice& destino, const Enunciado& e, const Cuadricula* solucion, int lado) {
    QSvgGenerator svg;
    svg.setOutputDevice(&destino);
    svg.setResolution(96); // so that the size in mm it writes is lado CSS pixels
    svg.setSize(QSize(lado, lado));
    svg.setViewBox(QRect(0, 0, lado, lado));
    svg.setTitle(TituloDe(e));
    QPainter p;
    if (!p.begin(&svg)) return false;
    p.fillRect(QRect(0, 0, lado, lado), Qt::white);
    DibujarSudoku(p, QRectF(0, 0, lado, lado), e, solucion);
    return p.end();
}

} // namespace

bool DibujarPagina(QPagedPaintDevice& hoja, const Enunciado& e, const Cuadricula* solucion) {
    QPainter p;
    if (!p.begin(&hoja)) return false;
    DibujarSudoku(p, QRectF(0, 0, hoja.width(), hoja.height()), e, solucion);
    return p.end();
}

QImage ImagenSudoku(const Enunciado& e, const Cuadricula* solucion, int lado) {
    QImage imagen(lado, lado, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    DibujarSudoku(p, QRectF(imagen.rect()), e, solucion);
    return imagen;
}

std::optional<FormatoImagen> FormatoDe(const QString& ruta) {
    const QString ext = QFileInfo(ruta).suffix().toLower();
    if (ext == QLatin1String("pdf")) return FormatoImagen::Pdf;
    if (ext == QLatin1String("png")) return FormatoImagen::Png;
    if (ext == QLatin1String("svg")) return FormatoImagen::Svg;
    return std::nullopt;
}

bool EscribirImagen(QIODevice& destino, FormatoImagen f, const Enunciado& e,
                    const Cuadricula* solucion, int lado) {
    if (lado < kLadoMinimo || lado > kLadoMaximo) return false;
    if (!destino.isOpen() && !destino.open(QIODevice::WriteOnly)) return false;
    if (!destino.isWritable()) return false;
    switch (f) {
    case FormatoImagen::Pdf:
        return EscribirPdf(destino, e, solucion);
    case FormatoImagen::Png:
        return ImagenSudoku(e, solucion, lado).save(&destino, "PNG");
    case FormatoImagen::Svg:
        return EscribirSvg(destino, e, solucion, lado);
    }
    return false;
}

bool GuardarImagen(const QString& ruta, FormatoImagen f, const Enunciado& e,
                   const Cuadricula* solucion, int lado) {
    QSaveFile fichero(ruta);
    if (!fichero.open(QIODevice::WriteOnly)) return false;
    if (!EscribirImagen(fichero, f, e, solucion, lado)) {
        fichero.cancelWriting();
        return false;
    }
    return fichero.commit();
}

} // namespace velmora
