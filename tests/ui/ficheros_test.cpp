// Opening and saving through the file dialogs, and the remembered folder.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/carpeta.h"
#include "files/puzzle_xml.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

const Mensaje kErrorAbrir{"Se ha producido un error al intentar abrir el fichero. Asegúrese de "
                          "que el fichero indicado contiene la estructura correcta.",
                          "Estructura incorrecta", Icono::Exclamacion};
const Mensaje kErrorGuardar{"Se ha producido un error al intentar guardar el fichero. Asegúrese "
                            "de introducir correctamente el nombre del fichero.",
                            "Estructura incorrecta", Icono::Exclamacion};

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
}

void Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

// A window whose program folder and configuration folder are temporary.
struct Escritorio : VentanaDePrueba {
    Escritorio() {
        p.programa = programa.path();
        p.configuracion = config.path() + "/velmora";
    }
    // Chooses `nombre` in the documents folder in the next dialog.
    QString Elegir(const QString& nombre) {
        const QString ruta = documentos.filePath(nombre);
        p.respuestas.push_back({ruta, nombre});
        return ruta;
    }
    QTemporaryDir programa, config, documentos;
};

TEST(Guardar, DialogoYBytesDeUnKiller) {
    Escritorio e;
    e.f.S_Click(4);
    e.f.T_Change(4, "3");
    e.f.lb_Click(1);
    e.f.lb_Click(0);
    const QString ruta = e.Elegir("uno.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_TRUE(e.p.mensajes.empty());
    ASSERT_EQ(e.p.dialogos.size(), 1u);
    const Dialogo& d = e.p.dialogos[0];
    EXPECT_TRUE(d.guardar);
    EXPECT_EQ(d.titulo, "Guardar Fichero");
    EXPECT_EQ(d.filtro, "Archivos XML Sudoku|*.xml|Todos los archivos|*.*");
    EXPECT_EQ(d.extension, "xml");
    EXPECT_EQ(d.carpeta, e.programa.path()); // first run
    EXPECT_EQ(d.nombre, "");
    EXPECT_EQ(Leer(ruta),
              "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n<CASILLA FILA='1' COL='1'/>\r\n"
              "<CASILLA FILA='1' COL='2'/>\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n");
    EXPECT_EQ(Leer(e.programa.filePath("velmora.ini")), e.documentos.path().toUtf8() + "\r\n");
}

TEST(Guardar, QuitaLaSolucionAunqueNoSeGuarde) {
    Escritorio e;
    e.f.EjecutarHerramienta("ID_Normal");
    e.f.N_Click(0);
    e.f.lb_Click(0);
    e.f.Opcion = ModoCalculo::Rapido;
    e.f.EjecutarHerramienta("ID_Resolver");
    ASSERT_EQ(e.f.TextoCelda(1), "2");
    e.f.EjecutarHerramienta("ID_Guardar"); // cancelled
    EXPECT_EQ(e.f.TextoCelda(0), "1");
    EXPECT_EQ(e.f.TextoCelda(1), "");
    EXPECT_EQ(e.f.progreso.TextoMovimientos("."), "0");
    EXPECT_TRUE(e.p.mensajes.empty());
    EXPECT_FALSE(QFile::exists(e.programa.filePath("velmora.ini")));

    const QString ruta = e.Elegir("clasico.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_EQ(Leer(ruta),
              "<SUDOKU_CLASIC>\r\n<FIJA FILA='1' COL='1'>1</FIJA>\r\n</SUDOKU_CLASIC>\r\n");
}

TEST(Guardar, ValidacionFallidaNoAbreElDialogo) {
    Escritorio e;
    e.f.S_Click(0);
    e.f.lb_Click(0); // a segment without a sum
    e.Elegir("x.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_TRUE(e.p.dialogos.empty());
    ASSERT_EQ(e.p.mensajes.size(), 1u);
    EXPECT_EQ(e.p.mensajes[0].titulo, "Fallo en segmento 1");
}

TEST(Guardar, UnFalloNoEstropeaElFicheroAnterior) {
    Escritorio e;
    // Saving into a folder that does not exist.
    e.p.respuestas.push_back({e.documentos.filePath("no/existe.xml"), "existe.xml"});
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorGuardar));

    // A name taken by a folder: the folder and what it holds stay, and no stray file is left.
    const QString ruta = e.Elegir("viejo.xml");
    QDir(e.documentos.path()).mkdir("viejo.xml");
    Escribir(ruta + "/dentro.txt", "antes");
    e.p.mensajes.clear();
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorGuardar));
    EXPECT_EQ(Leer(ruta + "/dentro.txt"), "antes");
    EXPECT_EQ(QDir(e.documentos.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"viejo.xml"});
}

TEST(Guardar, UnDiscoQueSeLlenaAMitadDeEscribir) {
    Escritorio e;
    for (int fila = 0; fila < 9; ++fila) { // nine rows of 45: a file of some 2 KB
        e.f.S_Click(fila);
        e.f.T_Change(fila, "45");
        for (int col = 0; col < 9; ++col)
            e.f.lb_Click(9 * fila + col);
    }
    const QString ruta = e.Elegir("lleno.xml");
    Escribir(ruta, "antes");

    // Files may not grow past 1 KB for the length of the save, as on a full disk.
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    e.f.EjecutarHerramienta("ID_Guardar");
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);

    EXPECT_EQ(e.p.mensajes, Solo(kErrorGuardar));
    EXPECT_EQ(Leer(ruta), "antes");
    EXPECT_EQ(QDir(e.documentos.path()).entryList(QDir::Files), QStringList{"lleno.xml"});
    e.p.mensajes.clear();
    e.Elegir("lleno.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_TRUE(e.p.mensajes.empty());
    EXPECT_EQ(Leer(ruta).count("<CASILLA"), 81);
}

TEST(Abrir, KillerRenumeradoYColoreado) {
    Escritorio e;
    e.f.EjecutarHerramienta("ID_Normal");
    e.f.N_Click(2);
    const QString ruta = e.Elegir("k.xml");
    Escribir(ruta, "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='5'>\r\n<CASILLA FILA='1' COL='1'/>\r\n"
                   "<CASILLA FILA='1' COL='2'/>\r\n"
                   "</SEGMENTO>\r\n<SEGMENTO VALOR='ab'>\r\n<CASILLA COL='9' FILA='1'/>\r\n"
                   "</SEGMENTO>\r\n<SEGMENTO VALOR='17'>\r\n<CASILLA FILA='9' COL='9'/>\r\n"
                   "<CASILLA FILA='1' COL='1'/>\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_TRUE(e.p.mensajes.empty());
    ASSERT_EQ(e.p.dialogos.size(), 1u);
    EXPECT_FALSE(e.p.dialogos[0].guardar);
    EXPECT_EQ(e.p.dialogos[0].titulo, "Abrir Fichero Sudoku");
    EXPECT_EQ(e.f.Caption, "Sudoku Killer");
    EXPECT_EQ(e.f.NumSeleccionado, 0);
    EXPECT_EQ(e.f.T[0], "5");
    EXPECT_EQ(e.f.T[1], "ab");
    EXPECT_EQ(e.f.T[2], "17");
    EXPECT_EQ(e.f.lb[Casilla(9, 1)], kPaleta[1]); // attributes by position
    EXPECT_EQ(e.f.Tab.CasillaSeg[Casilla(9, 1)], 1);
    EXPECT_EQ(e.f.lb[0], kPaleta[2]); // later entries win
    EXPECT_EQ(e.f.Tab.CasillaSeg[0], 2);
    EXPECT_EQ(e.f.Tab.CasillaSeg[80], 2);
    EXPECT_EQ(e.f.lb[1], kPaleta[0]);
    EXPECT_EQ(e.f.lb[2], kLbNulo);

    // The sum that is not a number is reported when the puzzle is solved.
    e.f.EjecutarHerramienta("ID_Resolver");
    ASSERT_EQ(e.p.mensajes.size(), 1u);
    EXPECT_EQ(e.p.mensajes[0].titulo, "Fallo en segmento 2");
    EXPECT_EQ(e.p.mensajes[0].texto, "La suma total debe ser un número entero entre 0 y 255");
}

TEST(Abrir, ClasicoYOtrasRaices) {
    Escritorio e;
    const QString ruta = e.Elegir("c.xml");
    Escribir(ruta, "<SUDOKU_CLASIC><FIJA FILA='2' COL='3'>7</FIJA><FIJA FILA='1' COL='1'>12</FIJA>"
                   "</SUDOKU_CLASIC>");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.f.Caption, "Sudoku Normal");
    EXPECT_EQ(e.f.TextoCelda(Casilla(2, 3)), "7");
    EXPECT_EQ(e.f.lb[Casilla(2, 3)], kLbAma);
    EXPECT_EQ(e.f.TextoCelda(0), "12");
    e.f.EjecutarHerramienta("ID_Resolver");
    EXPECT_EQ(e.p.mensajes,
              Solo({"La casilla de la fila 1, columna 1 debe contener un número del 1 al 9",
                    "Número incorrecto", Icono::Exclamacion}));

    Escribir(ruta, "<OTRA/>");
    e.Elegir("c.xml");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.f.Caption, "Sudoku Killer");
    EXPECT_EQ(e.f.TextoCelda(0), "");
}

TEST(Abrir, FallosParcialesYCarpetaRecordada) {
    Escritorio e;
    e.f.S_Click(7);
    e.f.lb_Click(40);
    // Not well-formed: the board and the remembered folder stay as they were.
    QDir(e.documentos.path()).mkdir("sub");
    const QString roto = e.Elegir("sub/roto.xml");
    Escribir(roto, "<SUDOKU_KILLER><SEGMENTO VALOR='3'>");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorAbrir));
    EXPECT_EQ(e.f.Tab.CasillaSeg[40], 7);
    EXPECT_EQ(e.f.SegSeleccionado, 7);
    EXPECT_FALSE(QFile::exists(e.programa.filePath("velmora.ini")));

    // A bad entry: the mode switch and the entries before it stay; the folder is remembered.
    const QString malo = e.Elegir("malo.xml");
    Escribir(malo, "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n<CASILLA FILA='1' COL='1'/>\r\n"
                   "<CASILLA FILA='10' COL='2'/>\r\n</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n");
    e.p.mensajes.clear();
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorAbrir));
    EXPECT_EQ(e.f.Tab.CasillaSeg[40], -1);
    EXPECT_EQ(e.f.Tab.CasillaSeg[0], 0);
    EXPECT_EQ(e.f.T[0], "3");
    EXPECT_EQ(e.f.SegSeleccionado, -1);
    EXPECT_EQ(Leer(e.programa.filePath("velmora.ini")), e.documentos.path().toUtf8() + "\r\n");

    // Forty segments: thirty-nine load.
    QByteArray cuarenta = "<SUDOKU_KILLER>";
    for (int i = 0; i < 40; ++i)
        cuarenta += "<S V='" + QByteArray::number(i + 1) + "'/>";
    Escribir(malo, cuarenta + "</SUDOKU_KILLER>");
    e.Elegir("malo.xml");
    e.p.mensajes.clear();
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorAbrir));
    EXPECT_EQ(e.f.T[38], "39");

    // Cancelling changes nothing; a file removed after the dialog is an open failure.
    e.p.mensajes.clear();
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.f.T[38], "39");
    e.Elegir("borrado.xml");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.p.mensajes, Solo(kErrorAbrir));
    EXPECT_EQ(e.f.T[38], "39");
}

TEST(Abrir, IdaYVueltaConLaVentana) {
    Escritorio e;
    // Segments 0, 4 and 7 come back as 0, 1 and 2 with the first three palette colours.
    for (const auto& [s, k, suma] : {std::tuple{0, 0, "3"}, {4, 30, "6"}, {7, 80, "9"}}) {
        e.f.S_Click(s);
        e.f.T_Change(s, suma);
        e.f.lb_Click(k);
    }
    const QString ruta = e.Elegir("ida.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    const QByteArray guardado = Leer(ruta);
    e.Elegir("ida.xml");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_EQ(e.f.lb[0], kPaleta[0]);
    EXPECT_EQ(e.f.lb[30], kPaleta[1]);
    EXPECT_EQ(e.f.lb[80], kPaleta[2]);
    EXPECT_EQ(e.f.T[1], "6");
    EXPECT_EQ(e.f.T[2], "9");
    EXPECT_EQ(e.f.T[4], "");
    e.Elegir("vuelta.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_EQ(Leer(e.documentos.filePath("vuelta.xml")), guardado);
    EXPECT_TRUE(e.p.mensajes.empty());
    EXPECT_EQ(e.p.dialogos.back().carpeta, e.documentos.path());
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

TEST(CarpetaRecordada, PrimeraVezReinicioYFicheroVacio) {
    QTemporaryDir programa, config;
    const CarpetaRecordada c(programa.path(), config.path());
    EXPECT_EQ(c.CarpetaInicial(), programa.path());
    const QString rara = config.path() + "/con, comas 'y' \"comillas\" ñ";
    ASSERT_TRUE(QDir().mkpath(rara + "/dentro"));
    c.GuardarCarpeta(rara + "/dentro/f.xml", "f.xml");
    EXPECT_EQ(Leer(programa.filePath("velmora.ini")), rara.toUtf8() + "/dentro\r\n");
    // Another run reads it back; once the folder is gone, the nearest one left on its path.
    EXPECT_EQ(CarpetaRecordada(programa.path(), config.path()).CarpetaInicial(), rara + "/dentro");
    QDir(rara).removeRecursively();
    EXPECT_EQ(c.CarpetaInicial(), config.path());

    Escribir(programa.filePath("velmora.ini"), "");
    EXPECT_EQ(c.CarpetaInicial(), programa.path());
    Escribir(programa.filePath("velmora.ini"), "\r\n");
    EXPECT_EQ(c.CarpetaInicial(), programa.path());
    Escribir(programa.filePath("velmora.ini"), "/una\r\n/otra\r\n");
    EXPECT_EQ(c.CarpetaInicial(), "/");
}

TEST(CarpetaRecordada, FicherosHostiles) {
    QTemporaryDir programa, config;
    const QString ini = programa.filePath("velmora.ini");
    const CarpetaRecordada c(programa.path(), config.path());
    Escribir(ini, QByteArray(40 * 1024, 'a') + "\r\n"); // no folder path is that long
    EXPECT_EQ(c.CarpetaInicial(), programa.path());
    Escribir(ini, "/datos/\xff\xfe\r\n"); // not valid UTF-8: read, not fatal
    EXPECT_EQ(c.CarpetaInicial(), "/");
    QFile::remove(ini);
    ASSERT_EQ(::mkfifo(ini.toLocal8Bit().constData(), 0600), 0); // must not wait for a writer
    EXPECT_EQ(c.CarpetaInicial(), programa.path());
}

TEST(CarpetaRecordada, SinCarpetaDelProgramaUtilizableVaALaDelUsuario) {
    QTemporaryDir config;
    const QString programa = config.filePath("no-existe");
    const CarpetaRecordada c(programa, config.filePath("velmora"));
    EXPECT_EQ(c.CarpetaInicial(), programa);
    c.GuardarCarpeta(config.path() + "/f.xml", "f.xml");
    EXPECT_EQ(Leer(config.filePath("velmora/velmora.ini")), config.path().toUtf8() + "\r\n");
    EXPECT_EQ(c.CarpetaInicial(), config.path());
    EXPECT_FALSE(QFile::exists(programa));
}

TEST(CarpetaRecordada, NoPoderGuardarlaNoImpideGuardarElSudoku) {
    Escritorio e;
    QDir(e.programa.path()).mkdir("velmora.ini"); // in the way
    const QString ruta = e.Elegir("bien.xml");
    e.f.EjecutarHerramienta("ID_Guardar");
    EXPECT_TRUE(e.p.mensajes.empty());
    EXPECT_EQ(Leer(ruta), "<SUDOKU_KILLER>\r\n</SUDOKU_KILLER>\r\n");
    e.Elegir("bien.xml");
    e.f.EjecutarHerramienta("ID_Abrir");
    EXPECT_TRUE(e.p.mensajes.empty());
    EXPECT_EQ(e.p.dialogos.back().carpeta, e.programa.path());
}

} // namespace
} // namespace velmora
