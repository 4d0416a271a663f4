// Where messages point, drawing with the keyboard, and the work kept between runs, headless.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "files/carpeta.h"
#include "files/sin_guardar.h"
#include "formats/formatos.h"
#include "support/puzzles.h"
#include "support/ventana_falsa.h"
#include "ui/lugares.h"

namespace velmora {
namespace {

std::vector<int> Lista(const std::bitset<kCasillas>& b) {
    std::vector<int> v;
    for (int k = 0; k < kCasillas; ++k)
        if (b[k]) v.push_back(k);
    return v;
}

// ---- Cells a message names ------------------------------------------------------------------

TEST(Lugares, LasCasillasQueNombraUnMensaje) {
    const Enunciado k = Killer(Marcas({{0, 'a'}, {1, 'a'}, {10, 'b'}, {80, 'c'}}), {"3", "", "9"});
    const Enunciado c = Clasico(Marcas({{0, '5'}, {4, '5'}, {18, '5'}, {20, '5'}, {72, '5'}}));
    const struct {
        const char* texto;
        const char* titulo;
        const Enunciado& e;
        std::vector<int> casillas;
    } casos[] = {
        {"Todos los segmentos deben tener la suma total introducida",
         "Fallo en segmento 2",
         k,
         {10}},
        {"El máximo número de casillas por segmento es 9.", "Fallo en segmento 1", k, {0, 1}},
        // A segment with a sum and no cells: nothing to outline.
        {"No puede haber segmentos…", "Fallo en segmento 7", k, {}},
        {"Si se utilizan todas las casillas…", "Los segmentos suman 400", k, {}},
        {"El número 5 se encuentra repetido en la fila 1", "Número Repetido", c, {0, 4}},
        {"El número 5 se encuentra repetido en la columna 1", "Número Repetido", c, {0, 18, 72}},
        {"El número 4 se encuentra repetido en la fila 1", "Número Repetido", c, {}},
        {"El número 5 se encuentra repetido en el cuadrante 1", "Número Repetido", c, {0, 18, 20}},
        {"La casilla de la fila 2, columna 3 debe contener un número del 1 al 9",
         "Número incorrecto",
         c,
         {Casilla(2, 3)}},
        // The readers name cells alike.
        {"Carácter no válido «x» en la posición 12 (fila 2, columna 3).",
         "Texto no válido",
         k,
         {Casilla(2, 3)}},
        {"La casilla dada de la fila 9, columna 9 no tiene una cifra.", "Texto no válido", k, {80}},
        {"Carácter no válido «x» en la línea 2, columna 5.", "Texto no válido", k, {}},
        {"El número 5 se encuentra repetido en la fila 10", "Número Repetido", c, {}},
        {"Fila 3", "Fallo en segmento 40", k, {}},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(Lista(CasillasNombradas({caso.texto, caso.titulo, Icono::Exclamacion}, caso.e)),
                  caso.casillas)
            << caso.texto;
}

TEST(Lugares, ElTramoQueNombraUnMensaje) {
    const struct {
        const char* mensaje;
        std::string_view texto;
        std::optional<Tramo> tramo;
    } casos[] = {
        {"en la posición 3.", "abcd", Tramo{2, 1}},
        {"en la posición 2.", "añb", Tramo{1, 2}}, // a character of two bytes
        {"en la posición 3.", "añb", Tramo{3, 1}},
        {"en la posición 5.", "abcd", Tramo{4, 0}}, // just past the end
        {"en la posición 6.", "abcd", std::nullopt},
        {"en la línea 2, columna 1.", "ab\ncd", Tramo{3, 1}},
        {"en la línea 2, columna 3.", "ab\r\ncd\r\n", Tramo{6, 1}},
        {"en la línea 3, columna 1.", "ab\ncd", std::nullopt},
        {"la línea 2 sin columna", "ab\ncd", std::nullopt},
        {"en la posición 0.", "abcd", std::nullopt},
        {"Falta algo.", "abcd", std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TramoNombrado(c.mensaje, c.texto), c.tramo) << c.mensaje;
}

// Whatever a reader refuses by a character, the place it names is that character.
TEST(Lugares, ElTramoDeUnCaracterRechazadoEsEseCaracter) {
    std::mt19937 azar(21);
    const std::string base = std::string(40, '.') + "5" + std::string(40, '.');
    int vistos = 0;
    for (int n = 0; n < 300; ++n) {
        std::string texto = base;
        if (n % 3 == 1) texto.insert(9 * (1 + n % 8), "\n");
        const size_t i = azar() % texto.size();
        const std::string malo = n % 2 ? "ñ" : "x";
        texto.replace(i, texto[i] == '\n' ? 0 : 1, malo);
        const auto r = LeerTexto(texto);
        if (r || r.error().texto.find("«") == std::string::npos) continue;
        const auto tramo = TramoNombrado(r.error().texto, texto);
        ASSERT_TRUE(tramo) << r.error().texto;
        EXPECT_EQ(texto.substr(tramo->inicio, tramo->largo), malo) << r.error().texto;
        ++vistos;
    }
    EXPECT_GT(vistos, 100);
}

TEST(Lugares, QueTextoDelPortapapelesEsUnPuzzle) {
    const std::string clasico(81, '.');
    const struct {
        std::string texto;
        bool puzzle;
    } casos[] = {
        {"17", false},
        {" 9\n", false},
        {"", false},
        {"  ", false},
        {clasico, true},
        {"3x3::k:" + std::string(100, '0'), true},
        {"https://www.f-puzzles.com/?load=N4Ig", true},
        {"{\"size\":9}", true},
        {"123", true}, // more than a sum: the puzzle readers say what is wrong with it
    };
    for (const auto& c : casos)
        EXPECT_EQ(EsPuzzlePegable(c.texto), c.puzzle) << c.texto;
}

// ---- Validation outlines --------------------------------------------------------------------

TEST(Senalar, UnFalloRecuadraSusCasillasHastaElSiguienteCambio) {
    VentanaDePrueba v;
    Form1& f = v.f;
    Atender(f, [&] { Pasos(f, "S2 c4 c5"); });
    Atender(f, [&] { Pasos(f, "ID_Resolver"); });
    ASSERT_EQ(v.p.mensajes.size(), 1u);
    EXPECT_EQ(v.p.mensajes[0].titulo, "Fallo en segmento 3");
    EXPECT_EQ(Lista(f.Marcadas), (std::vector<int>{4, 5}));
    Atender(f, [&] { Pasos(f, "S7"); }); // picking is no change
    EXPECT_EQ(Lista(f.Marcadas), (std::vector<int>{4, 5}));
    Atender(f, [&] { Pasos(f, "c6"); });
    EXPECT_TRUE(f.Marcadas.none());

    // Classic: the repeated givens, on saving too.
    Atender(f, [&] { Pasos(f, "ID_Normal n2 c0 c8"); });
    Atender(f, [&] { Pasos(f, "ID_Guardar"); });
    EXPECT_EQ(v.p.mensajes.back().texto, "El número 3 se encuentra repetido en la fila 1");
    EXPECT_EQ(Lista(f.Marcadas), (std::vector<int>{0, 8}));
    EXPECT_TRUE(v.p.dialogos.empty());

    // A refused text names its cell; the board stays.
    Atender(f, [&] { f.ImportarTexto(std::string(9, '0') + "<" + std::string(71, '0')); });
    EXPECT_EQ(Lista(f.Marcadas), (std::vector<int>{9}));
    EXPECT_NE(v.p.mensajes.back().texto.find("(fila 2, columna 1)"), std::string::npos);
    EXPECT_EQ(f.TextoCelda(0), "3");
}

// ---- Keyboard -----------------------------------------------------------------------------

TEST(Teclado, ElCursorDibujaComoUnClic) {
    VentanaDePrueba v;
    Form1& f = v.f;
    EXPECT_EQ(f.Cursor, -1);
    f.PulsarEspacio(); // no cursor yet: nothing, not even a message
    f.MoverCursor(0, -1);
    EXPECT_EQ(f.Cursor, 0); // shown where it is
    const struct {
        int df, dc, cursor;
    } pasos[] = {{0, -1, 0}, {-1, 0, 0}, {0, 1, 1},   {1, 0, 10},
                 {0, 9, 17}, {9, 0, 80}, {-1, -1, 70}};
    for (const auto& p : pasos) {
        f.MoverCursor(p.df, p.dc);
        EXPECT_EQ(f.Cursor, p.cursor);
    }
    // Killer: Space puts the cell in the picked segment; without one, the click's message.
    f.PulsarEspacio();
    ASSERT_EQ(v.p.mensajes.size(), 1u);
    EXPECT_EQ(v.p.mensajes[0].titulo, "Segmento sin seleccionar");
    // Adding and freeing the cell by key is in the offscreen window's test.
    Pasos(f, "S4");
    f.PulsarEspacio();
    f.ElegirCifra(5); // no pad in Killer mode
    EXPECT_EQ(f.NumSeleccionado, 0);
    f.LiberarCursor();
    EXPECT_EQ(f.Tab.CasillaSeg[70] * 10 + f.SegSeleccionado, -6); // freed; 4 still picked

    // Normal (placing and freeing by key is in the offscreen window's test): a second press
    // keeps the pick, and no digit out of 1..9 picks.
    Pasos(f, "ID_Normal");
    f.ElegirCifra(7);
    f.ElegirCifra(7);
    f.ElegirCifra(0);
    f.ElegirCifra(10);
    EXPECT_EQ(f.NumSeleccionado, 7);
    EXPECT_TRUE(f.N[6].marca);
    EXPECT_EQ(v.p.mensajes.size(), 1u);
}

// ---- Work kept between runs -----------------------------------------------------------------

struct Sesion : VentanaDePrueba {
    Sesion() {
        p.programa = programa.path();
        p.configuracion = config.path() + "/velmora";
    }
    QString Guardado() const { return QDir(p.configuracion).filePath(kNombreSinGuardar); }
    QTemporaryDir programa, config, documentos;
};

TEST(SinGuardar, SeConservaAlCerrarYSeRecuperaEnUnPaso) {
    Sesion s;
    s.f.GuardarAlCerrar(); // the empty board: nothing to keep
    EXPECT_FALSE(QFile::exists(s.Guardado()));
    Atender(s.f, [&] { Pasos(s.f, "S3 T3=12 c0 c1"); });
    const Enunciado dibujado = s.f.LeerEnunciado();
    s.f.GuardarAlCerrar();
    ASSERT_TRUE(QFile::exists(s.Guardado()));

    // The next run: the board starts empty, the status bar says one is kept.
    VentanaDePrueba siguiente;
    siguiente.p.programa = s.p.programa;
    siguiente.p.configuracion = s.p.configuracion;
    Form1& f = siguiente.f;
    Atender(f, [] {});
    f.AvisarSinGuardar();
    EXPECT_EQ(f.LeerEnunciado(), Enunciado{});
    EXPECT_EQ(f.TextoEstado("."), "Hay un puzzle sin guardar de la última sesión: Archivo > "
                                  "Recuperar el último puzzle sin guardar");
    Atender(f, [&] { Pasos(f, "ID_Normal n0 c40"); });
    EXPECT_EQ(f.TextoEstado("."), "Pistas: 1 de 81");
    ASSERT_TRUE(f.HaySinGuardar());
    Atender(f, [&] { EXPECT_TRUE(f.RecuperarSinGuardar()); });
    EXPECT_EQ(f.LeerEnunciado(), dibujado);
    Atender(f, [&] { f.Deshacer(); }); // one step back: the classic board
    EXPECT_EQ(f.TextoCelda(40), "1");
    EXPECT_TRUE(siguiente.p.mensajes.empty());

    // Saved in a file now: nothing is kept any more.
    Atender(f, [&] { f.Rehacer(); });
    const QString ruta = s.documentos.filePath("k.xml");
    f.T[3] = "3";
    siguiente.p.respuestas.push_back({ruta, "k.xml"});
    Atender(f, [&] { Pasos(f, "ID_Guardar"); });
    ASSERT_TRUE(QFile::exists(ruta));
    EXPECT_FALSE(QFile::exists(s.Guardado())); // what became of it is saved
    f.GuardarAlCerrar();
    EXPECT_FALSE(QFile::exists(s.Guardado()));
    EXPECT_FALSE(f.HaySinGuardar());
    Atender(f, [&] { EXPECT_FALSE(f.RecuperarSinGuardar()); });
    EXPECT_EQ(siguiente.p.mensajes.back().texto, "No hay ningún puzzle sin guardar.");
}

TEST(SinGuardar, UnFicheroAbiertoSinCambiosNoSeConserva) {
    Sesion s;
    s.p.respuestas.push_back({VELMORA_EXAMPLES "/clasico.xml", "clasico.xml"});
    Atender(s.f, [&] { Pasos(s.f, "ID_Abrir"); });
    s.f.GuardarAlCerrar();
    EXPECT_FALSE(QFile::exists(s.Guardado()));
    Atender(s.f, [&] { Pasos(s.f, "n0 c0"); }); // a given more
    s.f.GuardarAlCerrar();
    EXPECT_TRUE(QFile::exists(s.Guardado()));
}

// Reopened, looked at and taken back: the kept one is still there at the next start.
TEST(SinGuardar, RecuperadoYDeshechoNoSePierde) {
    Sesion s;
    Atender(s.f, [&] { Pasos(s.f, "S0 T0=3 c0 c1"); });
    const Enunciado dibujado = s.f.LeerEnunciado();
    s.f.GuardarAlCerrar();
    VentanaDePrueba v;
    v.p.programa = s.p.programa;
    v.p.configuracion = s.p.configuracion;
    v.p.respuestas.push_back({VELMORA_EXAMPLES "/clasico.xml", "clasico.xml"});
    Atender(v.f, [&] { Pasos(v.f, "ID_Abrir"); });
    Atender(v.f, [&] { v.f.RecuperarSinGuardar(); });
    Atender(v.f, [&] { v.f.Deshacer(); });
    v.f.GuardarAlCerrar();
    EXPECT_EQ(AbrirSinGuardar(s.p.configuracion), dibujado);
}

TEST(SinGuardar, ElFicheroIdaYVuelta) {
    std::mt19937 azar(7);
    for (int n = 0; n < 200; ++n) {
        Enunciado e;
        e.killer = n % 2;
        for (int k = 0; k < kCasillas; ++k) {
            e.segmento[k] = static_cast<int8_t>(
                static_cast<int>(azar() % 41) - 2 < -1 ? -1 : static_cast<int>(azar() % 40) - 1);
            if (azar() % 5 == 0) {
                e.fijas.set(k);
                e.textos[k] = std::to_string(azar() % 12) + (k % 7 ? "" : "ñ\"<");
            }
        }
        for (auto& s : e.sumas)
            s = azar() % 3 ? std::to_string(azar() % 60) : std::string();
        const auto leido = LeerSinGuardar(EscribirSinGuardar(e));
        ASSERT_TRUE(leido);
        EXPECT_EQ(*leido, e);
    }
    const QByteArray bien = EscribirSinGuardar(Enunciado{});
    for (const QByteArray& malo :
         {QByteArray(), QByteArray("{}"), QByteArray("[1]"), QByteArray(bien).replace("-1", "39"),
          QByteArray(bien).replace("-1", "-2"), QByteArray(bien).replace("-1", "0.5"),
          QByteArray(bien).replace("\"velmora\":1", "\"velmora\":2"),
          QByteArray(bien).replace("\"fijas\":[]", "\"fijas\":[[81,\"1\"]]"),
          QByteArray(bien).replace("\"fijas\":[]", "\"fijas\":[[3,\"1\"],[3,\"2\"]]"),
          QByteArray(bien).replace("\"fijas\":[]", "\"fijas\":[[3,1]]"),
          QByteArray(bien).replace("\"killer\":true", "\"killer\":1")})
        EXPECT_FALSE(LeerSinGuardar(malo)) << malo.toStdString();
    EXPECT_TRUE(LeerSinGuardar(bien));
}

TEST(Recientes, LosDiezUltimosYUnoQueFalta) {
    Sesion s;
    for (int i = 0; i < 12; ++i) {
        const QString ruta = s.documentos.filePath(QString("f%1.xml").arg(i));
        QFile::copy(VELMORA_EXAMPLES "/clasico.xml", ruta);
        s.p.respuestas.push_back({ruta, QFileInfo(ruta).fileName()});
        Atender(s.f, [&] { Pasos(s.f, "ID_Abrir"); });
    }
    QStringList recientes = s.f.Recientes();
    ASSERT_EQ(recientes.size(), 10);
    EXPECT_TRUE(recientes.first().endsWith("f11.xml"));
    EXPECT_TRUE(recientes.last().endsWith("f2.xml"));
    // Opening one again brings it first; the folder line stays.
    Atender(s.f, [&] { s.f.AbrirReciente(recientes[4]); });
    EXPECT_EQ(s.f.Recientes().first(), recientes[4]);
    EXPECT_EQ(CarpetaRecordada(s.p.programa, s.p.configuracion, {}).CarpetaInicial(),
              s.documentos.path());
    EXPECT_TRUE(s.p.mensajes.empty());

    QFile::remove(recientes[0]);
    Atender(s.f, [&] { Pasos(s.f, "ID_Nuevo"); });
    Atender(s.f, [&] { s.f.AbrirReciente(recientes[0]); });
    ASSERT_EQ(s.p.mensajes.size(), 1u);
    EXPECT_EQ(s.p.mensajes[0].titulo, "Recientes");
    EXPECT_EQ(s.p.mensajes[0].texto, "El fichero " + recientes[0].toStdString() +
                                         " ya no existe. Se quita de la lista de recientes.");
    EXPECT_EQ(s.f.Recientes().size(), 9);
    EXPECT_FALSE(s.f.Recientes().contains(recientes[0]));
    EXPECT_TRUE(s.f.LeerEnunciado().fijas.none());
}

// ---- Where the settings live --------------------------------------------------------------

TEST(Ajustes, JuntoAlProgramaSalvoInstalado) {
    QTemporaryDir programa, config, otra;
    const QString enlace = otra.filePath("enlace");
    ASSERT_TRUE(QFile::link(programa.path(), enlace));
    const QString c = config.path();
    const struct {
        QString programa;
        QStringList instaladas;
        QString esperada;
    } casos[] = {
        {programa.path(), {}, programa.path()},                             // a build tree
        {programa.path(), {"/usr/bin", "/usr/local/bin"}, programa.path()}, // a copied folder
        {programa.path(), {programa.path()}, c},                            // installed there
        {programa.path() + "/", {programa.path()}, c},
        {enlace, {programa.path()}, c}, // the same folder through a link
        {programa.path(), {enlace}, c},
        // A folder that is missing or cannot be written: ficheros_test (CarpetaRecordada).
    };
    for (const auto& caso : casos)
        EXPECT_EQ(CarpetaDeAjustes(caso.programa, c, caso.instaladas), caso.esperada)
            << caso.programa.toStdString();
    // This build knows its own install folder and the package's.
    EXPECT_TRUE(CarpetasInstaladas().contains("/usr/bin"));
    const CarpetaRecordada instalada(programa.path(), c, {programa.path()});
    EXPECT_EQ(instalada.Fichero(), c + "/velmora.ini");
    EXPECT_EQ(instalada.CarpetaInicial(), QDir::homePath()); // not the bin folder
}

} // namespace
} // namespace velmora
