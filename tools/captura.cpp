// Draws the window offscreen and saves it as a PNG image.
//
//   velmora-captura SALIDA.png [--normal] [--abrir FICHERO] [--rapido|--ultra] [--resolver]
//                   [--cancelar MS] [--elegir N] [--numero N] [--suma N TEXTO] [--manual]
//                   [--atajos] [--jugar] [--cifra K D] [--marca K D] [--candidatos]
//
// --normal switches to classic mode; --abrir opens a puzzle file as "Abrir" does; --resolver
// solves it (--cancelar MS first: stopped by "Cancelar" after MS milliseconds); --elegir picks
// segment N (1 to 39) on the palette, --numero digit N (1 to 9, 10 for "Borrar") on the pad;
// --suma puts TEXTO in the sum box of segment N. --manual and --atajos open "Ayuda > Manual" or
// "Ayuda > Atajos de teclado" and draw that window instead. --jugar starts playing the puzzle;
// --cifra and --marca put digit D (1 to 9) or toggle mark D on cell K (1 to 81, row by row, the
// last one keeps the cursor); --candidatos fills every empty cell's marks. Options run in the
// order given.

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "ui/form1.h"
#include "ui/qt/arranque.h"
#include "ui/qt/plataforma_qt.h"
#include "ui/qt/ventana_qt.h"

namespace {

// Nothing waits for a user: the file to open is given, messages go to stderr, and the
// remembered folder stays in a temporary one.
class PlataformaCaptura : public velmora::PlataformaQt {
public:
    QString fichero;
    QTemporaryDir carpeta;

    void MostrarMensaje(std::string_view texto, std::string_view titulo, velmora::Icono) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(titulo.size()), titulo.data(),
                     static_cast<int>(texto.size()), texto.data());
    }
    std::optional<velmora::Eleccion> PedirFichero(const velmora::Dialogo&) override {
        if (fichero.isEmpty()) return std::nullopt;
        return velmora::Eleccion{fichero, QFileInfo(fichero).fileName()};
    }
    QString CarpetaPrograma() override { return carpeta.path(); }
    QString CarpetaConfiguracion() override { return carpeta.path(); }
};

int Uso() {
    std::fputs("uso: velmora-captura SALIDA.png [--normal] [--abrir FICHERO] [--rapido|--ultra] "
               "[--cancelar MS] [--resolver] [--elegir N] [--numero N] [--suma N TEXTO] "
               "[--manual] [--atajos] [--jugar] [--cifra K D] [--marca K D] [--candidatos]\n",
               stderr);
    return 64;
}

} // namespace

int main(int argc, char* argv[]) {
    velmora::PantallaVirtualPorDefecto();
    QApplication app(argc, argv);
    velmora::PrepararAplicacion(app);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--"))) return Uso();
    const QString salida = args.takeFirst();

    PlataformaCaptura plataforma;
    velmora::Form1 form(plataforma);
    velmora::VentanaQt ventana(form, plataforma);
    // The pointer away from the window, so that no tool is drawn hovered.
    QCursor::setPos(ventana.screen()->geometry().bottomRight());
    ventana.show();
    ventana.activateWindow();
    for (int i = 0; i < 100 && !ventana.isActiveWindow(); ++i) {
        QApplication::processEvents();
        QThread::msleep(5);
    }

    auto herramienta = [&](velmora::Herramienta h) { ventana.Accion(h)->trigger(); };
    QWidget* dibujada = &ventana;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        bool ok = true;
        if (a == QLatin1String("--normal")) {
            herramienta(velmora::Herramienta::Normal);
        } else if (a == QLatin1String("--rapido")) {
            ventana.Option1()->click();
        } else if (a == QLatin1String("--ultra")) {
            ventana.Option3()->click();
        } else if (a == QLatin1String("--resolver")) {
            herramienta(velmora::Herramienta::Resolver);
        } else if (a == QLatin1String("--cancelar") && !args.isEmpty()) {
            const int ms = args.takeFirst().toInt(&ok);
            if (!ok || ms < 0) return Uso();
            QTimer::singleShot(ms, &ventana, [&] { herramienta(velmora::Herramienta::Cancelar); });
        } else if (a == QLatin1String("--abrir") && !args.isEmpty()) {
            plataforma.fichero = QFileInfo(args.takeFirst()).absoluteFilePath();
            herramienta(velmora::Herramienta::Abrir);
        } else if (a == QLatin1String("--elegir") && !args.isEmpty()) {
            const int n = args.takeFirst().toInt(&ok);
            if (!ok || n < 1 || n > velmora::kSegmentos) return Uso();
            form.LbN_Click(n - 1);
        } else if (a == QLatin1String("--numero") && !args.isEmpty()) {
            const int n = args.takeFirst().toInt(&ok);
            if (!ok || n < 1 || n > 10) return Uso();
            form.N_Click(n - 1);
        } else if (a == QLatin1String("--suma") && args.size() >= 2) {
            const int n = args.takeFirst().toInt(&ok);
            if (!ok || n < 1 || n > velmora::kSegmentos) return Uso();
            form.AnotarCambio();
            form.T[n - 1] = args.takeFirst().toStdString();
            form.AnotarCambio();
        } else if (a == QLatin1String("--manual") || a == QLatin1String("--atajos")) {
            QAction* ayuda =
                a == QLatin1String("--manual") ? ventana.Manual() : ventana.AtajosDeTeclado();
            ayuda->trigger();
            dibujada = ventana.findChild<QWidget*>(a == QLatin1String("--manual")
                                                       ? QStringLiteral("Manual")
                                                       : QStringLiteral("Atajos"));
        } else if (a == QLatin1String("--jugar")) {
            ventana.findChild<QAction*>(QStringLiteral("Jugar"))->trigger();
        } else if (a == QLatin1String("--candidatos")) {
            form.PonerCandidatos();
        } else if ((a == QLatin1String("--cifra") || a == QLatin1String("--marca")) &&
                   args.size() >= 2) {
            bool ok2 = false;
            const int k = args.takeFirst().toInt(&ok);
            const int d = args.takeFirst().toInt(&ok2);
            if (!ok || !ok2 || k < 1 || k > velmora::kCasillas || d < 1 || d > 9) return Uso();
            form.lb_Click(k - 1);
            form.JugarCifra(d, a == QLatin1String("--marca"));
        } else {
            return Uso();
        }
        ventana.Actualizar();
    }
    QApplication::processEvents();

    if (!dibujada->grab().save(salida)) {
        std::fprintf(stderr, "no se pudo escribir %s\n",
                     qPrintable(QDir::toNativeSeparators(salida)));
        return 1;
    }
    return 0;
}
