// The renders as a reader sees them: pixels at known places of the PNG, the PDF's pages and paper,
// the SVG's document. Runs on the offscreen platform; its main creates the QGuiApplication.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <set>

#include "files/puzzle_xml.h"
#include "render/dibujo.h"
#include "support/puzzles.h"

namespace velmora {
namespace {

Enunciado Ejemplo(const char* nombre) {
    const Apertura a = AbrirPuzzle(QStringLiteral(VELMORA_EXAMPLES "/") + nombre);
    EXPECT_TRUE(a.completo) << nombre;
    return a.enunciado;
}

// Any full grid: the renders draw whatever digits they are given.
Cuadricula Rellena() {
    Cuadricula c{};
    for (int k = 0; k < kCasillas; ++k)
        c[k] = static_cast<uint8_t>((FilaDe(k) * 3 + FilaDe(k) / 4 + ColDe(k)) % 9 + 1);
    return c;
}

// A part of a cell, in fractions of its side.
QRect Zona(const Plano& pl, int k, qreal x0, qreal y0, qreal x1, qreal y1) {
    const QRectF c = pl.Celda(k);
    const qreal l = pl.Lado();
    return QRectF(c.left() + x0 * l, c.top() + y0 * l, (x1 - x0) * l, (y1 - y0) * l).toRect();
}
// Where a cage's sum stands in its first cell, clear of the outline.
QRect Esquina(const Plano& pl, int k) {
    return Zona(pl, k, 0.12, 0.12, 0.2, 0.2);
}
QRect Centro(const Plano& pl, int k) {
    return Zona(pl, k, 0.3, 0.3, 0.7, 0.7);
}

int Contar(const QImage& img, const QRect& r, bool (*cumple)(QRgb)) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += cumple(img.pixel(x, y));
    return n;
}
bool Oscuro(QRgb c) {
    return qGray(c) < 160;
}
bool Negro(QRgb c) {
    return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool Azulado(QRgb c) {
    return qBlue(c) - qRed(c) > 50;
}

const Plano kPlano900 = PlanoDe(QRectF(0, 0, kLadoPng, kLadoPng));

TEST(Plano, TituloEncimaDeUnaRejillaCuadradaCentradaEnElArea) {
    for (const QRectF area : {QRectF(0, 0, 900, 900), QRectF(0, 0, 9921, 14031),
                              QRectF(50, 20, 1200, 500), QRectF(0, 0, 100, 100)}) {
        SCOPED_TRACE(area.width());
        const Plano pl = PlanoDe(area);
        EXPECT_DOUBLE_EQ(pl.rejilla.width(), pl.rejilla.height());
        EXPECT_TRUE(area.contains(pl.titulo.united(pl.rejilla)));
        EXPECT_DOUBLE_EQ(pl.titulo.bottom(), pl.rejilla.top());
        EXPECT_NEAR(pl.rejilla.center().x(), area.center().x(), 1e-6);
        EXPECT_GT(pl.rejilla.width(), 0.85 * std::min(area.width(), area.height()));
        EXPECT_EQ(pl.Celda(80).bottomRight(), pl.rejilla.bottomRight());
    }
}

TEST(Imagen, NoEnBlancoYConElTituloDelModo) {
    const Cuadricula solucion = Rellena();
    for (const char* nombre : {"killer.xml", "killer_parcial.xml", "clasico.xml"}) {
        for (const Cuadricula* s : {static_cast<const Cuadricula*>(nullptr), &solucion}) {
            SCOPED_TRACE(std::string(nombre) + (s ? " con solución" : ""));
            const QImage img = ImagenSudoku(Ejemplo(nombre), s);
            ASSERT_EQ(img.size(), QSize(kLadoPng, kLadoPng));
            const int oscuros = Contar(img, img.rect(), Oscuro);
            EXPECT_GT(oscuros, 20000);
            EXPECT_LT(oscuros, kLadoPng * kLadoPng / 4);
            EXPECT_GT(Contar(img, kPlano900.titulo.toRect(), Negro), 300);
        }
    }
    EXPECT_EQ(TituloDe(Ejemplo("killer.xml")), "Sudoku Killer");
    EXPECT_EQ(TituloDe(Ejemplo("clasico.xml")), "Sudoku Normal");
}

// Every sum in the corner of its cage's first cell, and nothing in any other cell's corner or in
// any centre: the outlines stay out of the cells' inner parts.
TEST(Imagen, CadaSumaEnLaPrimeraCasillaDeSuJaula) {
    for (const char* nombre : {"killer.xml", "killer_parcial.xml"}) {
        SCOPED_TRACE(nombre);
        const Enunciado e = Ejemplo(nombre);
        const QImage img = ImagenSudoku(e);
        std::set<int> vistos;
        for (int k = 0; k < kCasillas; ++k) {
            SCOPED_TRACE(k);
            const bool primera = e.segmento[k] >= 0 && vistos.insert(e.segmento[k]).second;
            if (primera)
                EXPECT_GT(Contar(img, Esquina(kPlano900, k), Negro), 3);
            else
                EXPECT_EQ(Contar(img, Esquina(kPlano900, k), Oscuro), 0);
            EXPECT_EQ(Contar(img, Centro(kPlano900, k), Oscuro), 0);
        }
    }
}

TEST(Imagen, DadasEnNegroYSolucionEnOtroColor) {
    const Enunciado e = Ejemplo("clasico.xml");
    const Cuadricula solucion = Rellena();
    const QImage sin = ImagenSudoku(e), con = ImagenSudoku(e, &solucion);
    for (int k = 0; k < kCasillas; ++k) {
        SCOPED_TRACE(k);
        const QRect c = Centro(kPlano900, k);
        EXPECT_EQ(Contar(sin, c, Negro) > 30, e.fijas[k]);
        EXPECT_EQ(Contar(con, c, Negro) > 30, e.fijas[k]);
        EXPECT_EQ(Contar(con, c, Azulado) > 30, !e.fijas[k]);
    }
    const QImage killer = ImagenSudoku(Ejemplo("killer.xml"), &solucion);
    for (int k = 0; k < kCasillas; ++k)
        EXPECT_GT(Contar(killer, Centro(kPlano900, k), Azulado), 30) << k;
}

// One outline around the union of a cage's cells: dashes beside a side between two cages, around
// a hole and round an inner corner, never beside a side inside a cage.
TEST(Imagen, ContornoDeLaJaulaEntera) {
    Tablero t;
    const std::string dos = "aa" + std::string(79, '.');
    const std::string anillo = "aaa......a.a......aaa" + std::string(60, '.');
    const std::string ele = "aa.......a" + std::string(71, '.');
    struct Caso {
        const char* nombre;
        const std::string& segmentos;
        int casilla;
        qreal x0, y0, x1, y1; // the zone looked at, in the cell
        bool discontinua;
    };
    const Caso derecha[] = {
        {"dos casillas", dos, 0, 0.8, 0.3, 0.95, 0.7, false},
        {"anillo, junto al hueco", anillo, 9, 0.8, 0.3, 0.95, 0.7, true},
        {"anillo, por fuera", anillo, 2, 0.8, 0.3, 0.95, 0.7, true},
        {"anillo, entre dos casillas", anillo, 0, 0.8, 0.3, 0.95, 0.7, false},
        {"esquina interior", ele, 0, 0.86, 0.86, 0.96, 0.96, true},
        {"esquina interior, lado de dentro", ele, 0, 0.3, 0.8, 0.7, 0.95, false},
    };
    for (const auto& c : derecha) {
        SCOPED_TRACE(c.nombre);
        const QImage img = ImagenSudoku(Killer(t, c.segmentos, {"10"}));
        const QRect zona = Zona(kPlano900, c.casilla, c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(Contar(img, zona, Oscuro) > 0, c.discontinua);
    }
    const QImage dosJaulas = ImagenSudoku(Killer(t, "ab" + std::string(79, '.'), {"10", "5"}));
    EXPECT_GT(Contar(dosJaulas, Zona(kPlano900, 0, 0.8, 0.3, 0.95, 0.7), Oscuro), 0);
}

TEST(Ficheros, FormatoPorLaExtension) {
    const std::pair<const char*, std::optional<Formato>> casos[] = {
        {"a.pdf", Formato::Pdf}, {"b/c.PNG", Formato::Png}, {"d.Svg", Formato::Svg},
        {"e.jpg", std::nullopt}, {"pdf", std::nullopt},     {"f.png.txt", std::nullopt}};
    for (const auto& [ruta, formato] : casos)
        EXPECT_EQ(FormatoDe(QString::fromUtf8(ruta)), formato) << ruta;
}

QByteArray Escribir(Formato f, const Enunciado& e, int lado = kLadoPng) {
    QBuffer b;
    EXPECT_TRUE(EscribirImagen(b, f, e, nullptr, lado));
    return b.data();
}

TEST(Ficheros, PdfDeUnaPaginaA4) {
    for (const char* nombre : {"killer.xml", "clasico.xml"}) {
        SCOPED_TRACE(nombre);
        const QString pdf = QString::fromLatin1(Escribir(Formato::Pdf, Ejemplo(nombre)));
        EXPECT_TRUE(pdf.startsWith("%PDF-"));
        EXPECT_EQ(pdf.count(QRegularExpression(R"(/Type\s*/Page\b)")), 1);
        const auto caja =
            QRegularExpression(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])").match(pdf);
        ASSERT_TRUE(caja.hasMatch());
        EXPECT_NEAR(caja.captured(1).toDouble(), 595.3, 1); // 210 mm in points
        EXPECT_NEAR(caja.captured(2).toDouble(), 841.9, 1); // 297 mm
    }
}

TEST(Ficheros, PngDelTamanoPedido) {
    for (const int lado : {kLadoMinimo, kLadoPng, 1234}) {
        const QImage img = QImage::fromData(Escribir(Formato::Png, Ejemplo("killer.xml"), lado));
        EXPECT_EQ(img.size(), QSize(lado, lado));
    }
}

TEST(Ficheros, SvgConSuTamanoYLasSumas) {
    const Enunciado e = Ejemplo("killer.xml");
    QXmlStreamReader xml(Escribir(Formato::Svg, e, 600));
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
    EXPECT_EQ(ancho, "158.75mm"); // 600 CSS pixels
    EXPECT_TRUE(textos.contains("Sudoku Killer"));
    for (const std::string& suma : e.sumas) {
        if (suma.empty()) continue;
        EXPECT_TRUE(textos.contains(QString::fromStdString(suma))) << suma;
    }
}

TEST(Ficheros, SinEscribirLoQueNoSePuede) {
    QTemporaryDir dir;
    const Enunciado e = Ejemplo("killer.xml");
    const QString ruta = dir.filePath("no-existe/a.png");
    EXPECT_FALSE(GuardarImagen(ruta, Formato::Png, e));
    EXPECT_FALSE(QFile::exists(ruta));
    QBuffer b;
    for (const int lado : {kLadoMinimo - 1, kLadoMaximo + 1})
        EXPECT_FALSE(EscribirImagen(b, Formato::Png, e, nullptr, lado)) << lado;
    for (const Formato f : {Formato::Pdf, Formato::Png, Formato::Svg}) {
        const QString bien = dir.filePath("b" + QString::number(static_cast<int>(f)));
        EXPECT_TRUE(GuardarImagen(bien, f, e));
        EXPECT_GT(QFileInfo(bien).size(), 1000);
    }
}

} // namespace
} // namespace velmora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
