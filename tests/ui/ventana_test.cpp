// The Qt window, offscreen: that it shows Form1's state and that Qt events reach Form1's
// handlers, from the first click to the file reopened. The handlers' own rules are tested
// headless.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "ui/form1.h"
#include "ui/qt/arranque.h"
#include "ui/qt/guion.h"
#include "ui/qt/ventana_qt.h"

// Readable failures.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace velmora {
namespace {

class Ventana : public ::testing::Test {
protected:
    void SetUp() override {
        w = std::make_unique<VentanaQt>(form, plataforma);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    void Pulsar(QWidget* x) { QTest::mouseClick(x, Qt::LeftButton); }
    void Pulsar(Herramienta h) { Pulsar(w->findChild<QToolBar*>()->widgetForAction(w->Accion(h))); }
    // Cells of the grid as the widgets show them, '.' for an empty one.
    QString Celdas() const {
        QString s;
        for (int k = 0; k < kCasillas; ++k)
            s += w->lb(k)->text().isEmpty() ? QStringLiteral(".") : w->lb(k)->text();
        return s;
    }
    // Nuevo Abrir Guardar Vaciar Resolver Cancelar Killer Normal, 1 when enabled.
    QString Herramientas() const {
        QString s;
        for (int h = 0; h < kHerramientas; ++h)
            s += w->Accion(static_cast<Herramienta>(h))->isEnabled() ? '1' : '0';
        return s;
    }
    QWidget* Foco() const { return QApplication::focusWidget(); }
    void Abrir(const QString& ruta) {
        plataforma.fichero = ruta;
        Pulsar(Herramienta::Abrir);
    }
    QByteArray Guardar(const QString& ruta) {
        plataforma.fichero = ruta;
        Pulsar(Herramienta::Guardar);
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    PlataformaGuion plataforma;
    Form1 form{plataforma};
    std::unique_ptr<VentanaQt> w;
    const QString datos = QStringLiteral(VELMORA_TEST_DATA "/");
};

TEST_F(Ventana, ArrancaCentradaEnModoKillerConLaGeometriaDeLaDisposicion) {
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sudoku Killer"));
    EXPECT_TRUE(w->Panel_Killer()->isVisible() && !w->Panel_Normal()->isVisible());
    EXPECT_EQ(Herramientas(), QStringLiteral("11111001"));
    EXPECT_EQ(w->LbN(0)->text() + w->LbN(38)->text(), QStringLiteral("139"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Foco()), nullptr);
    EXPECT_TRUE(w->Option2()->isChecked());
    EXPECT_FALSE(w->PBar()->isVisible());
    EXPECT_EQ(w->LbM()->text() + w->LbPor()->text(), QStringLiteral("00 %"));
    EXPECT_EQ(Celdas(), QString(kCasillas, QLatin1Char('.')));
    EXPECT_EQ(w->lb(40)->Fondo(), QColor(255, 255, 255)); // LbNulo
    const QPoint centro = w->screen()->geometry().center() - w->frameGeometry().center();
    EXPECT_LE(centro.manhattanLength(), 2);

    EXPECT_EQ(w->Cliente()->size(), QSize(779, 502));
    EXPECT_EQ(w->lb(0)->geometry(), QRect(8, 8, 40, 40));
    EXPECT_EQ(w->lb(80)->geometry(), QRect(376, 376, 40, 40));
    EXPECT_EQ(w->lb(80)->parentWidget()->objectName(), QStringLiteral("SSPanel1"));
    EXPECT_EQ(w->S(13)->geometry(), QRect(140, 40, 41, 17));
    EXPECT_EQ(w->T(38)->geometry(), QRect(296, 280, 21, 17));
    EXPECT_EQ(w->N(9)->geometry(), QRect(60, 260, 217, 33));
    EXPECT_EQ(w->Panel_Killer()->geometry(), QRect(4, 96, 333, 333));
    EXPECT_EQ(w->lb(0)->font().pixelSize() * 100 + w->N(0)->font().pixelSize(), 2737);
    EXPECT_EQ(w->T(0)->font().pixelSize(), 11);
    EXPECT_TRUE(w->lb(0)->font().bold());
    EXPECT_EQ(w->S(21)->Fondo(), QColor(0, 0, 255));
    EXPECT_EQ(w->S(21)->ColorTexto(), QColor(255, 255, 255));
    EXPECT_EQ(w->LbM()->ColorTexto(), QColor(255, 255, 192));

    QStringList atajos;
    for (int h = 0; h < kHerramientas; ++h)
        atajos << w->Accion(static_cast<Herramienta>(h))->toolTip();
    EXPECT_EQ(atajos.join(QStringLiteral(", ")),
              QStringLiteral("Nuevo (Ctrl+N), Abrir (Ctrl+O), Guardar (Ctrl+S), Vaciar (F6), "
                             "Resolver (F5), Cancelar (Esc), Killer (Ctrl+1), Normal (Ctrl+2)"));
    Pulsar(Herramienta::Normal);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_TRUE(w->Panel_Normal()->isVisible() && !w->Panel_Killer()->isVisible());
    EXPECT_EQ(Herramientas(), QStringLiteral("11111010"));
}

TEST_F(Ventana, ElRatonYElTecladoEnLasSumas) {
    Pulsar(w->lb(0)); // no segment picked
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Segmento sin seleccionar"));
    EXPECT_EQ(plataforma.mensajes[0].icono, QMessageBox::Information);
    EXPECT_EQ(plataforma.mensajes[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));

    Pulsar(w->S(4));
    EXPECT_EQ(Foco(), w->T(4));
    EXPECT_EQ(w->LbN(4)->Fondo(), QColor(0, 0, 0));     // LbMarcado
    for (const char c : {'a', '-', ' ', '1', '2', '3'}) // the third digit does not fit
        QTest::keyClick(w->T(4), c);
    EXPECT_EQ(form.T[4], "12");
    Pulsar(w->S(5));
    EXPECT_EQ(w->LbN(4)->Fondo(), QColor(255, 255, 255)); // LbNoMarcado
    Pulsar(w->LbN(4));
    EXPECT_EQ(Foco(), w->T(4));
    EXPECT_EQ(w->T(4)->selectedText(), QStringLiteral("12"));
    Pulsar(w->lb(10));
    EXPECT_EQ(w->lb(10)->Fondo(), QColor(192, 255, 255));
    EXPECT_EQ(form.Tab.CasillaSeg[10], 4);
    QTest::keyClick(w->T(4), Qt::Key_End);
    QTest::keyClick(w->T(4), Qt::Key_Backspace);
    EXPECT_EQ(form.T[4], "1");

    // The window's shortcuts work from a sum box: F5 solves, F6 empties the solution again,
    // Ctrl+1 is disabled in Killer mode and does not empty the sum.
    QTest::keyClick(w->T(4), Qt::Key_F5);
    EXPECT_FALSE(Celdas().contains(QLatin1Char('.')));
    QTest::keyClick(w->T(4), Qt::Key_F6);
    EXPECT_EQ(Celdas(), QString(kCasillas, QLatin1Char('.')));
    EXPECT_EQ(Foco(), w->T(4));
    QTest::keyClick(w->T(4), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(w->T(4)->text(), QStringLiteral("1"));

    // A longer text put there by the program stays until the user changes it.
    form.T[3] = "123";
    w->Actualizar();
    w->T(3)->setFocus(Qt::MouseFocusReason);
    w->T(3)->end(false);
    QTest::keyClick(w->T(3), '4');
    EXPECT_EQ(w->T(3)->text(), QStringLiteral("123"));
    QTest::keyClick(w->T(3), Qt::Key_Backspace);
    QTest::keyClick(w->T(3), '9');
    EXPECT_EQ(form.T[3], "12");

    // The focus coming back with the window or after a popup picks nothing, nor does the window
    // activated again run the start-up again; entering with the mouse picks.
    Pulsar(w->LbN(3)); // unpicks; the focus stays in T(3)
    ASSERT_EQ(form.SegSeleccionado, -1);
    for (const Qt::FocusReason razon : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent vuelve(QEvent::FocusIn, razon);
        QApplication::sendEvent(w->T(3), &vuelve);
    }
    QEvent activa(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &activa);
    EXPECT_EQ(form.SegSeleccionado, -1);
    EXPECT_EQ(w->T(3)->text(), QStringLiteral("12"));
    QTest::mouseClick(w->T(5), Qt::LeftButton);
    EXPECT_EQ(form.SegSeleccionado, 5);
    QTest::keyClick(w->T(5), Qt::Key_2, Qt::ControlModifier); // Normal
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_EQ(form.T[3], "");

    EXPECT_EQ(plataforma.mensajes.size(), 1u);
}

TEST_F(Ventana, ElMensajeEsModalYSuBotonDiceAceptar) {
    plataforma.mensajesReales = true;
    QString visto;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) return;
        visto = caja->button(QMessageBox::Ok)->text().remove(QLatin1Char('&'));
        visto += QString::number(caja->icon());
        caja->button(QMessageBox::Ok)->click();
    });
    Pulsar(Herramienta::Normal);
    Pulsar(w->lb(0));
    EXPECT_EQ(visto, QStringLiteral("Aceptar") + QString::number(QMessageBox::Information));
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Número sin seleccionar"));
}

TEST_F(Ventana, DetrasDeUnaCajaSeVeElEstadoDeEseMomento) {
    Abrir(datos + QStringLiteral("clasico_sin_solucion.xml"));
    ASSERT_EQ(plataforma.dialogos.size(), 1u);
    const auto& abrir = plataforma.dialogos[0];
    EXPECT_EQ(abrir.titulo, QStringLiteral("Abrir Fichero Sudoku"));
    EXPECT_EQ(abrir.modo, QFileDialog::AcceptOpen);
    EXPECT_EQ(abrir.filtros.join(QLatin1Char(';')),
              QStringLiteral("Archivos XML Sudoku (*.xml);Todos los archivos (*)"));
    EXPECT_EQ(abrir.filtroElegido, abrir.filtros.first());
    EXPECT_EQ(abrir.sufijo, QStringLiteral("xml"));
    EXPECT_EQ(w->lb(0)->Fondo(), QColor(0, 0, 0)); // LbAma

    QString celdas, herramientas;
    plataforma.alPresentar = [&] {
        celdas = Celdas();
        herramientas = Herramientas();
    };
    // No solution: only the givens, and the tools still in their solving set.
    Pulsar(w->Option1());
    Pulsar(Herramienta::Resolver);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Proceso Terminado"));
    const QString pistas = Celdas();
    EXPECT_EQ(celdas, pistas);
    EXPECT_EQ(herramientas, QStringLiteral("00000100"));
    EXPECT_EQ(Herramientas(), QStringLiteral("11111010")); // idle once the box is gone

    // Saving after a solve: the solution is gone when the dialog opens, in the folder of the
    // file opened.
    Pulsar(w->N(9)); // "Borrar"
    Pulsar(w->lb(17));
    Pulsar(Herramienta::Resolver);
    ASSERT_FALSE(Celdas().contains(QLatin1Char('.')));
    plataforma.fichero.clear();
    Pulsar(Herramienta::Guardar);
    ASSERT_EQ(plataforma.dialogos.size(), 2u);
    EXPECT_EQ(plataforma.dialogos[1].titulo, QStringLiteral("Guardar Fichero"));
    EXPECT_EQ(plataforma.dialogos[1].modo, QFileDialog::AcceptSave);
    EXPECT_EQ(plataforma.dialogos[1].carpeta, QDir(datos).absolutePath());
    EXPECT_EQ(celdas, QString(pistas).replace(17, 1, QLatin1Char('.')));
    EXPECT_EQ(herramientas, QStringLiteral("11111010"));
}

// Counts the repaints of a widget.
class Pintadas : public QObject {
public:
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        n += e->type() == QEvent::Paint;
        return false;
    }
};

// How fast the window repaints and a cancel arrives is measured by bench/ventana_bench.cpp.
TEST_F(Ventana, DuranteLaBusquedaLaVentanaSeRepintaYCancelarLaDetiene) {
    Abrir(datos + QStringLiteral("killer_bench.xml"));
    Pulsar(w->Option1()); // "Rápido": the counter changes at every step
    ASSERT_EQ(form.Opcion, ModoCalculo::Rapido);
    Pintadas pintadas;
    w->LbM()->installEventFilter(&pintadas);
    QWidget* antes = Foco();
    QString durante;
    QElapsedTimer reloj;
    QTimer::singleShot(50, [&] {
        durante = Herramientas() + (w->T(0)->isReadOnly() ? "L" : "E");
        QTest::mouseClick(w->T(3), Qt::LeftButton); // does not take the keyboard
        durante += Foco() == antes ? "F" : "T";
        reloj.start();
        Pulsar(Herramienta::Cancelar);
    });
    Pulsar(Herramienta::Resolver);
    ASSERT_TRUE(form.Tab.Cancelado) << "the search ended before the cancel";
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_GE(pintadas.n, 1);
    EXPECT_EQ(durante, QStringLiteral("00000100LF"));
    EXPECT_EQ(Herramientas(), QStringLiteral("11111001"));
    EXPECT_FALSE(w->T(0)->isReadOnly());
    EXPECT_NE(Foco(), w->T(3));
    EXPECT_EQ(form.SegSeleccionado, -1);
    EXPECT_TRUE(w->PBar()->isVisible());
    EXPECT_NE(w->LbM()->text(), QStringLiteral("0"));
    EXPECT_NE(w->lb(0)->text(), QString()); // the grid where the search stopped
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Ventana, CerrarDuranteLaBusquedaLaTerminaYCierraLaVentana) {
    Abrir(datos + QStringLiteral("clasico_176m.xml"));
    bool visibleTrasPedirlo = false;
    QTimer::singleShot(250, [&] {
        w->close();
        visibleTrasPedirlo = w->isVisible(); // the window waits for the search to stop
    });
    Pulsar(Herramienta::Resolver);
    EXPECT_TRUE(visibleTrasPedirlo);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(form.Resolviendo());
    EXPECT_TRUE(form.Tab.Cancelado);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// From the first click to the reopened file, through the widgets only.
TEST_F(Ventana, ExtremoAExtremoUnKiller) {
    QTemporaryDir dir;
    const auto segmento = [&](int i, const char* suma, std::initializer_list<int> casillas) {
        Pulsar(w->S(i));
        QTest::keyClicks(Foco(), QString::fromLatin1(suma));
        for (const int k : casillas)
            Pulsar(w->lb(k));
    };
    segmento(0, "3", {0, 1});
    segmento(4, "x17", {9, 10}); // the x is refused by the key filter
    Pulsar(w->S(4));             // unpick
    Pulsar(w->Option1());
    Pulsar(Herramienta::Resolver);
    const auto d = [&](int k) { return w->lb(k)->text().toInt(); };
    EXPECT_EQ(d(0) + d(1), 3);
    EXPECT_EQ(d(9) + d(10), 17);
    EXPECT_FALSE(Celdas().contains(QLatin1Char('.')));
    EXPECT_EQ(w->LbPor()->text(), QStringLiteral("100 %"));

    const QByteArray esperado = "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n"
                                "<CASILLA FILA='1' COL='1'/>\r\n<CASILLA FILA='1' COL='2'/>\r\n"
                                "</SEGMENTO>\r\n<SEGMENTO VALOR='17'>\r\n"
                                "<CASILLA FILA='2' COL='1'/>\r\n<CASILLA FILA='2' COL='2'/>\r\n"
                                "</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n";
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("k.xml"))), esperado);
    EXPECT_TRUE(w->lb(2)->text().isEmpty()); // saving cleared the solution
    Pulsar(Herramienta::Nuevo);
    EXPECT_TRUE(w->T(0)->text().isEmpty());
    Pulsar(Herramienta::Abrir); // the dialog answers k.xml again
    EXPECT_EQ(w->T(0)->text() + w->T(1)->text(), QStringLiteral("317")); // renumbered
    EXPECT_EQ(w->lb(0)->Fondo(), QColor(255, 192, 192));
    EXPECT_EQ(w->lb(10)->Fondo(), QColor(255, 224, 192));
    EXPECT_EQ(w->lb(2)->Fondo(), QColor(255, 255, 255));
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("k2.xml"))), esperado);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Ventana, ExtremoAExtremoUnClasico) {
    QTemporaryDir dir;
    Pulsar(Herramienta::Normal);
    for (QWidget* x : std::initializer_list<QWidget*>{w->N(4), w->lb(0), w->lb(40), w->N(8),
                                                      w->lb(80), w->N(9), w->lb(40), w->Option3()})
        Pulsar(x);
    Pulsar(Herramienta::Resolver);
    EXPECT_EQ(Celdas().left(2), QStringLiteral("51"));
    EXPECT_EQ(w->LbPor()->text(), QStringLiteral("100 %"));

    const QByteArray esperado = "<SUDOKU_CLASIC>\r\n<FIJA FILA='1' COL='1'>5</FIJA>\r\n"
                                "<FIJA FILA='9' COL='9'>9</FIJA>\r\n</SUDOKU_CLASIC>\r\n";
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("c.xml"))), esperado);
    Pulsar(Herramienta::Killer);
    Pulsar(Herramienta::Abrir);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_EQ(Celdas(), QStringLiteral("5") + QString(79, QLatin1Char('.')) + QStringLiteral("9"));
    EXPECT_EQ(w->lb(80)->Fondo(), QColor(0, 0, 0));
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("c2.xml"))), esperado);
    EXPECT_TRUE(plataforma.mensajes.empty());

    // A name typed with quotes is saved as typed, or refused when its folder does not exist.
    const QString nombre = QStringLiteral("out dir, \"q\"");
    plataforma.fichero.clear();
    plataforma.tecleado = dir.filePath(nombre + QStringLiteral("/c1"));
    Pulsar(Herramienta::Guardar);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Estructura incorrecta"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(nombre));
    Pulsar(Herramienta::Guardar);
    EXPECT_TRUE(QFile::exists(dir.filePath(nombre + QStringLiteral("/c1.xml"))));
    EXPECT_EQ(plataforma.mensajes.size(), 1u);
}

TEST(PlataformaQt, CesionesImparesYFiltros) {
    // In "Ultra-Rápido" every forward step yields twice; with an even count every pass of a
    // Killer solve would fall on the same spinner frame out of four.
    EXPECT_EQ(PlataformaQt().Saltos() % 2, 1);
    EXPECT_EQ(PlataformaQt::FiltrosQt(QStringLiteral("Texto|*.txt;*.ini|Todo|*.*")),
              QStringList({QStringLiteral("Texto (*.txt *.ini)"), QStringLiteral("Todo (*)")}));
}

} // namespace
} // namespace velmora

int main(int argc, char* argv[]) {
    // Listing the tests at build time has no display either.
    velmora::PantallaVirtualPorDefecto();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // several tests close their window
    velmora::PrepararAplicacion(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
