#include "files/puzzle_xml.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include "support/plataforma_falsa.h"
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

// Validates a Killer board and writes it, as saving does.
QByteArray GuardarKiller(std::string_view segmentos, std::initializer_list<const char*> sumas) {
    Tablero t;
    PlataformaFalsa p;
    const Enunciado e = Killer(t, segmentos, sumas);
    EXPECT_TRUE(ValidarSegmentos(t, e.sumas, p));
    return TextoPuzzle(t);
}

TEST(TextoPuzzle, TablerosVacios) {
    EXPECT_EQ(GuardarKiller(Marcas({}), {}), Lineas({"<SUDOKU_KILLER>", "</SUDOKU_KILLER>"}));
    Tablero t;
    PlataformaFalsa p;
    const Enunciado e = Clasico(Marcas({}));
    ASSERT_TRUE(ComprobarRepetidos(t, e.textos, e.fijas, p));
    EXPECT_EQ(TextoPuzzle(t), Lineas({"<SUDOKU_CLASIC>", "</SUDOKU_CLASIC>"}));
}

TEST(TextoPuzzle, SegmentosEnOrdenDeRegistroYCasillasPorFilas) {
    EXPECT_EQ(GuardarKiller(Marcas({{0, 'a'}, {1, 'a'}}), {"3"}),
              Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='3'>", "<CASILLA FILA='1' COL='1'/>",
                      "<CASILLA FILA='1' COL='2'/>", "</SEGMENTO>", "</SUDOKU_KILLER>"}));

    // Segments 0, 4 and 7; a cell of no segment is left out; the sum is written as a number.
    EXPECT_EQ(GuardarKiller(Marcas({{80, 'h'}, {9, 'e'}, {2, 'a'}, {18, 'e'}, {79, 'h'}}),
                            {"5", "", "", "", "011", "", "", "17"}),
              Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='5'>", "<CASILLA FILA='1' COL='3'/>",
                      "</SEGMENTO>", "<SEGMENTO VALOR='11'>", "<CASILLA FILA='2' COL='1'/>",
                      "<CASILLA FILA='3' COL='1'/>", "</SEGMENTO>", "<SEGMENTO VALOR='17'>",
                      "<CASILLA FILA='9' COL='8'/>", "<CASILLA FILA='9' COL='9'/>", "</SEGMENTO>",
                      "</SUDOKU_KILLER>"}));
}

TEST(TextoPuzzle, OmiteUnaSumaQueQuedoSinCasillas) {
    Tablero t;
    PlataformaFalsa p;
    Enunciado e = Killer(t, Marcas({{0, 'a'}, {1, 'b'}}), {"4", "6"});
    ASSERT_TRUE(ValidarSegmentos(t, e.sumas, p));
    e.sumas[0].clear();
    t.CasillaSeg[0] = -1;
    t.VaciarCuadricula();
    ASSERT_TRUE(ValidarSegmentos(t, e.sumas, p));
    ASSERT_EQ(t.Segmentos[0].Suma, 4); // stale, with no cell
    EXPECT_EQ(TextoPuzzle(t),
              Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='6'>", "<CASILLA FILA='1' COL='2'/>",
                      "</SEGMENTO>", "</SUDOKU_KILLER>"}));
}

TEST(TextoPuzzle, FijasEnOrdenDeCasilla) {
    Tablero t;
    PlataformaFalsa p;
    const Enunciado e = Clasico(Marcas({{80, '9'}, {0, '5'}, {13, '1'}}));
    ASSERT_TRUE(ComprobarRepetidos(t, e.textos, e.fijas, p));
    t.Matriz[40] = 7; // a digit the solver left is never written
    EXPECT_EQ(TextoPuzzle(t), Lineas({"<SUDOKU_CLASIC>", "<FIJA FILA='1' COL='1'>5</FIJA>",
                                      "<FIJA FILA='2' COL='5'>1</FIJA>",
                                      "<FIJA FILA='9' COL='9'>9</FIJA>", "</SUDOKU_CLASIC>"}));
}

TEST(LeerPuzzle, ElNombreDeLaRaizDecideElTipo) {
    EXPECT_TRUE(LeerPuzzle(QByteArray("<SUDOKU_CLASIC/>")).clasico);
    EXPECT_TRUE(LeerPuzzle(QByteArray("<x:SUDOKU_CLASIC xmlns:x='urn:v'/>")).clasico);
    for (const char* doc :
         {"<SUDOKU_KILLER/>", "<sudoku_clasic/>", "<OTRO/>", "<SUDOKU_CLASICO/>"}) {
        const PuzzleLeido l = LeerPuzzle(QByteArray(doc));
        EXPECT_TRUE(l.legible) << doc;
        EXPECT_TRUE(l.completo) << doc;
        EXPECT_FALSE(l.clasico) << doc;
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
    ASSERT_TRUE(l.legible);
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
    struct Caso {
        const char* doc;
        size_t entradas;       // entries read before the failure
        size_t casillasUltima; // cells of the last Killer entry
    };
    const Caso casos[] = {
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
    };
    for (const Caso& c : casos) {
        const PuzzleLeido l = LeerPuzzle(QByteArray(c.doc));
        EXPECT_TRUE(l.legible) << c.doc;
        EXPECT_FALSE(l.completo) << c.doc;
        ASSERT_EQ(l.segmentos.size(), c.entradas) << c.doc;
        EXPECT_EQ(l.segmentos.back().casillas.size(), c.casillasUltima) << c.doc;
    }
    for (const char* doc :
         {"<SUDOKU_CLASIC><F F='1' C='1'>1</F><F F='1'>2</F></SUDOKU_CLASIC>",
          "<SUDOKU_CLASIC><F F='1' C='1'>1</F><F F='x' C='1'>2</F></SUDOKU_CLASIC>",
          "<SUDOKU_CLASIC><F F='1' C='1'>1</F>3</SUDOKU_CLASIC>"}) {
        const PuzzleLeido l = LeerPuzzle(QByteArray(doc));
        EXPECT_TRUE(l.legible) << doc;
        EXPECT_FALSE(l.completo) << doc;
        EXPECT_EQ(l.fijas.size(), 1u) << doc;
    }
}

TEST(LeerPuzzle, CuarentaSegmentosCarganTreintaYNueve) {
    QByteArray doc = "<SUDOKU_KILLER>\r\n";
    for (int i = 0; i < 40; ++i)
        doc += "<SEGMENTO VALOR='1'>\r\n</SEGMENTO>\r\n";
    doc += "</SUDOKU_KILLER>\r\n";
    const PuzzleLeido l = LeerPuzzle(doc);
    EXPECT_TRUE(l.legible);
    EXPECT_FALSE(l.completo);
    EXPECT_EQ(l.segmentos.size(), 39u);
}

TEST(LeerPuzzle, DocumentosIlegibles) {
    for (const char* doc :
         {"", "   ", "<K>", "<K><S V='1'></K>", "<K/><K/>", "<K a='1' a='2'/>", "<K>&nada;</K>",
          "texto", "<K><S V='3'/></K>basura", "<x:K/>", "<K>\xff</K>"}) {
        const PuzzleLeido l = LeerPuzzle(QByteArray(doc));
        EXPECT_FALSE(l.legible) << doc;
        EXPECT_TRUE(l.segmentos.empty() && l.fijas.empty()) << doc;
    }
    // A broken document is refused whole, even after good entries.
    EXPECT_FALSE(LeerPuzzle(QByteArray("<K><S V='3'><C F='1' C='1'/></S><S V='4'></K>")).legible);
    EXPECT_FALSE(LeerFicheroPuzzle(QStringLiteral(VELMORA_TEST_DATA "/no-existe.xml")).legible);
}

TEST(LeerPuzzle, CodificacionesYTamano) {
    const QByteArray doc = "<SUDOKU_CLASIC><F F='1' C='1'>5</F></SUDOKU_CLASIC>";
    EXPECT_TRUE(LeerPuzzle("\xEF\xBB\xBF" + doc).completo);
    const QString texto = QString::fromLatin1(doc);
    QByteArray utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(texto.utf16()), texto.size() * 2);
    const PuzzleLeido l = LeerPuzzle(utf16);
    EXPECT_TRUE(l.completo);
    ASSERT_EQ(l.fijas.size(), 1u);

    QByteArray grande = "<K>" + QByteArray(kTamanoMaximoPuzzle, ' ') + "</K>";
    EXPECT_FALSE(LeerPuzzle(grande).legible);
    QBuffer buffer(&grande);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_FALSE(LeerPuzzle(buffer).legible);
    grande = "<K>" + QByteArray(kTamanoMaximoPuzzle - 8, ' ') + "</K>";
    EXPECT_TRUE(LeerPuzzle(grande).legible);
}

TEST(EnunciadoDe, RenumeraLosSegmentosYLasEntradasPosterioresGanan) {
    Tablero t;
    PlataformaFalsa p;
    const Enunciado antes = Killer(t, Marcas({{0, 'a'}, {1, 'a'}, {40, 'e'}, {41, 'e'}, {80, 'h'}}),
                                   {"3", "", "", "", "17", "", "", "9"});
    ASSERT_TRUE(ValidarSegmentos(t, antes.sumas, p));
    Enunciado e = EnunciadoDe(LeerPuzzle(TextoPuzzle(t)));
    EXPECT_TRUE(e.killer);
    EXPECT_EQ(e.sumas[0], "3");
    EXPECT_EQ(e.sumas[1], "17");
    EXPECT_EQ(e.sumas[2], "9");
    EXPECT_EQ(e.sumas[3], "");
    EXPECT_EQ(e.segmento[5], -1);
    EXPECT_EQ(e.segmento[1], 0);
    EXPECT_EQ(e.segmento[41], 1);
    EXPECT_EQ(e.segmento[80], 2);

    e = EnunciadoDe(LeerPuzzle(
        QByteArray("<K><S V='3'><C F='1' C='1'/></S><S V='4'><C F='1' C='1'/></S></K>")));
    EXPECT_EQ(e.segmento[0], 1);

    e = EnunciadoDe(LeerPuzzle(
        QByteArray("<SUDOKU_CLASIC><F F='1' C='1'>5</F><F F='1' C='1'>x</F></SUDOKU_CLASIC>")));
    EXPECT_FALSE(e.killer);
    EXPECT_EQ(e.segmento[0], -1);
    EXPECT_EQ(e.fijas.count(), 1u);
    EXPECT_EQ(e.textos[0], "x");
}

TEST(EnunciadoDe, IdaYVueltaDeUnClasico) {
    Tablero t;
    PlataformaFalsa p;
    const Enunciado e = Cargar(t, "clasico_176m.xml");
    ASSERT_TRUE(ComprobarRepetidos(t, e.textos, e.fijas, p));
    QFile f(VELMORA_TEST_DATA "/clasico_176m.xml");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(TextoPuzzle(t), f.readAll());
}

} // namespace
} // namespace velmora
