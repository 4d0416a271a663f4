// Opening and saving through the file dialogs, the remembered folder, and the puzzle the window
// reads back from its controls.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/carpeta.h"
#include "files/puzzle_xml.h"
#include "support/puzzles.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

const Mensaje kErrorAbrir{std::string(kTextoErrorAbrir), "Estructura incorrecta",
                          Icono::Exclamacion};
const Mensaje kErrorGuardar{"Se ha producido un error al intentar guardar el fichero. Asegúrese "
                            "de introducir correctamente el nombre del fichero.",
                            "Estructura incorrecta", Icono::Exclamacion};

// A window whose program folder and configuration folder are temporary.
struct Escritorio : VentanaDePrueba {
    static QByteArray Leer(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
    }
    static void Escribir(const QString& ruta, const QByteArray& datos) {
        QFile f(ruta);
        if (f.open(QIODevice::WriteOnly)) f.write(datos);
    }
    Escritorio() {
        p.programa = programa.path();
        p.configuracion = config.path() + "/velmora";
    }
    // Chooses `nombre` in the documents folder in the next dialog, holding `datos` if given.
    QString Elegir(const QString& nombre, const QByteArray& datos = {}) {
        const QString ruta = documentos.filePath(nombre);
        if (!datos.isEmpty()) Escribir(ruta, datos);
        p.respuestas.push_back({ruta, nombre});
        return ruta;
    }
    QByteArray Ini() { return Leer(programa.filePath("velmora.ini")); }
    QTemporaryDir programa, config, documentos;
};

TEST(Guardar, ElDialogoYLosBytes) {
    Escritorio e;
    const QString ruta = e.Elegir("uno.xml");
    Pasos(e.f, "S4 T4=3 c1 c0 ID_Guardar");
    ASSERT_EQ(e.p.dialogos.size(), 1u);
    const Dialogo& d = e.p.dialogos[0];
    EXPECT_EQ(d.titulo + "|" + d.filtro + "|" + d.extension + "|" + d.nombre +
                  (d.guardar ? "|G" : ""),
              "Guardar Fichero|Archivos XML Sudoku|*.xml|Todos los archivos|*.*|xml||G");
    EXPECT_EQ(d.carpeta, e.programa.path()); // first run
    EXPECT_EQ(e.Leer(ruta).count("<CASILLA FILA='1'"), 2);
    // The folder, then the file saved as the newest recent one.
    EXPECT_EQ(e.Ini(), e.documentos.path().toUtf8() + "\r\n" + ruta.toUtf8() + "\r\n");

    // Saving empties the solution first, even when the dialog is then cancelled.
    e.f.Opcion = ModoCalculo::Rapido;
    Pasos(e.f, "ID_Normal n0 c0 ID_Resolver ID_Guardar");
    EXPECT_EQ(e.f.TextoCelda(0) + e.f.TextoCelda(1) + e.f.progreso.TextoMovimientos("."), "10");
    const QString clasico = e.Elegir("clasico.xml");
    Pasos(e.f, "ID_Guardar");
    EXPECT_EQ(e.Leer(clasico).count("<FIJA"), 1);
    EXPECT_EQ(e.p.dialogos.back().carpeta, e.documentos.path());

    // Into a folder that does not exist: the failure.
    e.Elegir("no/existe.xml");
    Pasos(e.f, "ID_Guardar");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorGuardar));
    // A puzzle that fails its check opens no dialog.
    Pasos(e.f, "ID_Killer S0 c0 ID_Guardar");
    EXPECT_EQ(e.p.dialogos.size(), 4u);
    ASSERT_EQ(e.p.mensajes.size(), 2u);
    EXPECT_EQ(e.p.mensajes[1].titulo, "Fallo en segmento 1");
}

TEST(Abrir, KillerClasicoYOtrasRaices) {
    Escritorio e;
    e.Elegir("k.xml", "<SUDOKU_KILLER><S V='5'><C F='1' C='1'/><C F='1' C='2'/></S><S V='ab'>"
                      "<C C='9' F='1'/></S><S V='17'><C F='9' C='9'/><C F='1' C='1'/></S>"
                      "</SUDOKU_KILLER>");
    Pasos(e.f, "ID_Normal n2 ID_Abrir");
    ASSERT_EQ(e.p.dialogos.size(), 1u);
    EXPECT_EQ(e.p.dialogos[0].titulo + (e.p.dialogos[0].guardar ? "G" : "") + e.f.Caption.c_str() +
                  QString::number(e.f.NumSeleccionado),
              "Abrir Fichero SudokuSudoku Killer0");
    // Renumbered from 0, attributes by position, later entries win, each cell in its colour.
    Enunciado k =
        Killer(Marcas({{1, 'a'}, {Casilla(9, 1), 'b'}, {0, 'c'}, {80, 'c'}}), {"5", "ab", "17"});
    EXPECT_EQ(e.f.LeerEnunciado(), k);
    EXPECT_EQ(e.f.lb[Casilla(9, 1)], kPaleta[1]);
    // The sum that is not a number is reported when the puzzle is solved.
    Pasos(e.f, "ID_Resolver");
    EXPECT_EQ(e.p.mensajes, Solo({"La suma total debe ser un número entero entre 0 y 255",
                                  "Fallo en segmento 2", Icono::Exclamacion}));

    e.Elegir("c.xml", "<SUDOKU_CLASIC><FIJA FILA='2' COL='3'>7</FIJA><FIJA FILA='1' COL='1'>12"
                      "</FIJA></SUDOKU_CLASIC>");
    Pasos(e.f, "ID_Abrir");
    Enunciado c = Clasico(Marcas({{Casilla(2, 3), '7'}, {0, '1'}}));
    c.textos[0] = "12";
    EXPECT_EQ(e.f.LeerEnunciado(), c);
    e.Elegir("c.xml", "<OTRA/>");
    Pasos(e.f, "ID_Abrir");
    EXPECT_EQ(e.f.LeerEnunciado(), Enunciado{});
}

TEST(Abrir, FallosYCarpetaRecordada) {
    Escritorio e;
    // Not well-formed: the board and the remembered folder stay as they were.
    QDir(e.documentos.path()).mkdir("sub");
    e.Elegir("sub/roto.xml", "<SUDOKU_KILLER><SEGMENTO VALOR='3'>");
    Pasos(e.f, "S7 c40 ID_Abrir");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorAbrir));
    EXPECT_EQ(e.f.LeerEnunciado().segmento[40] * 10 + e.f.SegSeleccionado, 77);
    EXPECT_EQ(e.Ini(), "(no existe)");

    // A bad entry: the mode switch and the entries before it stay; the folder is remembered.
    e.Elegir("malo.xml", "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n<CASILLA FILA='1' COL='1'/>"
                         "\r\n<CASILLA FILA='10' COL='2'/>\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n");
    Pasos(e.f, "ID_Abrir");
    EXPECT_EQ(e.p.mensajes, std::vector<Mensaje>(2, kErrorAbrir));
    EXPECT_EQ(e.f.LeerEnunciado(), Killer(Marcas({{0, 'a'}}), {"3"}));
    EXPECT_EQ(e.Ini(), e.documentos.path().toUtf8() + "\r\n");

    // Cancelling changes nothing; a file removed after the dialog is an open failure.
    e.Elegir("borrado.xml");
    Pasos(e.f, "ID_Abrir ID_Abrir");
    EXPECT_EQ(e.p.mensajes, std::vector<Mensaje>(3, kErrorAbrir));
    EXPECT_EQ(e.f.T[0], "3");
}

// What the window reads back from its controls is the puzzle that was painted on them.
TEST(Enunciado, LaVentanaDevuelveLoQueSePinto) {
    VentanaDePrueba v;
    int pintados = 0;
    for (const char* carpeta : {VELMORA_TEST_DATA, VELMORA_EXAMPLES, VELMORA_CORPUS}) {
        const QDir dir(QString::fromUtf8(carpeta));
        for (const QString& nombre : dir.entryList(QDir::Files)) {
            const Apertura a = AbrirPuzzle(dir.filePath(nombre));
            if (!a.legible) continue;
            v.f.PintarEnunciado(a.enunciado);
            EXPECT_EQ(v.f.LeerEnunciado(), a.enunciado) << nombre.toStdString();
            ++pintados;
        }
    }
    EXPECT_GT(pintados, 100);
}

TEST(CarpetaRecordada, LaCarpetaDelUltimoFichero) {
    QTemporaryDir programa, config;
    const QString ini = programa.filePath("velmora.ini");
    const CarpetaRecordada c(programa.path(), config.path());
    const QString rara = config.path() + "/con, comas 'y' \"comillas\" ñ";
    ASSERT_TRUE(QDir().mkpath(rara + "/dentro"));
    c.GuardarCarpeta(rara + "/dentro/f.xml", "f.xml");
    EXPECT_EQ(Escritorio::Leer(ini), rara.toUtf8() + "/dentro\r\n");
    // Once the folder is gone, the nearest one left on its path.
    QDir(rara).removeRecursively();
    EXPECT_EQ(c.CarpetaInicial(), config.path());

    // A first line no folder path is that long: the program's folder.
    Escritorio::Escribir(ini, QByteArray(40 * 1024, 'a') + "\r\n");
    EXPECT_EQ(c.CarpetaInicial(), programa.path());

    // No usable program folder: the user's.
    const CarpetaRecordada u(config.filePath("no-existe"), config.filePath("velmora"));
    u.GuardarCarpeta(config.path() + "/f.xml", "f.xml");
    EXPECT_EQ(u.CarpetaInicial(), config.path());
    EXPECT_FALSE(QFile::exists(config.filePath("no-existe")));

    // A program folder that exists but cannot be written (an installed copy, for any user but
    // root): the folder is remembered all the same, and nothing is written beside the program.
    QTemporaryDir instalado;
    const auto permisos = QFile::permissions(instalado.path());
    QFile::setPermissions(instalado.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const CarpetaRecordada s(instalado.path(), config.filePath("usuario"));
    QDir().mkpath(rara + "2");
    s.GuardarCarpeta(rara + "2/g.xml", "g.xml");
    EXPECT_EQ(s.CarpetaInicial(), rara + "2");
    const bool escribible = QFileInfo(instalado.path()).isWritable();
    EXPECT_EQ(QFile::exists(instalado.filePath("velmora.ini")), escribible);
    EXPECT_EQ(QFile::exists(config.filePath("usuario/velmora.ini")), !escribible);
    QFile::setPermissions(instalado.path(), permisos);
}

} // namespace
} // namespace velmora
