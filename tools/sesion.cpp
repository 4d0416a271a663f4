// A scripted session of the window, offscreen, driven through its widgets as a user would: clicks
// on labels and tools, keys in the sum boxes. It checks the board and the captions after every
// step and ends with status 0 when all went as expected. Meant to run under valgrind.
//
//   velmora-sesion [--ciclos N] [--datos CARPETA]
//
// Without --ciclos: draws a Killer puzzle and solves it, enters digits in classic mode and
// solves them, starts the long classic puzzle and cancels it, saves it, opens it again and
// closes the window. With --ciclos N: starts and cancels the long puzzle N times, printing the
// resident memory at the start, after the first cycle, every 100 cycles and at the end.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/form1.h"
#include "ui/qt/arranque.h"
#include "ui/qt/guion.h"
#include "ui/qt/ventana_qt.h"

namespace {

using namespace velmora;

constexpr int64_t kMovimientosLargo = 176357043; // the long puzzle's full solve

long RssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& linea : f.readAll().split('\n'))
        if (linea.startsWith("VmRSS:")) return linea.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class Sesion {
public:
    explicit Sesion(QString datos) : datos_(std::move(datos)), ventana_(form_, plataforma_) {
        // "Cancelar" clicked after a number of event passes, the way a user's click arrives:
        // queued, and delivered by the next pass.
        plataforma_.alPasar = [this] {
            if (cancelarTras_ > 0 && --cancelarTras_ == 0)
                QMetaObject::invokeMethod(
                    qApp, [this] { Herramienta(velmora::Herramienta::Cancelar); },
                    Qt::QueuedConnection);
        };
        ventana_.show();
        ventana_.activateWindow();
        Comprobar(QTest::qWaitForWindowActive(&ventana_), "la ventana se activa");
    }

    int Fallos() const { return fallos_; }

    void Paso(const char* nombre) {
        paso_ = nombre;
        std::printf("%s\n", nombre);
        std::fflush(stdout);
    }

    bool Comprobar(bool ok, const std::string& que) {
        if (!ok) {
            ++fallos_;
            std::fprintf(stderr, "FALLO en «%s»: %s\n", paso_, que.c_str());
        }
        return ok;
    }

    // ---- Gestures ---------------------------------------------------------------------------
    void Pulsar(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void Herramienta(velmora::Herramienta h) {
        auto* boton = qobject_cast<QToolButton*>(
            ventana_.findChild<QToolBar*>()->widgetForAction(ventana_.Accion(h)));
        QTest::mouseClick(boton, Qt::LeftButton);
    }
    void Modo(ModoCalculo m) {
        Pulsar(m == ModoCalculo::Rapido        ? ventana_.Option1()
               : m == ModoCalculo::Interactivo ? ventana_.Option2()
                                               : ventana_.Option3());
        Comprobar(form_.Opcion == m, "el modo de cálculo elegido");
    }
    void Abrir(const QString& ruta) {
        plataforma_.fichero = ruta;
        Herramienta(velmora::Herramienta::Abrir);
        plataforma_.fichero.clear();
    }
    QString Largo() const { return datos_ + QStringLiteral("/clasico_176m.xml"); }

    // ---- Checks -----------------------------------------------------------------------------
    std::string Texto(const QString& s) { return s.toStdString(); }
    void Titulo(const char* esperado) {
        Comprobar(ventana_.windowTitle() == QString::fromUtf8(esperado),
                  "título «" + Texto(ventana_.windowTitle()) + "», se esperaba «" + esperado + "»");
    }
    void SinMensajes() {
        for (const auto& m : plataforma_.mensajes)
            Comprobar(false, "mensaje inesperado «" + Texto(m.titulo) + "»");
        plataforma_.mensajes.clear();
    }
    void Casilla(int k, const char* texto) {
        Comprobar(ventana_.lb(k)->text() == QString::fromUtf8(texto),
                  "casilla " + std::to_string(k) + " dice «" + Texto(ventana_.lb(k)->text()) +
                      "», se esperaba «" + texto + "»");
    }
    void Fondo(QWidget* w, const QColor& c, const std::string& que) {
        const QColor f = static_cast<Rotulo*>(w)->Fondo();
        Comprobar(f == c, que + ": fondo " + Texto(f.name()) + ", se esperaba " + Texto(c.name()));
    }
    int Digito(int k) {
        const QString t = ventana_.lb(k)->text();
        return t.size() == 1 && t[0] >= QLatin1Char('1') && t[0] <= QLatin1Char('9')
                   ? t[0].unicode() - '0'
                   : 0;
    }
    // Every cell holds a digit and every row, column and box holds each digit once.
    void RejillaResuelta() {
        for (int k = 0; k < kCasillas; ++k)
            if (!Comprobar(Digito(k) > 0, "casilla " + std::to_string(k) + " sin dígito")) return;
        for (int u = 0; u < 9; ++u) {
            std::set<int> fila, col, cuad;
            for (int j = 0; j < 9; ++j) {
                fila.insert(Digito(9 * u + j));
                col.insert(Digito(9 * j + u));
                cuad.insert(Digito(9 * (3 * (u / 3) + j / 3) + 3 * (u % 3) + j % 3));
            }
            Comprobar(fila.size() == 9 && col.size() == 9 && cuad.size() == 9,
                      "la unidad " + std::to_string(u) + " repite un dígito");
        }
    }
    void HerramientasEnReposo() {
        Comprobar(!ventana_.Accion(velmora::Herramienta::Cancelar)->isEnabled(),
                  "«Cancelar» deshabilitada");
        for (auto h : {velmora::Herramienta::Nuevo, velmora::Herramienta::Abrir,
                       velmora::Herramienta::Guardar, velmora::Herramienta::Vaciar,
                       velmora::Herramienta::Resolver})
            Comprobar(ventana_.Accion(h)->isEnabled(),
                      "«" + std::string(kTitulosHerramientas[static_cast<int>(h)]) +
                          "» habilitada");
        Comprobar(!ventana_.T(0)->isReadOnly(), "las sumas vuelven a ser editables");
        Comprobar(!form_.Resolviendo(), "la búsqueda ha terminado");
    }
    // Solves the long puzzle on the board and has it cancelled after `pasadas` event passes.
    void ResolverYCancelar(int pasadas) {
        cancelarTras_ = pasadas;
        Herramienta(velmora::Herramienta::Resolver);
        const bool cancelado = cancelarTras_ == 0 && form_.Tab.Cancelado;
        cancelarTras_ = 0;
        Comprobar(cancelado, "la búsqueda se cancela");
        Comprobar(form_.Tab.Movimientos > 0 && form_.Tab.Movimientos < kMovimientosLargo,
                  "se cancela a medias (" + std::to_string(form_.Tab.Movimientos) +
                      " movimientos)");
        HerramientasEnReposo();
        SinMensajes();
    }

    // ---- The session ------------------------------------------------------------------------
    void Arranque() {
        Paso("arranque");
        Titulo("Sudoku Killer");
        Comprobar(ventana_.Panel_Killer()->isVisible() && !ventana_.Panel_Normal()->isVisible(),
                  "se ve el panel Killer");
        Comprobar(!ventana_.Accion(velmora::Herramienta::Cancelar)->isEnabled() &&
                      !ventana_.Accion(velmora::Herramienta::Killer)->isEnabled() &&
                      ventana_.Accion(velmora::Herramienta::Normal)->isEnabled(),
                  "herramientas del arranque");
        Comprobar(ventana_.LbM()->text() == QStringLiteral("0") &&
                      ventana_.LbPor()->text() == QStringLiteral("0 %") &&
                      !ventana_.PBar()->isVisible(),
                  "progreso a cero");
        Comprobar(ventana_.LbN(38)->text() == QStringLiteral("39"), "números de la paleta");
        Comprobar(ventana_.Option2()->isChecked(), "«Interactivo» elegido");
    }

    void MensajeModal() {
        Paso("mensaje modal");
        plataforma_.mensajesReales = true;
        QString boton;
        QTimer::singleShot(0, &ventana_, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!caja) return;
            boton = caja->button(QMessageBox::Ok)->text().remove(QLatin1Char('&'));
            caja->button(QMessageBox::Ok)->click();
        });
        Pulsar(ventana_.lb(40)); // no segment picked
        plataforma_.mensajesReales = false;
        // Offscreen, the window takes the keyboard back once the event loop has run.
        Comprobar(QTest::qWaitForWindowActive(&ventana_), "la ventana vuelve a estar activa");
        Comprobar(plataforma_.mensajes.size() == 1 &&
                      plataforma_.mensajes[0].titulo == QStringLiteral("Segmento sin seleccionar"),
                  "el mensaje de casilla sin segmento");
        Comprobar(boton == QStringLiteral("Aceptar"), "el botón dice «Aceptar»");
        plataforma_.mensajes.clear();
        Fondo(ventana_.lb(40), QColor(255, 255, 255), "la casilla sigue libre");
    }

    void DibujarKiller() {
        Paso("dibujar un Killer");
        struct Segmento {
            int i;
            const char* suma;
            std::vector<int> casillas;
        };
        // {1, 2} and {8, 9} are the only sets for these sums, and one cell takes its sum.
        const Segmento segmentos[] = {{0, "3", {0, 1}}, {1, "17", {9, 10}}, {2, "7", {2, 3}}};
        for (const Segmento& s : segmentos) {
            Pulsar(ventana_.S(s.i));
            Comprobar(QApplication::focusWidget() == ventana_.T(s.i),
                      "el foco pasa a la suma " + std::to_string(s.i));
            QTest::keyClicks(ventana_.T(s.i), QString::fromLatin1(s.suma));
            for (const int k : s.casillas)
                Pulsar(ventana_.lb(k));
        }
        // Cell 3 was a slip: erased again.
        Pulsar(ventana_.LbDel());
        Fondo(ventana_.LbDel(), QColor(0, 0, 0), "«Borrar» marcado");
        Pulsar(ventana_.lb(3));
        for (const Segmento& s : segmentos) {
            Comprobar(form_.T[s.i] == s.suma && ventana_.T(s.i)->text() == s.suma,
                      "la suma " + std::to_string(s.i));
            for (const int k : s.casillas)
                if (k != 3)
                    Fondo(ventana_.lb(k), ventana_.S(s.i)->Fondo(),
                          "la casilla " + std::to_string(k) + " toma el color del segmento");
        }
        Fondo(ventana_.lb(3), QColor(255, 255, 255), "la casilla borrada");
        Comprobar(form_.Tab.CasillaSeg[3] == -1 && form_.Tab.CasillaSeg[10] == 1,
                  "segmentos de las casillas");
        SinMensajes();
    }

    void ResolverKiller() {
        Paso("resolver el Killer");
        Modo(ModoCalculo::UltraRapido);
        Herramienta(velmora::Herramienta::Resolver);
        SinMensajes();
        RejillaResuelta();
        Comprobar(Digito(0) + Digito(1) == 3 && Digito(9) + Digito(10) == 17 && Digito(2) == 7,
                  "las sumas de los segmentos");
        Comprobar(ventana_.LbPor()->text() == QStringLiteral("100 %") &&
                      ventana_.PBar()->isVisible() && ventana_.PBar()->value() == 100,
                  "progreso al 100 %");
        Comprobar(ventana_.LbM()->text() != QStringLiteral("0") &&
                      !ventana_.LbM()->text().contains(QLatin1Char('|')),
                  "el contador muestra los movimientos, no el giro");
        HerramientasEnReposo();
    }

    void NormalConTeclado() {
        Paso("modo Normal y teclado");
        Herramienta(velmora::Herramienta::Normal);
        Titulo("Sudoku Normal");
        Comprobar(ventana_.Panel_Normal()->isVisible() && !ventana_.Panel_Killer()->isVisible(),
                  "se ve el panel Normal");
        for (int k = 0; k < kCasillas; ++k)
            Casilla(k, "");
        Pulsar(ventana_.N(4));
        Fondo(ventana_.N(4), QColor(0, 0, 0), "el 5 marcado");
        Pulsar(ventana_.lb(0));
        Pulsar(ventana_.N(2));
        Fondo(ventana_.N(4), QColor(255, 255, 192), "el 5 ya no");
        Pulsar(ventana_.lb(40));
        Pulsar(ventana_.lb(80));
        Pulsar(ventana_.N(9)); // "Borrar"
        Pulsar(ventana_.lb(80));
        Casilla(0, "5");
        Casilla(40, "3");
        Casilla(80, "");
        Fondo(ventana_.lb(0), QColor(0, 0, 0), "la fija");
        Fondo(ventana_.lb(80), QColor(255, 255, 255), "la borrada");

        Modo(ModoCalculo::Rapido);
        Herramienta(velmora::Herramienta::Resolver);
        SinMensajes();
        RejillaResuelta();
        Casilla(0, "5");
        Casilla(40, "3");
        Comprobar(ventana_.LbPor()->text() == QStringLiteral("100 %"), "progreso al 100 %");
        HerramientasEnReposo();
    }

    void LargoCancelado() {
        Paso("resolución larga cancelada");
        Abrir(Largo());
        SinMensajes();
        Titulo("Sudoku Normal");
        fijas_.clear();
        for (int k = 0; k < kCasillas; ++k)
            if (ventana_.lb(k)->Fondo() == QColor(0, 0, 0)) fijas_.emplace_back(k, Digito(k));
        Comprobar(fijas_.size() >= 17, "el sudoku largo trae sus fijas");
        Modo(ModoCalculo::Interactivo);
        ResolverYCancelar(3);
        for (const auto& [k, d] : fijas_)
            Comprobar(Digito(k) == d, "la fija " + std::to_string(k) + " sigue");
        Comprobar(ventana_.PBar()->isVisible() && ventana_.LbM()->text() != QStringLiteral("0"),
                  "el progreso muestra la búsqueda parada");
    }

    void GuardarYAbrir() {
        Paso("guardar y abrir");
        const QString ruta = plataforma_.carpeta.filePath(QStringLiteral("sesion.xml"));
        plataforma_.fichero = ruta;
        Herramienta(velmora::Herramienta::Guardar);
        plataforma_.fichero.clear();
        SinMensajes();
        // The long puzzle's file is in the writer's own form: saving gives it back byte for byte.
        QFile guardado(ruta), original(Largo());
        Comprobar(guardado.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly) &&
                      guardado.readAll() == original.readAll(),
                  "el fichero guardado es igual al abierto");
        for (int k = 0; k < kCasillas; ++k)
            if (ventana_.lb(k)->Fondo() != QColor(0, 0, 0)) Casilla(k, ""); // emptied by saving

        Herramienta(velmora::Herramienta::Killer);
        Titulo("Sudoku Killer");
        Abrir(ruta);
        SinMensajes();
        Titulo("Sudoku Normal");
        size_t fijas = 0;
        for (int k = 0; k < kCasillas; ++k) {
            if (ventana_.lb(k)->Fondo() != QColor(0, 0, 0)) {
                Casilla(k, "");
                continue;
            }
            ++fijas;
            const auto e = std::find_if(fijas_.begin(), fijas_.end(),
                                        [k](const auto& f) { return f.first == k; });
            Comprobar(e != fijas_.end() && e->second == Digito(k),
                      "la fija " + std::to_string(k) + " vuelve del fichero");
        }
        Comprobar(fijas == fijas_.size(), "tantas fijas como se guardaron");
    }

    void Cerrar() {
        Paso("cerrar");
        ventana_.close();
        QApplication::processEvents();
        Comprobar(!ventana_.isVisible(), "la ventana se cierra");
    }

    // Starts and cancels the long puzzle n times, in each mode in turn.
    void Ciclos(int n) {
        Paso("ciclos");
        Abrir(Largo());
        SinMensajes();
        const long inicio = RssKb();
        std::printf("VmRSS inicio %ld kB\n", inicio);
        constexpr std::array<ModoCalculo, 3> modos = {ModoCalculo::UltraRapido, ModoCalculo::Rapido,
                                                      ModoCalculo::Interactivo};
        for (int i = 1; i <= n; ++i) {
            Modo(modos[static_cast<size_t>(i) % modos.size()]);
            ResolverYCancelar(3);
            if (i == 1 || i % 100 == 0 || i == n)
                std::printf("VmRSS tras %d ciclo%s %ld kB\n", i, i == 1 ? "" : "s", RssKb());
            std::fflush(stdout);
            if (fallos_ > 0) break;
        }
        std::printf("VmRSS fin %ld kB (%+ld kB)\n", RssKb(), RssKb() - inicio);
    }

private:
    QString datos_;
    PlataformaGuion plataforma_;
    int cancelarTras_ = 0; // > 0: passes left before "Cancelar" is clicked
    Form1 form_{plataforma_};
    VentanaQt ventana_;
    const char* paso_ = "arranque";
    int fallos_ = 0;
    std::vector<std::pair<int, int>> fijas_; // the long puzzle's given cells and digits
};

int Uso() {
    std::fputs("uso: velmora-sesion [--ciclos N] [--datos CARPETA]\n", stderr);
    return 64;
}

} // namespace

int main(int argc, char* argv[]) {
    velmora::PantallaVirtualPorDefecto();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    PrepararAplicacion(app);

    int ciclos = 0;
    QString datos = QStringLiteral(VELMORA_DATOS);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        bool ok = true;
        if (a == QLatin1String("--ciclos") && !args.isEmpty())
            ciclos = args.takeFirst().toInt(&ok);
        else if (a == QLatin1String("--datos") && !args.isEmpty())
            datos = args.takeFirst();
        else
            return Uso();
        if (!ok || ciclos < 0) return Uso();
    }

    Sesion s(datos);
    s.Arranque();
    if (ciclos > 0) {
        s.Ciclos(ciclos);
    } else {
        s.MensajeModal();
        s.DibujarKiller();
        s.ResolverKiller();
        s.NormalConTeclado();
        s.LargoCancelado();
        s.GuardarYAbrir();
    }
    s.Cerrar();
    if (s.Fallos() > 0) {
        std::fprintf(stderr, "%d comprobaciones fallidas\n", s.Fallos());
        return 1;
    }
    std::printf("bien\n");
    return 0;
}
