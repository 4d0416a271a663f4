// The application icon: what each size shows, and that the files the package installs are the
// ones the tool draws today.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include "icono/icono.h"

namespace velmora {
namespace {

const QString kIconos = QStringLiteral(VELMORA_PACKAGING "/icons/");

// Centre of cell (fila, col) of the three by three board, on an icon of lado pixels.
QRgb Casilla(const QImage& icono, int fila, int col, int lado) {
    const auto centro = [lado](int i) { return (20 + 72 * i + 36) * lado / 256; };
    return icono.pixel(centro(col), centro(fila));
}

class Tamano : public ::testing::TestWithParam<int> {};

TEST_P(Tamano, DosSegmentosDeColorSobreFondoBlanco) {
    const int lado = GetParam();
    const QImage icono = DibujarIcono(lado);
    ASSERT_EQ(icono.size(), QSize(lado, lado));
    const QRgb naranja = qRgb(255, 128, 0), azul = qRgb(128, 128, 255),
               blanco = qRgb(255, 255, 255);
    const struct {
        int fila, col;
        QRgb color;
    } casos[] = {{0, 0, naranja}, {0, 1, naranja}, {1, 0, naranja}, {1, 2, azul},  {2, 1, azul},
                 {2, 2, azul},    {0, 2, blanco},  {1, 1, blanco},  {2, 0, blanco}};
    for (const auto& c : casos)
        EXPECT_EQ(Casilla(icono, c.fila, c.col, lado), c.color) << c.fila << "," << c.col;
    EXPECT_EQ(qAlpha(icono.pixel(0, 0)), 0) << "fuera del tablero";
    EXPECT_EQ(qAlpha(icono.pixel(lado - 1, lado - 1)), 0) << "fuera del tablero";
}

TEST_P(Tamano, ElPngGuardadoEsElQueSeDibuja) {
    const int lado = GetParam();
    const QImage guardado(kIconos + QStringLiteral("velmora-%1.png").arg(lado));
    ASSERT_FALSE(guardado.isNull()) << "scripts/icono.sh lo dibuja";
    EXPECT_EQ(guardado.convertToFormat(QImage::Format_ARGB32),
              DibujarIcono(lado).convertToFormat(QImage::Format_ARGB32))
        << "scripts/icono.sh lo vuelve a dibujar";
}

INSTANTIATE_TEST_SUITE_P(Icono, Tamano, ::testing::Values(48, 128, 256));

TEST(Icono, ElSvgGuardadoEsElQueSeEscribe) {
    QFile guardado(kIconos + QStringLiteral("velmora.svg"));
    ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
    EXPECT_EQ(guardado.readAll(), IconoSvg()) << "scripts/icono.sh lo vuelve a escribir";
}

TEST(Icono, SvgBienFormadoConLienzoCuadrado) {
    QXmlStreamReader xml(IconoSvg());
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.attributes().value(QStringLiteral("viewBox")), QStringLiteral("0 0 256 256"));
    int caminos = 0;
    while (xml.readNextStartElement()) {
        EXPECT_EQ(xml.name(), QStringLiteral("path"));
        ++caminos;
        xml.skipCurrentElement();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // Board, six segment cells, four grid lines, eight segment edges, frame.
    EXPECT_EQ(caminos, 20);
}

} // namespace
} // namespace velmora
