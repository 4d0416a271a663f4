// The window program: one window, Form1, on Qt Widgets.

#include <QApplication>

#include "ui/form1.h"
#include "ui/qt/arranque.h"
#include "ui/qt/plataforma_qt.h"
#include "ui/qt/ventana_qt.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::PrepararAplicacion(app);

    velmora::PlataformaQt plataforma;
    velmora::Form1 form(plataforma);
    velmora::VentanaQt ventana(form, plataforma);
    // `velmora FICHERO`, as the desktop entry runs it.
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() > 1) ventana.AbrirAlEmpezar(argumentos.at(1));
    ventana.show();
    // Start-up finishes when the window first becomes active; ask for it where no window
    // manager gives it.
    ventana.activateWindow();
    return QApplication::exec();
}
