// Reading and writing puzzle files, hostile ones among them: whatever a file holds, reading ends
// in bounded time and memory with a puzzle or with the open failure.

#include "files/puzzle_xml.h"

#include <gtest/gtest.h>

#include <QFile>

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

// A classic puzzle from its givens' cells and texts.
Enunciado Fijas(std::initializer_list<std::pair<int, const char*>> fijas) {
    Enunciado e = Clasico(std::string(kCasillas, '.'));
    for (const auto& [k, texto] : fijas) {
        e.fijas.set(k);
        e.textos[k] = texto;
    }
    return e;
}

TEST(TextoPuzzle, SegmentosEnOrdenDeRegistroYCasillasPorFilas) {
    // Segments 0, 4 and 7; a cell of no segment is left out; the sum is written as a number.
    Tablero t;
    ASSERT_FALSE(Validar(t, Killer(Marcas({{80, 'h'}, {9, 'e'}, {2, 'a'}, {18, 'e'}, {79, 'h'}}),
                                   {"5", "", "", "", "011", "", "", "17"})));
    EXPECT_EQ(TextoPuzzle(t),
              Lineas({"<SUDOKU_KILLER>", "<SEGMENTO VALOR='5'>", "<CASILLA FILA='1' COL='3'/>",
                      "</SEGMENTO>", "<SEGMENTO VALOR='11'>", "<CASILLA FILA='2' COL='1'/>",
                      "<CASILLA FILA='3' COL='1'/>", "</SEGMENTO>", "<SEGMENTO VALOR='17'>",
                      "<CASILLA FILA='9' COL='8'/>", "<CASILLA FILA='9' COL='9'/>", "</SEGMENTO>",
                      "</SUDOKU_KILLER>"}));
    // A file of the tests comes back byte for byte.
    QFile f(QStringLiteral(VELMORA_TEST_DATA "/clasico_176m.xml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    Tablero u;
    ASSERT_FALSE(Validar(u, AbrirPuzzle(f.fileName()).enunciado));
    EXPECT_EQ(TextoPuzzle(u), f.readAll());
}

// The puzzle a document makes: the root's name decides the mode, attributes count by position,
// whitespace, comments and nested markup are skipped, segments are renumbered from 0 and later
// entries win. After a structural failure, the entries read before it.
TEST(LeerPuzzle, LoQueSeLee) {
    const QByteArray hondo =
        QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
    const QString cinco = QStringLiteral("<SUDOKU_CLASIC><F F='1' C='1'>5</F></SUDOKU_CLASIC>");
    const QByteArray utf16(reinterpret_cast<const char*>(cinco.utf16()), cinco.size() * 2);
    const Enunciado vacio = Killer(Marcas({}), {}), k3 = Killer(Marcas({}), {"3"}),
                    k3c = Killer(Marcas({{0, 'a'}}), {"3"}), c5 = Fijas({{0, "5"}}),
                    c1 = Fijas({{0, "1"}});
    Enunciado cuarenta = vacio;
    cuarenta.sumas.fill(std::string(1, '1'));
    const struct {
        QByteArray doc;
        bool completo;
        Enunciado e;
    } casos[] = {
        {"<x:SUDOKU_CLASIC xmlns:x='urn:v'/>", true, Fijas({})},
        {"<sudoku_clasic/>", true, vacio},
        {"<?xml version='1.0'?>\n<!-- x -->\n<K>\n  <S V='12' otro='x'>\n"
         "    <C COL='3' FILA='1'/>\n    <C a=\"9\" b=\"9\"><hijo/></C>\n  </S>\n"
         "  <S V='ab'/>\n</K>\n",
         true, Killer(Marcas({{Casilla(3, 1), 'a'}, {80, 'a'}}), {"12", "ab"})},
        {"<SUDOKU_CLASIC><F C='2' F='1'>4</F><F a='9' b='1'> <b>1</b>2<!--c--></F>"
         "<F F='1' C='1'>5</F><F F='1' C='1'>x</F></SUDOKU_CLASIC>",
         true, Fijas({{Casilla(2, 1), "4"}, {Casilla(9, 1), " 12"}, {0, "x"}})},
        {Lineas({"<K>", "<S V='3'>", "<C F='1' C='1'/>", "<C F='1' C='2'/>", "</S>", "<S V='17'>",
                 "<C F='5' C='5'/>", "<C F='1' C='2'/>", "</S>", "<S V='9'>", "<C F='9' C='9'/>",
                 "</S>", "</K>"}),
         true, Killer(Marcas({{0, 'a'}, {1, 'b'}, {40, 'b'}, {80, 'c'}}), {"3", "17", "9"})},
        // Encodings, deep nesting, internal entities and thousands of entries.
        {"\xEF\xBB\xBF" + cinco.toLatin1(), true, c5},
        {"\xFF\xFE" + utf16, true, c5},
        {"<SUDOKU_CLASIC><F F='1' C='1'>" + hondo + "5</F></SUDOKU_CLASIC>", true, c5},
        {"<K><S V='3'><C F='1' C='1'>" + hondo + "</C></S></K>", true, k3c},
        {"<!DOCTYPE SUDOKU_CLASIC [<!ENTITY cinco '5'>]>"
         "<SUDOKU_CLASIC><F F='1' C='1'>&cinco;</F></SUDOKU_CLASIC>",
         true, c5},
        {"<SUDOKU_CLASIC>" + QByteArray("<F F='1' C='1'>5</F>").repeated(40000) +
             "</SUDOKU_CLASIC>",
         true, c5},
        {"<K><S V='3'>" + QByteArray("<C F='1' C='1'/>").repeated(40000) + "</S></K>", true, k3c},
        // External entities are never fetched.
        {"<!DOCTYPE SUDOKU_CLASIC [<!ENTITY e SYSTEM 'file:///etc/hostname'>]>"
         "<SUDOKU_CLASIC><F F='1' C='1'>&e;</F></SUDOKU_CLASIC>",
         true, Fijas({{0, ""}})},
        {"<K><S V='3'><C F='1' C='1'/><C F='0' C='2'/><C F='1' C='3'/></S></K>", false, k3c},
        {"<K><S V='3'><C F='1' C='10'/></S></K>", false, k3},
        {"<K><S V='3'><C F='1' C='+1'/></S></K>", false, k3},
        {"<K><S V='3'/><S/></K>", false, k3},
        {"<K><S V='3'/>texto<S V='4'/></K>", false, k3},
        {"<K>" + hondo + "</K>", false, vacio},
        {"<K>" + QByteArray("<S V='1'/>").repeated(40000) + "</K>", false, cuarenta},
        {"<SUDOKU_CLASIC><F F='1' C='1'>1</F>3</SUDOKU_CLASIC>", false, c1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.doc.left(80).toStdString());
        const PuzzleLeido l = LeerPuzzle(c.doc);
        EXPECT_TRUE(l.legible);
        EXPECT_EQ(l.completo, c.completo);
        EXPECT_EQ(EnunciadoDe(l), c.e);
    }
}

TEST(LeerPuzzle, DocumentosIlegibles) {
    // An expansion bomb is refused, quickly and without the memory it asks for.
    QByteArray bomba = "<!DOCTYPE K [<!ENTITY a0 'dddddddddddddddddddddddddddddddd'>";
    for (int i = 1; i <= 12; ++i)
        bomba += "<!ENTITY a" + QByteArray::number(i) + " '" +
                 ("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "'>";
    bomba += "]><K><S V='&a12;'/></K>";
    const QByteArray grande = "<K>" + QByteArray(kTamanoMaximoPuzzle, ' ') + "</K>";
    for (const QByteArray& doc :
         {QByteArray(""), QByteArray("<K><S V='1'></K>"), QByteArray("<K a='1' a='2'/>"),
          QByteArray("<K>&nada;</K>"), QByteArray("<K><S V='3'/></K>basura"), QByteArray("<x:K/>"),
          QByteArray("<K>\xff</K>"),
          // A broken document is refused whole, even after good entries.
          QByteArray("<K><S V='3'><C F='1' C='1'/></S><S V='4'></K>"),
          // Open and never closed, deep.
          "<K>" + QByteArray("<a>").repeated(100000) + "</K>", grande, bomba,
          QByteArray(bomba).replace("V='&a12;'", "V='1'>&a12;</S")}) {
        const PuzzleLeido l = LeerPuzzle(doc);
        EXPECT_TRUE(!l.legible && l.segmentos.empty()) << doc.left(80).toStdString();
    }
}

} // namespace
} // namespace velmora
