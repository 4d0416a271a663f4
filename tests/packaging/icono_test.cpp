// The application icon as the build drew it for the package: what each size shows, and the SVG's
// document.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

namespace velmora {
namespace {

const QString kIconos = QStringLiteral(VELMORA_ICONOS "/");

// Centre of cell (fila, col) of the three by three board, on an icon of lado pixels.
QRgb Casilla(const QImage& icono, int fila, int col, int lado) {
    const auto centro = [lado](int i) { return (20 + 72 * i + 36) * lado / 256; };
    return icono.pixel(centro(col), centro(fila));
}

class Tamano : public ::testing::TestWithParam<int> {};

TEST_P(Tamano, DosSegmentosDeColorSobreFondoBlanco) {
    const int lado = GetParam();
    const QImage icono(kIconos + QStringLiteral("velmora-%1.png").arg(lado));
    ASSERT_EQ(icono.size(), QSize(lado, lado));
    // Cell centres are flat fills, the same on every processor; only edges are antialiased.
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

INSTANTIATE_TEST_SUITE_P(Icono, Tamano, ::testing::Values(48, 128, 256));

TEST(Icono, SvgBienFormadoConLienzoCuadrado) {
    QFile svg(kIconos + QStringLiteral("velmora.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
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
