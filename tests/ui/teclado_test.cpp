// The additions around the drawing, offscreen: keys on the grid and the sum boxes, the cursor
// and the outlines as painted, the import dialog, help, and the work kept at close.

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "support/ventana_abierta.h"

namespace velmora {
namespace {

class Teclas : public VentanaAbierta {
protected:
    int ConCursor() const {
        int k = -1, n = 0;
        for (int i = 0; i < kCasillas; ++i)
            if (w.lb(i)->ConCursor()) k = i, ++n;
        return n > 1 ? -2 : k;
    }
};

TEST_F(Teclas, FlechasEspacioSuprYCifrasDibujan) {
    EXPECT_EQ(ConCursor(), -1);
    Tecla(Qt::Key_Right); // the first arrow shows the cursor
    EXPECT_EQ(ConCursor(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w.Cuadricula());
    Tecla(Qt::Key_Right, Qt::Key_Down);
    EXPECT_EQ(ConCursor(), 10);

    // From a sum box, Down takes the keyboard to the grid; Space then adds the cell.
    QTest::mouseClick(w.S(2), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), w.T(2));
    QTest::keyClicks(w.T(2), QStringLiteral("9"));
    Tecla(Qt::Key_Left); // the box's own: its text cursor
    EXPECT_EQ(ConCursor(), 10);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(ConCursor(), 19);
    Tecla(Qt::Key_Space);
    EXPECT_EQ(form.Tab.CasillaSeg[19], 2);
    EXPECT_EQ(w.lb(19)->Fondo(), w.S(2)->Fondo());
    EXPECT_EQ(w.T(2)->text(), QStringLiteral("9"));
    Tecla(Qt::Key_Up, Qt::Key_Space, Qt::Key_Delete);
    EXPECT_EQ(form.Tab.CasillaSeg[10], -1);
    EXPECT_EQ(form.Tab.CasillaSeg[19], 2);

    // Normal: a digit picks the pad's, Space places it, Delete frees the cell.
    w.AccionMenu(Herramienta::Normal)->trigger();
    Tecla(Qt::Key_Down, Qt::Key_7);
    EXPECT_EQ(w.N(6)->Fondo(), QColor(0, 0, 0)); // marked
    Tecla(Qt::Key_Space);
    EXPECT_EQ(w.lb(19)->text(), QStringLiteral("7"));
    Tecla(Qt::Key_Right, Qt::Key_Space, Qt::Key_Left, Qt::Key_Delete);
    EXPECT_EQ(w.lb(19)->text() + w.lb(20)->text(), QStringLiteral("7"));
    Tecla(Qt::CTRL | Qt::Key_Z); // each key a step
    EXPECT_EQ(w.lb(19)->text() + w.lb(20)->text(), QStringLiteral("77"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// Without the cursor and the outlines the client area is what it always was; the cursor paints
// its cell's edge only.
TEST_F(Teclas, SinCursorNiMarcasLaZonaClienteNoCambia) {
    const QImage antes = Cliente();
    Tecla(Qt::Key_Down, Qt::Key_Right); // shown on cell 0, then moved to cell 1
    ASSERT_EQ(ConCursor(), 1);
    form.Marcadas.set(40);
    w.Actualizar();
    const QImage con = Cliente();
    const QRect celda(w.lb(1)->mapTo(w.Cliente(), QPoint(0, 0)), w.lb(1)->size());
    const QRect marca(w.lb(40)->mapTo(w.Cliente(), QPoint(0, 0)), w.lb(40)->size());
    int fuera = 0, borde = 0;
    for (int y = 0; y < antes.height(); ++y)
        for (int x = 0; x < antes.width(); ++x) {
            if (antes.pixel(x, y) == con.pixel(x, y)) continue;
            const QPoint p(x, y);
            if (celda.contains(p))
                borde += !celda.adjusted(2, 2, -2, -2).contains(p);
            else
                fuera += !marca.contains(p);
        }
    EXPECT_EQ(fuera, 0);
    EXPECT_GT(borde, 4 * celda.width() - 16); // the frame, all round
    form.Cursor = -1;
    form.Marcadas.reset();
    w.Actualizar();
    EXPECT_TRUE(Cliente() == antes);
}

TEST_F(Teclas, CopiarYPegarDelSudokuDesdeUnaCajaDeSuma) {
    QTest::mouseClick(w.S(0), Qt::LeftButton);
    QTest::keyClicks(w.T(0), QStringLiteral("3"));
    QTest::mouseClick(w.lb(0), Qt::LeftButton);
    QTest::mouseClick(w.lb(1), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), w.T(0));
    Tecla(Qt::CTRL | Qt::Key_C); // no selection in the box: the puzzle
    const QString puzzle = QApplication::clipboard()->text();
    EXPECT_EQ(puzzle.size(), 81);
    EXPECT_TRUE(puzzle.startsWith(QStringLiteral("3")));
    w.T(0)->selectAll();
    ASSERT_TRUE(w.T(0)->hasSelectedText());
    ASSERT_EQ(QApplication::focusWidget(), w.T(0));
    Tecla(Qt::CTRL | Qt::Key_C); // the selection: the box's own
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("3"));

    // Digits go into the box; a puzzle replaces the board.
    w.T(0)->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("12"));
    Tecla(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(w.T(0)->text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("5") + QString(80, QLatin1Char('.')));
    Tecla(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_EQ(w.lb(0)->text(), QStringLiteral("5"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Teclas, ImportarConservaElTextoRechazado) {
    const QString malo = QStringLiteral("3<") + QString(40, QLatin1Char('0')) +
                         QStringLiteral("ñx") + QString(37, QLatin1Char('0'));
    QString error, elegido;
    bool abierto = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        auto* caja = d->findChild<QPlainTextEdit*>(QStringLiteral("texto"));
        auto* ok = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        caja->setPlainText(malo);
        ok->click();
        abierto = d->isVisible();
        error = d->findChild<QLabel*>(QStringLiteral("error"))->text();
        elegido = caja->textCursor().selectedText();
        EXPECT_EQ(caja->toPlainText(), malo);
        caja->setPlainText(QStringLiteral("3<") + QString(79, QLatin1Char('0')));
        ok->click();
    });
    w.Importar();
    EXPECT_TRUE(abierto);
    EXPECT_EQ(error, QStringLiteral("Texto no válido: Carácter no válido «ñ» en la posición 43."));
    EXPECT_EQ(elegido, QStringLiteral("ñ"));
    EXPECT_EQ(w.T(0)->text(), QStringLiteral("3")); // the second text was taken
    EXPECT_EQ(form.Tab.CasillaSeg[1], 0);
    EXPECT_TRUE(plataforma.mensajes.empty());
}

TEST_F(Teclas, LosAtajosDicenCtrlYElManualLosNombra) {
    for (QAction* m : w.menuBar()->actions())
        for (QAction* a : m->menu()->actions()) {
            EXPECT_FALSE(a->text().contains(QStringLiteral("Control"))) << a->text().toStdString();
            EXPECT_FALSE(a->text().contains(QStringLiteral("..."))) << a->text().toStdString();
        }
    EXPECT_TRUE(w.AccionMenu(Herramienta::Nuevo)->text().endsWith(QStringLiteral("\tCtrl+N")));
    EXPECT_TRUE(w.Deshacer()->text().endsWith(QStringLiteral("\tCtrl+Z")));
    EXPECT_EQ(w.Accion(Herramienta::Nuevo)->toolTip(), QStringLiteral("Nuevo (Ctrl+N)"));

    w.Manual()->trigger();
    auto* manual = w.findChild<QWidget*>(QStringLiteral("Manual"));
    ASSERT_TRUE(manual && manual->isVisible());
    const QTextBrowser* texto = manual->findChild<QTextBrowser*>();
    EXPECT_EQ(texto->documentTitle(), QStringLiteral("Manual de Velmora"));
    const QString paginas = texto->toPlainText();
    for (const char* seccion : {"Dibujar un sudoku", "Dibujar con el teclado", "Formatos de texto",
                                "¿Tiene solución única?", "Dificultad y pistas", "Modo de juego"})
        EXPECT_TRUE(paginas.contains(QString::fromUtf8(seccion))) << seccion;

    // Every key the window answers is in the list and in the manual.
    w.AtajosDeTeclado()->trigger();
    auto* atajos = w.findChild<QWidget*>(QStringLiteral("Atajos"));
    ASSERT_TRUE(atajos && atajos->isVisible());
    const QString lista = atajos->findChild<QTextBrowser*>()->toPlainText();
    const auto todos = w.ListaDeAtajos();
    // 8 tools, 11 menu commands, 5 of play, 6 grid keys
    EXPECT_EQ(todos.size(), 30u);
    QFile f(QStringLiteral(VELMORA_PACKAGING "/velmora.6"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(f.readAll());
    for (const VentanaQt::Atajo& a : todos) {
        EXPECT_TRUE(lista.contains(a.teclas) && lista.contains(a.accion)) << a.accion.toStdString();
        const QString primera = a.teclas.section(QStringLiteral(", "), 0, 0);
        EXPECT_TRUE(paginas.contains(primera)) << primera.toStdString();
        EXPECT_TRUE(man.contains(primera)) << primera.toStdString();
    }
    for (const char* tecla : {"Ctrl+Shift+Z", "F7", "Esc", "Supr", "1 … 9", "F1"})
        EXPECT_TRUE(lista.contains(QString::fromUtf8(tecla))) << tecla;
    manual->close();
    atajos->close();
}

// The window's part only: the close keeps the puzzle, the next start says so, the menu brings it
// back. What is kept and when, and the undo step, are checked headless (sesion_test).
TEST(Cerrar, ElPuzzleSinGuardarSeConservaYSeRecupera) {
    PlataformaGuion plataforma;
    {
        Form1 form{plataforma};
        VentanaQt w{form, plataforma};
        Mostrar(w);
        QTest::mouseClick(w.S(1), Qt::LeftButton);
        QTest::keyClicks(w.T(1), QStringLiteral("4"));
        QTest::mouseClick(w.lb(7), Qt::LeftButton);
        EXPECT_TRUE(w.close());
    }
    Form1 form{plataforma};
    VentanaQt w{form, plataforma};
    Mostrar(w);
    EXPECT_TRUE(w.Estado()->text().startsWith(QStringLiteral("Hay un puzzle sin guardar")));
    w.Recuperar()->trigger();
    EXPECT_EQ(form.Tab.CasillaSeg[7], 1);
    EXPECT_EQ(w.T(1)->text(), QStringLiteral("4"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

// The menu lists what Form1 remembers and opens it; a missing file's removal is checked headless
// (sesion_test).
TEST_F(Teclas, RecientesListaLosFicherosYLosAbre) {
    const auto entradas = [&] {
        emit w.MenuRecientes()->aboutToShow();
        return w.MenuRecientes()->actions();
    };
    ASSERT_EQ(entradas().size(), 1);
    EXPECT_EQ(entradas()[0]->text(), QStringLiteral("Ninguno"));
    plataforma.fichero = QStringLiteral(VELMORA_EXAMPLES "/clasico.xml");
    w.Accion(Herramienta::Abrir)->trigger();
    w.Accion(Herramienta::Killer)->trigger();
    ASSERT_EQ(entradas().size(), 1);
    EXPECT_EQ(entradas()[0]->text(), QStringLiteral("&1 ") + plataforma.fichero);
    entradas()[0]->trigger();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Sudoku Normal"));
    EXPECT_TRUE(plataforma.mensajes.empty());
}

} // namespace
} // namespace velmora
