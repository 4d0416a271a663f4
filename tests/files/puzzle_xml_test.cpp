// Reading and writing puzzle files, hostile ones among them: whatever a file holds, reading ends
// in bounded time and memory with a puzzle or with the open failure.

#include "files/puzzle_xml.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "support/puzzles.h"
#include "validation/validacion.h"

namespace velmora {
namespace {

QByteArray Lineas(std::initializer_list<const char*> lineas) {
    QByteArray texto;
    for (const char* l : lineas)
        texto += QByteArray(l) + "\r\n";
    return texto;
}

TEST(TextoPuzzle, SegmentosEnOrdenDeRegistroYCasillasPorFilas) {
    Tablero t;
    ASSERT_FALSE(Validar(t, Clasico(Marcas({}))));
    EXPECT_EQ(TextoPuzzle(t), Lineas({"<SUDOKU_CLASIC>", "</SUDOKU_CLASIC>"}));
    ASSERT_FALSE(Validar(t, Killer(Marcas({}), {})));
    EXPECT_EQ(TextoPuzzle(t), Lineas({"<SUDOKU_KILLER>", "</SUDOKU_KILLER>"}));
    // Segments 0, 4 and 7; a cell of no segment is left out; the sum is written as a number.
    ASSERT_FALSE(Validar(t, Killer(Marcas({{80, 'h'}, {9, 'e'}, {2, 'a'}, {18, 'e'}, {79, 'h'}}),
                                   {"5", "", "", "", "011", "", "", "17"})));
    EXPECT_EQ(TextoPuzzle(t),
              Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='5'>", "<CASILLA FILA='1' COL='3'/>",
                      "</SEGMENTO>", "<SEGMENTO VALOR='11'>", "<CASILLA FILA='2' COL='1'/>",
                      "<CASILLA FILA='3' COL='1'/>", "</SEGMENTO>", "<SEGMENTO VALOR='17'>",
                      "<CASILLA FILA='9' COL='8'/>", "<CASILLA FILA='9' COL='9'/>", "</SEGMENTO>",
                      "</SUDOKU_KILLER>"}));
}

TEST(TextoPuzzle, IdaYVueltaDeLosFicherosDePrueba) {
    for (const char* nombre : {"clasico_176m.xml", "killer_bench.xml"}) {
        const QString ruta = QStringLiteral(VELMORA_TEST_DATA "/") + QString::fromLatin1(nombre);
        Tablero t;
        ASSERT_FALSE(Validar(t, AbrirPuzzle(ruta).enunciado));
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(TextoPuzzle(t), f.readAll()) << nombre;
    }
}

TEST(LeerPuzzle, ElNombreDeLaRaizDecideElTipo) {
    for (const auto& [doc, clasico] : {std::pair{"<SUDOKU_CLASIC/>", true},
                                       {"<x:SUDOKU_CLASIC xmlns:x='urn:v'/>", true},
                                       {"<SUDOKU_KILLER/>", false},
                                       {"<sudoku_clasic/>", false},
                                       {"<SUDOKU_CLASICO/>", false},
                                       {"<OTRO/>", false}}) {
        const PuzzleLeido l = LeerPuzzle(QByteArray(doc));
        EXPECT_TRUE(l.legible && l.completo) << doc;
        EXPECT_EQ(l.clasico, clasico) << doc;
    }
}

TEST(LeerPuzzle, AtributosPorPosicionYEspaciosIgnorados) {
    const PuzzleLeido l = LeerPuzzle(QByteArray("<?xml version='1.0'?>\n<!-- x -->\n<K>\n"
                                                "  <S V='12' otro='x'>\n"
                                                "    <C COL='3' FILA='1'/>\n"
                                                "    <C a=\"9\" b=\"9\"><hijo/></C>\n"
                                                "  </S>\n"
                                                "  <S V='ab'/>\n"
                                                "</K>\n"));
    ASSERT_TRUE(l.completo);
    ASSERT_EQ(l.segmentos.size(), 2u);
    EXPECT_EQ(l.segmentos[0].suma, "12");
    EXPECT_EQ(l.segmentos[0].casillas, (std::vector<int>{Casilla(3, 1), 80}));
    EXPECT_EQ(l.segmentos[1].suma, "ab");
    EXPECT_TRUE(l.segmentos[1].casillas.empty());

    const PuzzleLeido c = LeerPuzzle(
        QByteArray("<SUDOKU_CLASIC><F C='2' F='1'>4</F><F a='9' b='1'> <b>1</b>2<!--c--></F>"
                   "</SUDOKU_CLASIC>"));
    ASSERT_TRUE(c.completo);
    ASSERT_EQ(c.fijas.size(), 2u);
    EXPECT_EQ(c.fijas[0].casilla, Casilla(2, 1));
    EXPECT_EQ(c.fijas[0].texto, "4");
    EXPECT_EQ(c.fijas[1].casilla, Casilla(9, 1));
    EXPECT_EQ(c.fijas[1].texto, " 12");
}

TEST(LeerPuzzle, FallosDeEstructuraTrasLasEntradasLeidas) {
    const struct {
        QByteArray doc;
        size_t entradas;       // entries read before the failure
        size_t casillasUltima; // cells of the last Killer entry
    } casos[] = {
        {"<K><S V='3'><C F='1' C='1'/><C F='0' C='2'/><C F='1' C='3'/></S></K>", 1, 1},
        {"<K><S V='3'><C F='1' C='10'/></S></K>", 1, 0},
        {"<K><S V='3'><C F='1'/></S></K>", 1, 0},
        {"<K><S V='3'><C F='1' C='+1'/></S></K>", 1, 0},
        {"<K><S V='3'><C F=' 1' C='1'/></S></K>", 1, 0},
        {"<K><S V='3'>texto</S></K>", 1, 0},
        {"<K><S V='3'/><S/></K>", 1, 0},
        {"<K><S V='3'/>texto<S V='4'/></K>", 1, 0},
        {"<K><S V='3'/><!-- nota --><S V='4'/></K>", 1, 0},
        {"<K><S V='3'/><?pi x?><S V='4'/></K>", 1, 0},
        {"<K><S V='3'/><![CDATA[x]]></K>", 1, 0},
        {"<SUDOKU_CLASIC><F F='1' C='1'>1</F><F F='1'>2</F></SUDOKU_CLASIC>", 1, 0},
        {"<SUDOKU_CLASIC><F F='1' C='1'>1</F><F F='x' C='1'>2</F></SUDOKU_CLASIC>", 1, 0},
        {"<SUDOKU_CLASIC><F F='1' C='1'>1</F>3</SUDOKU_CLASIC>", 1, 0},
        // Forty segments: thirty-nine load.
        {"<K>" + QByteArray("<S V='1'/>").repeated(40000) + "</K>", 39, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.doc.left(80).toStdString());
        const PuzzleLeido l = LeerPuzzle(c.doc);
        EXPECT_TRUE(l.legible && !l.completo);
        ASSERT_EQ(l.segmentos.size() + l.fijas.size(), c.entradas);
        EXPECT_TRUE(l.clasico || l.segmentos.back().casillas.size() == c.casillasUltima);
    }
}

TEST(LeerPuzzle, DocumentosIlegibles) {
    QByteArray grande = "<K>" + QByteArray(kTamanoMaximoPuzzle, ' ') + "</K>";
    for (const QByteArray& doc :
         {QByteArray(""), QByteArray("   "), QByteArray("<K>"), QByteArray("<K><S V='1'></K>"),
          QByteArray("<K/><K/>"), QByteArray("<K a='1' a='2'/>"), QByteArray("<K>&nada;</K>"),
          QByteArray("texto"), QByteArray("<K><S V='3'/></K>basura"), QByteArray("<x:K/>"),
          QByteArray("<K>\xff</K>"),
          // A broken document is refused whole, even after good entries.
          QByteArray("<K><S V='3'><C F='1' C='1'/></S><S V='4'></K>"),
          // Open and never closed, deep.
          "<K>" + QByteArray("<a>").repeated(100000) + "</K>", grande}) {
        const PuzzleLeido l = LeerPuzzle(doc);
        EXPECT_FALSE(l.legible) << doc.left(80).toStdString();
        EXPECT_TRUE(l.segmentos.empty() && l.fijas.empty()) << doc.left(80).toStdString();
    }
    QBuffer buffer(&grande);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_FALSE(LeerPuzzle(buffer).legible);
    EXPECT_TRUE(LeerPuzzle("<K>" + QByteArray(kTamanoMaximoPuzzle - 8, ' ') + "</K>").legible);

    // Files that are not files: a pipe without a writer must not wait for one.
    QTemporaryDir dir;
    const QString tuberia = dir.filePath("tuberia.xml");
    ASSERT_EQ(::mkfifo(tuberia.toLocal8Bit().constData(), 0600), 0);
    for (const QString& ruta : {tuberia, QStringLiteral("/dev/zero"), dir.path(),
                                QStringLiteral(VELMORA_TEST_DATA "/no-existe.xml")})
        EXPECT_FALSE(LeerFicheroPuzzle(ruta).legible) << ruta.toStdString();
}

TEST(LeerPuzzle, CodificacionesAnidamientoYEntidades) {
    const QByteArray doc = "<SUDOKU_CLASIC><F F='1' C='1'>5</F></SUDOKU_CLASIC>";
    const QString texto = QString::fromLatin1(doc);
    const QByteArray utf16 =
        "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(texto.utf16()), texto.size() * 2);
    const QByteArray hondo =
        QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
    const QByteArray k1 = "<K><S V='3'><C F='1' C='1'/></S></K>";
    for (const QByteArray& d :
         {"\xEF\xBB\xBF" + doc, utf16,
          // Deep nesting inside a given or a cell.
          "<SUDOKU_CLASIC><F F='1' C='1'>" + hondo + "5</F></SUDOKU_CLASIC>",
          QByteArray(k1).replace("C='1'/>", "C='1'>" + hondo + "</C>"),
          // Internal entities are expanded.
          QByteArray("<!DOCTYPE SUDOKU_CLASIC [<!ENTITY cinco '5'>]>"
                     "<SUDOKU_CLASIC><F F='1' C='1'>&cinco;</F></SUDOKU_CLASIC>"),
          // Thousands of entries.
          "<SUDOKU_CLASIC>" + QByteArray("<F F='1' C='1'>5</F>").repeated(40000) +
              "</SUDOKU_CLASIC>",
          "<K><S V='3'>" + QByteArray("<C F='1' C='1'/>").repeated(40000) + "</S></K>"}) {
        const PuzzleLeido l = LeerPuzzle(d);
        ASSERT_TRUE(l.completo) << d.left(80).toStdString();
        const Enunciado e = EnunciadoDe(l);
        EXPECT_EQ(e.killer ? e.sumas[0] + std::to_string(e.segmento[0]) : e.textos[0],
                  e.killer ? "30" : "5")
            << d.left(80).toStdString();
    }
    EXPECT_FALSE(LeerPuzzle("<K>" + hondo + "</K>").completo); // an entry of its own

    // External entities are never fetched: the entry does not hold the file's text.
    const PuzzleLeido externa =
        LeerPuzzle("<!DOCTYPE SUDOKU_CLASIC [<!ENTITY e SYSTEM 'file:///etc/hostname'>]>"
                   "<SUDOKU_CLASIC><F F='1' C='1'>&e;</F></SUDOKU_CLASIC>");
    for (const FijaLeida& f : externa.fijas)
        EXPECT_TRUE(f.texto.isEmpty()) << f.texto.toStdString();

    // An expansion bomb is refused, quickly and without the memory it asks for.
    QByteArray bomba = "<!DOCTYPE K [<!ENTITY a0 'dddddddddddddddddddddddddddddddd'>";
    for (int i = 1; i <= 12; ++i)
        bomba += "<!ENTITY a" + QByteArray::number(i) + " '" +
                 ("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "'>";
    bomba += "]><K><S V='&a12;'/></K>";
    EXPECT_FALSE(LeerPuzzle(bomba).legible);
    EXPECT_FALSE(LeerPuzzle(QByteArray(bomba).replace("V='&a12;'", "V='1'>&a12;</S")).legible);

    // Random bytes: read or refused whole.
    uint32_t semilla = 12345;
    const auto azar = [&] { return semilla = semilla * 1103515245 + 12345; };
    for (int i = 0; i < 2000; ++i) {
        QByteArray d = Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='3'>",
                               "<CASILLA FILA='1' COL='1'/>", "</SEGMENTO>", "</SUDOKU_KILLER>"});
        for (int j = 0; j < 3; ++j)
            d[azar() % d.size()] = static_cast<char>(azar() >> 16);
        const PuzzleLeido l = LeerPuzzle(d);
        EXPECT_TRUE(l.legible || (l.segmentos.empty() && l.fijas.empty()));
    }
}

TEST(EnunciadoDe, RenumeraLosSegmentosYLasEntradasPosterioresGanan) {
    Enunciado e =
        EnunciadoDe(LeerPuzzle(Lineas({"<K>", "<S V='3'>", "<C F='1' C='1'/>", "<C F='1' C='2'/>",
                                       "</S>", "<S V='17'>", "<C F='5' C='5'/>", "<C F='1' C='2'/>",
                                       "</S>", "<S V='9'>", "<C F='9' C='9'/>", "</S>", "</K>"})));
    EXPECT_EQ(e, Killer(Marcas({{0, 'a'}, {1, 'b'}, {40, 'b'}, {80, 'c'}}), {"3", "17", "9"}));

    e = EnunciadoDe(LeerPuzzle(
        QByteArray("<SUDOKU_CLASIC><F F='1' C='1'>5</F><F F='1' C='1'>x</F></SUDOKU_CLASIC>")));
    EXPECT_EQ(e, Clasico(Marcas({{0, 'x'}})));
}

} // namespace
} // namespace velmora
