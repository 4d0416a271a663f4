// Hostile puzzle files: whatever they hold, reading ends, in bounded time and memory, with a
// puzzle or with the open failure.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include "files/puzzle_xml.h"

namespace velmora {
namespace {

QByteArray Repetir(const QByteArray& trozo, int veces) {
    QByteArray r;
    r.reserve(trozo.size() * veces);
    for (int i = 0; i < veces; ++i)
        r += trozo;
    return r;
}

TEST(Robustez, FicherosQueNoSonFicheros) {
    QTemporaryDir dir;
    const QString tuberia = dir.filePath("tuberia.xml");
    ASSERT_EQ(::mkfifo(tuberia.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(LeerFicheroPuzzle(tuberia).legible); // no writer: must not wait for one
    EXPECT_FALSE(LeerFicheroPuzzle("/dev/zero").legible);
    EXPECT_FALSE(LeerFicheroPuzzle(dir.path()).legible);
}

TEST(Robustez, AnidamientoProfundo) {
    const int n = 100000;
    const QByteArray hondo = Repetir("<a>", n) + Repetir("</a>", n);
    // Inside a cell, inside a given, and as an entry of its own.
    const PuzzleLeido k = LeerPuzzle("<K><S V='3'><C F='1' C='1'>" + hondo + "</C></S></K>");
    EXPECT_TRUE(k.completo);
    ASSERT_EQ(k.segmentos.size(), 1u);
    EXPECT_EQ(k.segmentos[0].casillas, std::vector<int>{0});
    const PuzzleLeido c =
        LeerPuzzle("<SUDOKU_CLASIC><F F='1' C='1'>" + hondo + "</F></SUDOKU_CLASIC>");
    EXPECT_TRUE(c.completo);
    EXPECT_FALSE(LeerPuzzle("<K>" + hondo + "</K>").completo);
    EXPECT_FALSE(LeerPuzzle("<K>" + Repetir("<a>", n) + "</K>").legible);
}

TEST(Robustez, MilesDeEntradas) {
    const PuzzleLeido c =
        LeerPuzzle("<SUDOKU_CLASIC>" + Repetir("<F F='9' C='9'>1</F>", 40000) + "</SUDOKU_CLASIC>");
    EXPECT_TRUE(c.completo);
    EXPECT_EQ(c.fijas.size(), 40000u);
    const PuzzleLeido k = LeerPuzzle("<K>" + Repetir("<S V='1'/>", 40000) + "</K>");
    EXPECT_FALSE(k.completo);
    EXPECT_EQ(k.segmentos.size(), 39u);
    const PuzzleLeido casillas =
        LeerPuzzle("<K><S V='1'>" + Repetir("<C F='1' C='1'/>", 40000) + "</S></K>");
    EXPECT_TRUE(casillas.completo);
    EXPECT_EQ(casillas.segmentos[0].casillas.size(), 40000u);
}

TEST(Robustez, Entidades) {
    // Internal entities are expanded.
    const PuzzleLeido interna =
        LeerPuzzle("<!DOCTYPE SUDOKU_CLASIC [<!ENTITY cinco '5'>]>"
                   "<SUDOKU_CLASIC><F F='1' C='1'>&cinco;</F></SUDOKU_CLASIC>");
    ASSERT_TRUE(interna.completo);
    EXPECT_EQ(interna.fijas[0].texto, "5");

    // External ones are never fetched: the entry does not hold the file's text.
    const PuzzleLeido externa =
        LeerPuzzle("<!DOCTYPE SUDOKU_CLASIC [<!ENTITY e SYSTEM 'file:///etc/hostname'>]>"
                   "<SUDOKU_CLASIC><F F='1' C='1'>&e;</F></SUDOKU_CLASIC>");
    for (const FijaLeida& f : externa.fijas)
        EXPECT_TRUE(f.texto.isEmpty()) << f.texto.toStdString();

    // An expansion bomb is refused, quickly and without the memory it asks for.
    QByteArray bomba = "<!DOCTYPE K [<!ENTITY a0 'dddddddddddddddddddddddddddddddd'>";
    for (int i = 1; i <= 12; ++i)
        bomba += "<!ENTITY a" + QByteArray::number(i) + " '" +
                 Repetir("&a" + QByteArray::number(i - 1) + ";", 10) + "'>";
    bomba += "]><K><S V='&a12;'/></K>";
    EXPECT_FALSE(LeerPuzzle(bomba).legible);
    EXPECT_FALSE(LeerPuzzle(QByteArray(bomba).replace("V='&a12;'", "V='1'>&a12;</S")).legible);
}

TEST(Robustez, BytesAlAzarNoRompenNada) {
    uint32_t semilla = 12345;
    const auto azar = [&] { return semilla = semilla * 1103515245 + 12345; };
    const QByteArray base = "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n<CASILLA FILA='1' COL='1'/>"
                            "\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n";
    for (int i = 0; i < 2000; ++i) {
        QByteArray d = base;
        for (int j = 0; j < 3; ++j)
            d[azar() % d.size()] = static_cast<char>(azar() >> 16);
        const PuzzleLeido l = LeerPuzzle(d);
        EXPECT_TRUE(l.legible || (l.segmentos.empty() && l.fijas.empty()));
    }
}

} // namespace
} // namespace velmora
