// The menu bar and the status bar around the client area, offscreen.

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "support/ventana_abierta.h"
#include "support/ventana_falsa.h"

namespace velmora {
namespace {

class Menus : public VentanaAbierta {
protected:
    // Which menu items are enabled: the tools' in toolbar order, then Deshacer, Rehacer,
    // Comprobar.
    std::vector<bool> Habilitados() const {
        std::vector<bool> h;
        for (int i = 0; i < kHerramientas; ++i)
            h.push_back(w.AccionMenu(static_cast<Herramienta>(i))->isEnabled());
        for (QAction* a : {w.Deshacer(), w.Rehacer(), w.Comprobar()})
            h.push_back(a->isEnabled());
        return h;
    }
};

TEST_F(Menus, ReflejanLasHerramientasYDuranteLaBusquedaSoloCancelar) {
    EXPECT_GT(w.menuBar()->height(), 0);
    // Nuevo Abrir Guardar Vaciar Resolver Cancelar Killer Normal, Deshacer Rehacer Comprobar
    EXPECT_EQ(Habilitados(), (std::vector<bool>{1, 1, 1, 1, 1, 0, 0, 1, 0, 0, 1}));
    w.AccionMenu(Herramienta::Normal)->trigger();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_EQ(Habilitados(), (std::vector<bool>{1, 1, 1, 1, 1, 0, 1, 0, 1, 0, 1}));

    plataforma.fichero = QStringLiteral(VELMORA_TEST_DATA "/clasico_176m.xml");
    w.AccionMenu(Herramienta::Abrir)->trigger();
    std::vector<bool> durante;
    QString estado;
    QTimer::singleShot(100, [&] {
        durante = Habilitados();
        estado = w.Estado()->text();
        w.AccionMenu(Herramienta::Cancelar)->trigger();
    });
    w.AccionMenu(Herramienta::Resolver)->trigger();
    EXPECT_EQ(durante, (std::vector<bool>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(estado, QStringLiteral("Resolviendo…"));
    EXPECT_TRUE(w.Estado()->text().startsWith(QStringLiteral("Cancelado tras ")));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Menus, ControlZEnUnaSumaDeshaceLaVentana) {
    QTest::mouseClick(w.S(2), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), w.T(2));
    QTest::keyClicks(w.T(2), QStringLiteral("17"));
    QTest::mouseClick(w.lb(5), Qt::LeftButton); // the sum is noted, then the cell
    QTest::keyClick(w.T(2), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Tab.CasillaSeg[5], -1);
    EXPECT_EQ(w.T(2)->text(), QStringLiteral("17"));
    QTest::keyClick(w.T(2), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.T(2)->text(), QString());
    QTest::keyClick(w.T(2), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.T(2)->text(), QStringLiteral("17"));
}

TEST_F(Menus, LasMarcasDelVeredictoNoCambianLosColores) {
    w.AccionMenu(Herramienta::Normal)->trigger();
    QTest::keyClick(&w, Qt::Key_F7); // the empty grid has many solutions
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Comprobación"));
    int marcadas = 0;
    for (int k = 0; k < kCasillas; ++k) {
        marcadas += w.lb(k)->Marcada();
        EXPECT_EQ(w.lb(k)->Fondo(), QColor(255, 255, 255)) << k;
        EXPECT_FALSE(w.lb(k)->text().isEmpty()) << k;
    }
    EXPECT_GT(marcadas, 1);
    QTest::keyClick(&w, Qt::Key_F6);
    EXPECT_FALSE(w.lb(0)->Marcada() || w.lb(80)->Marcada());
}

TEST_F(Menus, CopiarYPegarPorElPortapapeles) {
    w.AccionMenu(Herramienta::Normal)->trigger();
    QTest::mouseClick(w.N(4), Qt::LeftButton);
    QTest::mouseClick(w.lb(10), Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* datos = QApplication::clipboard()->mimeData();
    EXPECT_EQ(datos->text(), QStringLiteral(".........") + QStringLiteral(".5") + QString(70, '.'));
    ASSERT_TRUE(datos->hasUrls());
    EXPECT_TRUE(datos->urls().first().toString().contains(QStringLiteral("?load=")));

    w.AccionMenu(Herramienta::Killer)->trigger();
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier); // one step: mode and givens
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_EQ(w.lb(10)->text(), QStringLiteral("5"));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Killer"));

    QApplication::clipboard()->setText(QStringLiteral("12x"));
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Killer")); // nothing changed
}

TEST_F(Menus, UnFicheroSoltadoSeAbre) {
    QTemporaryDir dir;
    const QString texto = dir.filePath(QStringLiteral("corto.txt"));
    QFile f(texto);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("3<" + QByteArray(79, '0') + "\n"); // one cage of two cells with sum 3
    f.close();
    for (const QString& ruta : {QStringLiteral(VELMORA_EXAMPLES "/clasico.xml"), texto}) {
        QMimeData datos;
        datos.setUrls({QUrl::fromLocalFile(ruta)});
        // As a drag arrives: entering makes the window the target of the drop.
        QDragEnterEvent entra(QPoint(50, 50), Qt::CopyAction, &datos, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&w, &entra);
        ASSERT_TRUE(entra.isAccepted());
        QDropEvent suelta(QPointF(50, 50), Qt::CopyAction, &datos, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &suelta);
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Killer"));
    EXPECT_EQ(w.T(0)->text(), QStringLiteral("3"));
    EXPECT_EQ(form.Tab.CasillaSeg[1], 0);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// "Ultra-Rápido" searches on every core: closing the window stops the workers, then closes.
TEST_F(Menus, CerrarDuranteUnaBusquedaEnVariosHilos) {
    plataforma.fichero = QStringLiteral(VELMORA_TEST_DATA "/clasico_176m.xml");
    w.AccionMenu(Herramienta::Abrir)->trigger();
    QTest::mouseClick(w.Option3(), Qt::LeftButton);
    QString estado;
    QTimer::singleShot(150, [&] {
        estado = w.Estado()->text();
        w.close();
    });
    QElapsedTimer reloj;
    reloj.start();
    w.AccionMenu(Herramienta::Resolver)->trigger();
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_EQ(estado, QStringLiteral("Resolviendo…"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(form.Tab.Cancelado);
}

// F7 works off the window's thread: Esc stops it; a close stops it and closes. The tools and the
// status while it runs are checked headless (autoria_test).
TEST_F(Menus, ComprobarSeCancelaConEscYAlCerrar) {
    form.Juez = JuezLento;
    QTimer::singleShot(100, [&] { QTest::keyClick(&w, Qt::Key_Escape); });
    QTest::keyClick(&w, Qt::Key_F7);
    EXPECT_TRUE(w.Estado()->text().startsWith(QStringLiteral("Comprobación cancelada tras ")));
    EXPECT_EQ(Habilitados(), (std::vector<bool>{1, 1, 1, 1, 1, 0, 0, 1, 0, 0, 1}));

    QTimer::singleShot(100, [&] { w.close(); });
    w.Comprobar()->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// Ctrl+D: the panel lists the steps; picking one outlines its cells and shows its sentence.
TEST_F(Menus, ElPanelDeDificultadMarcaElPasoElegido) {
    plataforma.fichero = QStringLiteral(VELMORA_EXAMPLES "/killer.xml");
    w.AccionMenu(Herramienta::Abrir)->trigger();
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    ASSERT_NE(w.PanelDificultad(), nullptr);
    EXPECT_TRUE(w.PanelDificultad()->isVisible());
    auto* pasos = w.PanelDificultad()->findChild<QListWidget*>(QStringLiteral("pasos"));
    auto* frase = w.PanelDificultad()->findChild<QLabel*>(QStringLiteral("frase"));
    ASSERT_TRUE(pasos && frase);
    ASSERT_GT(pasos->count(), 1);
    EXPECT_TRUE(w.Estado()->text().startsWith(QStringLiteral("Dificultad: ")));
    pasos->setCurrentRow(1);
    EXPECT_TRUE(pasos->item(1)->text().endsWith(frase->text()));
    int marcadas = 0;
    for (int k = 0; k < kCasillas; ++k)
        marcadas += w.lb(k)->Marcada();
    EXPECT_GT(marcadas, 0);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST(Arranque, ElFicheroDelArgumentoSeAbreTrasArrancar) {
    PlataformaGuion plataforma;
    Form1 form{plataforma};
    VentanaQt w{form, plataforma};
    w.AbrirAlEmpezar(QStringLiteral(VELMORA_EXAMPLES "/killer.xml"));
    Mostrar(w);
    EXPECT_EQ(w.T(0)->text(), QStringLiteral("24"));
    EXPECT_TRUE(plataforma.mensajes.empty());
    EXPECT_TRUE(form.PuedeDeshacer()); // opening it is a step
}

} // namespace
} // namespace velmora
