// The Qt window, offscreen: that it shows Form1's state and that Qt events reach Form1's
// handlers, from the first click to the file reopened. The handlers' own rules are tested
// headless.

#include <QAction>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <sstream>

#include "support/ventana_abierta.h"
#include "ui/qt/arranque.h"

// Readable failures.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace velmora {
namespace {

class Ventana : public VentanaAbierta {
protected:
    void Pulsar(QWidget* x) { QTest::mouseClick(x, Qt::LeftButton); }
    void Pulsar(Herramienta h) { Pulsar(w.findChild<QToolBar*>()->widgetForAction(w.Accion(h))); }
    // Clicks with the mouse: "S4" swatch 4, "L4" number label 4, "c40" cell 40, "n4" pad button
    // 4, "O1" Option1, a tool by its caption; "=17" types 17 where the focus is.
    void Clics(std::string_view pasos) {
        std::istringstream in{std::string(pasos)};
        for (std::string p; in >> p;) {
            const int i = std::atoi(p.c_str() + 1);
            if (p[0] == 'S') Pulsar(w.S(i));
            if (p[0] == 'L') Pulsar(w.LbN(i));
            if (p[0] == 'c') Pulsar(w.lb(i));
            if (p[0] == 'n') Pulsar(w.N(i));
            if (p[0] == 'O')
                Pulsar(std::array<QWidget*, 3>{w.Option1(), w.Option2(), w.Option3()}[i - 1]);
            if (p[0] == '=') QTest::keyClicks(Foco(), QString::fromStdString(p.substr(1)));
            for (int h = 0; h < kHerramientas; ++h)
                if (p == kTitulosHerramientas[h]) Pulsar(static_cast<Herramienta>(h));
        }
    }
    // Cells of the grid as the widgets show them, '.' for an empty one.
    QString Celdas() const {
        QString s;
        for (int k = 0; k < kCasillas; ++k)
            s += w.lb(k)->text().isEmpty() ? QStringLiteral(".") : w.lb(k)->text();
        return s;
    }
    // The caption, the mode panel shown and the tools enabled (Nuevo ... Normal, 1 when enabled).
    QString Estado() const {
        QString s = w.windowTitle() + (w.Panel_Killer()->isVisible() ? " K" : " -") +
                    (w.Panel_Normal()->isVisible() ? "N " : "- ");
        for (int h = 0; h < kHerramientas; ++h)
            s += w.Accion(static_cast<Herramienta>(h))->isEnabled() ? '1' : '0';
        return s;
    }
    QWidget* Foco() const { return QApplication::focusWidget(); }
    QByteArray Guardar(const QString& ruta) {
        plataforma.fichero = ruta;
        Pulsar(Herramienta::Guardar);
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    const QString datos = QStringLiteral(VELMORA_TEST_DATA "/");
    const QString vacia = QString(kCasillas, QLatin1Char('.'));
};

TEST_F(Ventana, ArrancaCentradaEnModoKillerConLaGeometriaDeLaDisposicion) {
    EXPECT_EQ(Estado(), QStringLiteral("Sudoku Killer K- 11111001"));
    EXPECT_EQ(w.LbN(0)->text() + w.LbN(38)->text() + w.LbM()->text() + w.LbPor()->text(),
              QStringLiteral("13900 %"));
    EXPECT_TRUE(w.Option2()->isChecked() && !w.PBar()->isVisible() &&
                !qobject_cast<QLineEdit*>(Foco()));
    const QPoint centro = w.screen()->geometry().center() - w.frameGeometry().center();
    EXPECT_LE(centro.manhattanLength(), 2);

    EXPECT_EQ(w.Cliente()->size(), QSize(779, 502));
    EXPECT_EQ(w.T(38)->geometry(), QRect(296, 280, 21, 17));
    EXPECT_EQ(w.lb(0)->font().pixelSize() * 100 + w.T(0)->font().pixelSize(), 2711);
    EXPECT_EQ(w.S(21)->ColorTexto(), QColor(255, 255, 255));

    Clics("Normal");
    EXPECT_EQ(Estado(), QStringLiteral("Sudoku Normal -N 11111010"));
}

TEST_F(Ventana, ElRatonYElTecladoEnLasSumas) {
    // The key filter, and two characters at most; the number label picks and selects the sum.
    Clics("S4 =a-,173 S5 L4");
    EXPECT_EQ(form.T[4], "17");
    EXPECT_EQ(Foco() == w.T(4) ? w.T(4)->selectedText() : "", QStringLiteral("17"));
    EXPECT_EQ(w.LbN(4)->Fondo(), QColor(0, 0, 0)); // LbMarcado
    Clics("c10 c11");
    EXPECT_EQ(w.lb(10)->Fondo(), QColor(192, 255, 255));

    // The window's shortcuts work from a sum box: F5 solves, F6 empties the solution again,
    // Ctrl+1 is disabled in Killer mode and does not empty the sum.
    QTest::keyClick(w.T(4), Qt::Key_F5);
    EXPECT_FALSE(Celdas().contains(QLatin1Char('.')));
    QTest::keyClick(w.T(4), Qt::Key_F6);
    EXPECT_EQ(Celdas(), vacia);
    QTest::keyClick(w.T(4), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Foco(), w.T(4));
    EXPECT_EQ(form.T[4], "17");

    // A longer text put there by the program is shown whole; typing does not add to it.
    form.T[3] = "123";
    w.Actualizar();
    w.T(3)->setFocus(Qt::MouseFocusReason);
    w.T(3)->end(false);
    QTest::keyClicks(w.T(3), QStringLiteral("4"));
    EXPECT_EQ(w.T(3)->text(), QStringLiteral("123"));

    // The focus coming back with the window or after a popup picks nothing, nor does the window
    // activated again run the start-up again; entering with the mouse picks.
    Clics("L3"); // unpicks; the focus stays in T(3)
    for (const Qt::FocusReason razon : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent vuelve(QEvent::FocusIn, razon);
        QApplication::sendEvent(w.T(3), &vuelve);
    }
    QEvent activa(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activa);
    EXPECT_EQ(w.T(3)->text() + QString::number(form.SegSeleccionado), QStringLiteral("123-1"));
    QTest::mouseClick(w.T(5), Qt::LeftButton);
    EXPECT_EQ(form.SegSeleccionado, 5);
    QTest::keyClick(w.T(5), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(Estado() + QString::fromStdString(form.T[3]),
              QStringLiteral("Sudoku Normal -N 11111010"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// The message box is modal and its button reads "Aceptar".
TEST_F(Ventana, UnaCasillaSinSegmentoMuestraElMensaje) {
    plataforma.mensajesReales = true;
    QString boton;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        boton = caja ? caja->button(QMessageBox::Ok)->text().remove(QLatin1Char('&')) : "";
        if (caja) caja->button(QMessageBox::Ok)->click();
    });
    Clics("c0");
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    const auto& m = plataforma.mensajes[0];
    EXPECT_EQ(m.titulo + boton, QStringLiteral("Segmento sin seleccionarAceptar"));
    EXPECT_TRUE(m.icono == QMessageBox::Information && m.botones == QMessageBox::Ok);
}

TEST_F(Ventana, DetrasDeUnaCajaSeVeElEstadoDeEseMomento) {
    plataforma.fichero = datos + QStringLiteral("clasico_sin_solucion.xml");
    Clics("Abrir");
    ASSERT_EQ(plataforma.dialogos.size(), 1u);
    const auto& abrir = plataforma.dialogos[0];
    EXPECT_EQ(abrir.titulo + abrir.filtroElegido + abrir.sufijo,
              QStringLiteral("Abrir Fichero SudokuArchivos XML Sudoku (*.xml)xml"));

    QString visto;
    plataforma.alPresentar = [&] { visto = Celdas() + Estado(); };
    // No solution: only the givens, and the tools still in their solving set.
    Clics("O1 Resolver");
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Proceso Terminado"));
    const QString pistas = Celdas();
    EXPECT_EQ(visto, pistas + QStringLiteral("Sudoku Normal -N 00000100"));
    EXPECT_EQ(Estado(), QStringLiteral("Sudoku Normal -N 11111010")); // once the box is gone

    // Saving: the dialog opens in the folder of the file opened.
    plataforma.fichero.clear();
    Clics("Guardar");
    ASSERT_EQ(plataforma.dialogos.size(), 2u);
    EXPECT_TRUE(plataforma.dialogos[0].modo == QFileDialog::AcceptOpen &&
                plataforma.dialogos[1].modo == QFileDialog::AcceptSave);
    EXPECT_EQ(plataforma.dialogos[1].carpeta, QDir(datos).absolutePath());
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
    plataforma.fichero = datos + QStringLiteral("killer_bench.xml");
    Clics("Abrir O1"); // "Rápido": the counter changes at every step
    ASSERT_EQ(form.Opcion, ModoCalculo::Rapido);
    Pintadas pintadas;
    w.LbM()->installEventFilter(&pintadas);
    QWidget* antes = Foco();
    QString durante;
    QElapsedTimer reloj;
    QTimer::singleShot(50, [&] {
        durante = Estado() + (w.T(0)->isReadOnly() ? " L" : " E");
        QTest::mouseClick(w.T(3), Qt::LeftButton); // does not take the keyboard
        durante += Foco() == antes ? "F" : "T";
        reloj.start();
        Clics("Cancelar");
    });
    Clics("Resolver");
    ASSERT_TRUE(form.Tab.Cancelado) << "the search ended before the cancel";
    EXPECT_LT(reloj.elapsed(), 2000);
    EXPECT_GE(pintadas.n, 1);
    EXPECT_EQ(durante, QStringLiteral("Sudoku Killer K- 00000100 LF"));
    EXPECT_EQ(Estado() + (w.T(0)->isReadOnly() ? " L" : " E"),
              QStringLiteral("Sudoku Killer K- 11111001 E"));
    EXPECT_TRUE(w.PBar()->isVisible());
    EXPECT_NE(Celdas(), vacia); // the grid where the search stopped
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// From the first click to the reopened file, through the widgets only.
TEST_F(Ventana, ExtremoAExtremoUnKiller) {
    QTemporaryDir dir;
    Clics("S0 =3 c0 c1 S4 =x17 c9 c10 S4 O1 Resolver"); // the x is refused by the key filter
    const auto d = [&](int k) { return w.lb(k)->text().toInt(); };
    EXPECT_EQ((d(0) + d(1)) * 100 + d(9) + d(10), 317);
    EXPECT_FALSE(Celdas().contains(QLatin1Char('.')));

    const QByteArray esperado = "<SUDOKU_KILLER>\r\n<SEGMENTO VALOR='3'>\r\n"
                                "<CASILLA FILA='1' COL='1'/>\r\n<CASILLA FILA='1' COL='2'/>\r\n"
                                "</SEGMENTO>\r\n<SEGMENTO VALOR='17'>\r\n"
                                "<CASILLA FILA='2' COL='1'/>\r\n<CASILLA FILA='2' COL='2'/>\r\n"
                                "</SEGMENTO>\r\n</SUDOKU_KILLER>\r\n";
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("k.xml"))), esperado);
    EXPECT_EQ(Celdas(), vacia); // saving cleared the solution
    Clics("Nuevo");
    EXPECT_TRUE(w.T(0)->text().isEmpty());
    Clics("Abrir"); // the dialog answers k.xml again
    EXPECT_EQ(w.T(0)->text() + w.T(1)->text(), QStringLiteral("317")); // renumbered
    EXPECT_EQ(w.lb(0)->Fondo(), QColor(255, 192, 192));
    EXPECT_EQ(w.lb(10)->Fondo(), QColor(255, 224, 192));
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("k2.xml"))), esperado);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Ventana, ExtremoAExtremoUnClasico) {
    QTemporaryDir dir;
    Clics("Normal n4 c0 c40 n8 c80 n9 c40 O3 Resolver");
    EXPECT_EQ(Celdas().left(2) + w.LbPor()->text(), QStringLiteral("51100 %"));
    const QByteArray esperado = "<SUDOKU_CLASIC>\r\n<FIJA FILA='1' COL='1'>5</FIJA>\r\n"
                                "<FIJA FILA='9' COL='9'>9</FIJA>\r\n</SUDOKU_CLASIC>\r\n";
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("c.xml"))), esperado);
    Clics("Killer Abrir");
    EXPECT_EQ(Estado(), QStringLiteral("Sudoku Normal -N 11111010"));
    EXPECT_EQ(Celdas(), QStringLiteral("5") + vacia.mid(2) + QStringLiteral("9"));
    EXPECT_EQ(w.lb(80)->Fondo(), QColor(0, 0, 0));
    EXPECT_EQ(Guardar(dir.filePath(QStringLiteral("c2.xml"))), esperado);

    // A name typed with quotes is saved as typed, or refused when its folder does not exist.
    const QString carpeta = dir.filePath(QStringLiteral("out dir, \"q\""));
    plataforma.fichero.clear();
    plataforma.tecleado = carpeta + QStringLiteral("/c1");
    Clics("Guardar");
    ASSERT_TRUE(QDir().mkdir(carpeta));
    Clics("Guardar");
    EXPECT_TRUE(QFile::exists(carpeta + QStringLiteral("/c1.xml")));
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("Estructura incorrecta"));
}

TEST(PlataformaQt, CesionesImparesYFiltros) {
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
