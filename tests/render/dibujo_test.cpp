// The renders as a reader sees them: pixels at known places of the PNG, the PDF's pages and paper,
// the SVG's document. Runs on the offscreen platform; its main creates the QGuiApplication.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <set>

#include "files/puzzle_xml.h"
#include "render/dibujo.h"
#include "support/puzzles.h"

namespace velmora {
namespace {

Enunciado Ejemplo(const char* nombre) {
    return AbrirPuzzle(QStringLiteral(VELMORA_EXAMPLES "/") + nombre).enunciado;
}

const Plano kPlano = PlanoDe(QRectF(0, 0, kLadoPng, kLadoPng));

// A part of cell k, in fractions of its side.
QRect Zona(int k, qreal x0, qreal y0, qreal x1, qreal y1) {
    const QRectF c = kPlano.Celda(k);
    const qreal l = kPlano.Lado();
    return QRectF(c.left() + x0 * l, c.top() + y0 * l, (x1 - x0) * l, (y1 - y0) * l).toRect();
}
const auto Esquina = [](int k) { return Zona(k, 0.12, 0.12, 0.2, 0.2); }; // a sum, not an outline
const auto Centro = [](int k) { return Zona(k, 0.3, 0.3, 0.7, 0.7); };

int Contar(const QImage& img, const QRect& r, bool (*cumple)(QRgb)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += cumple(img.pixel(x, y));
    return n;
}
const auto Oscuro = [](QRgb c) { return qGray(c) < 160; };
const auto Negro = [](QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; };
const auto Azulado = [](QRgb c) { return qBlue(c) - qRed(c) > 50; };

// Not blank, the mode's title; each sum in the corner of its cage's first cell, nothing in any
// other corner or in any centre.
TEST(Imagen, TituloYCadaSumaEnLaPrimeraCasillaDeSuJaula) {
    for (const char* nombre : {"killer.xml", "killer_parcial.xml", "clasico.xml"}) {
        const Enunciado e = Ejemplo(nombre);
        const QImage img = ImagenSudoku(e);
        ASSERT_EQ(img.size(), QSize(kLadoPng, kLadoPng));
        EXPECT_GT(Contar(img, img.rect(), Oscuro), 20000) << nombre;
        EXPECT_GT(Contar(img, kPlano.titulo.toRect(), Negro), 300) << nombre;
        EXPECT_EQ(TituloDe(e), e.killer ? "Sudoku Killer" : "Sudoku Normal");
        std::set<int> vistos;
        for (int k = 0; k < kCasillas && e.killer; ++k) {
            const bool primera = e.segmento[k] >= 0 && vistos.insert(e.segmento[k]).second;
            EXPECT_EQ(Contar(img, Esquina(k), Negro) > 3, primera) << nombre << ' ' << k;
            EXPECT_EQ(Contar(img, Centro(k), Oscuro), 0) << nombre << ' ' << k;
        }
    }
}

TEST(Imagen, DadasEnNegroYSolucionEnOtroColor) {
    Cuadricula solucion{};
    for (int k = 0; k < kCasillas; ++k)
        solucion[k] = static_cast<uint8_t>(k % 9 + 1);
    const Enunciado e = Ejemplo("clasico.xml");
    const QImage sin = ImagenSudoku(e), con = ImagenSudoku(e, &solucion);
    const QImage killer = ImagenSudoku(Ejemplo("killer.xml"), &solucion);
    for (int k = 0; k < kCasillas; ++k) {
        EXPECT_EQ(Contar(sin, Centro(k), Negro) > 30, e.fijas[k]) << k;
        EXPECT_EQ(Contar(con, Centro(k), Negro) > 30, e.fijas[k]) << k;
        EXPECT_EQ(Contar(con, Centro(k), Azulado) > 30, !e.fijas[k]) << k;
        EXPECT_GT(Contar(killer, Centro(k), Azulado), 30) << k;
    }
}

// One outline around the union of a cage's cells: dashes beside a side between two cages, around
// a hole and round an inner corner, never beside a side inside a cage.
TEST(Imagen, ContornoDeLaJaulaEntera) {
    const struct {
        std::string segmentos; // the first rows
        int casilla;
        QRect zona;
        bool discontinua;
    } casos[] = {
        {"aa...........", 0, Zona(0, 0.8, 0.3, 0.95, 0.7), false},
        {"ab...........", 0, Zona(0, 0.8, 0.3, 0.95, 0.7), true},
        {"aaa......a.a......aaa", 9, Zona(9, 0.8, 0.3, 0.95, 0.7), true},  // beside the hole
        {"aaa......a.a......aaa", 0, Zona(0, 0.8, 0.3, 0.95, 0.7), false}, // in the ring
        {"aa.......a...", 0, Zona(0, 0.86, 0.86, 0.96, 0.96), true},       // inner corner
        {"aa.......a...", 0, Zona(0, 0.3, 0.8, 0.7, 0.95), false},
    };
    for (const auto& c : casos) {
        const QImage img = ImagenSudoku(
            Killer(c.segmentos + std::string(81 - c.segmentos.size(), '.'), {"10", "5"}));
        EXPECT_EQ(Contar(img, c.zona, Oscuro) > 0, c.discontinua) << c.segmentos << c.casilla;
    }
}

QByteArray Escribir(FormatoImagen f, const Enunciado& e, int lado = kLadoPng) {
    QBuffer b;
    EXPECT_TRUE(EscribirImagen(b, f, e, nullptr, lado));
    return b.data();
}

TEST(Ficheros, PdfDeUnaPaginaA4) {
    const QString pdf = QString::fromLatin1(Escribir(FormatoImagen::Pdf, Ejemplo("killer.xml")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count(QRegularExpression(R"(/Type\s*/Page\b)")), 1);
    const auto caja =
        QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])").match(pdf);
    ASSERT_TRUE(caja.hasMatch());
    EXPECT_NEAR(caja.captured(1).toDouble(), 595.3, 1); // 210 mm in points
    EXPECT_NEAR(caja.captured(2).toDouble(), 841.9, 1); // 297 mm
}

TEST(Ficheros, SvgConSuTamanoYLasSumas) {
    const Enunciado e = Ejemplo("killer.xml");
    QXmlStreamReader xml(Escribir(FormatoImagen::Svg, e, 600));
    std::set<QString> textos;
    QString caja, ancho;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("svg")) {
            caja = xml.attributes().value("viewBox").toString();
            ancho = xml.attributes().value("width").toString();
        } else if (xml.name() == QLatin1String("text")) {
            textos.insert(xml.readElementText());
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(caja, "0 0 600 600");
    // 600 CSS pixels; the millimetres are computed in floating point.
    ASSERT_TRUE(ancho.endsWith("mm")) << ancho.toStdString();
    EXPECT_NEAR(ancho.chopped(2).toDouble(), 158.75, 0.01);
    EXPECT_TRUE(textos.contains("Sudoku Killer"));
    for (const std::string& suma : e.sumas)
        EXPECT_TRUE(suma.empty() || textos.contains(QString::fromStdString(suma))) << suma;
}

} // namespace
} // namespace velmora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
