// velmora-bench-ventana: the real window (offscreen) solving the benchmark puzzles in each
// calculation mode, timed against the bare search of the same puzzle in the same run; event
// passes and repaints per second during the solve; and how long "Cancelar" takes to stop a
// running solve.
//
//   velmora-bench-ventana [--repeticiones N] [--intentos N] [--semilla N] [--comprobacion]
//                         [CARPETA_DE_SUDOKUS]
//
// --comprobacion: only how long Cancelar takes to stop "Comprobar solución única".
//
// Per mode (best of N): seconds; "veces", the ratio to the bare search and its target; per second
// of solve, the event passes that ran the event loop, the passes that repainted the move
// counter, the counter's captions shown and the passes that repainted the grid; "en pasadas",
// the share of the solve spent inside those passes. Exit status 1 when the window ends with other
// moves or another grid than the bare search, or a cancel is not honoured; targets missed are
// only reported.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "files/puzzle_xml.h"
#include "lineas.h"
#include "model/busqueda.h"
#include "sin_pantalla.h"
#include "solver/veredicto.h"
#include "ui/form1.h"
#include "ui/qt/arranque.h"
#include "ui/qt/guion.h"
#include "ui/qt/ventana_qt.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
using namespace velmora::banco;

double Milisegundos(Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Resultado {
    double segundos = 0;
    int64_t movimientos = 0;
    std::string rejilla;
};

// The bare search, best of `repeticiones` runs.
std::optional<Resultado> Cruda(const QString& ruta, int repeticiones) {
    Tablero puzzle;
    const Apertura a = AbrirPuzzle(ruta);
    const Enunciado& e = a.enunciado;
    if (!a.completo) return std::nullopt;
    Resultado r;
    for (int i = 0; i < repeticiones; ++i) {
        Tablero t = puzzle;
        const auto inicio = Reloj::now();
        const std::optional<FinBusqueda> fin = ResolverSinPantalla(t, e);
        const double s = Segundos(Reloj::now() - inicio);
        if (!fin || fin->final != Final::Resuelto) return std::nullopt;
        if (i == 0 || s < r.segundos) r.segundos = s;
        r.movimientos = t.Movimientos;
        r.rejilla = TextoRejilla(t.Matriz, "");
    }
    return r;
}

// Counts the event passes in which one of the watched widgets was painted, and the different
// captions painted in a row.
class Pintadas : public QObject {
public:
    explicit Pintadas(const PlataformaQt& p) : plataforma_(p) {}
    int pasadas = 0, cambios = 0;
    void Empezar() {
        pasadas = cambios = 0;
        ultima_ = -1;
        texto_.clear();
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        if (plataforma_.Pasadas() != ultima_) {
            ultima_ = plataforma_.Pasadas();
            ++pasadas;
        }
        if (auto* l = qobject_cast<QLabel*>(o); l && l->text() != texto_) {
            texto_ = l->text();
            ++cambios;
        }
        return false;
    }

private:
    const PlataformaQt& plataforma_;
    int ultima_ = -1;
    QString texto_;
};

// printf's widths count bytes; these captions have accents.
std::string Ajustar(std::string_view s, size_t ancho) {
    size_t letras = 0;
    for (const char c : s)
        letras += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return std::string(s) + std::string(ancho > letras ? ancho - letras : 0, ' ');
}

struct Modo {
    ModoCalculo modo;
    const char* nombre;
    double objetivo; // the most the window may take, in multiples of the bare search
};

constexpr std::array<Modo, 3> kModos = {{{ModoCalculo::UltraRapido, "Ultra-Rápido", 1.3},
                                         {ModoCalculo::Rapido, "Rápido", 1.5},
                                         {ModoCalculo::Interactivo, "Interactivo", 10.0}}};
constexpr double kPasadasMinimas = 30;
constexpr double kLatenciaMaxima = 100;

// The window, and the user's gestures on it.
class Banco {
public:
    Banco() : ventana_(form_, plataforma_) {
        ventana_.show();
        ventana_.activateWindow();
        if (!QTest::qWaitForWindowActive(&ventana_))
            std::fprintf(stderr, "la ventana no se activa\n");
        ventana_.LbM()->installEventFilter(&pintadasContador_);
        for (int k = 0; k < kCasillas; ++k)
            ventana_.lb(k)->installEventFilter(&pintadasRejilla_);
    }

    QToolButton* Boton(Herramienta h) {
        return qobject_cast<QToolButton*>(
            ventana_.findChild<QToolBar*>()->widgetForAction(ventana_.Accion(h)));
    }
    void Pulsar(Herramienta h) { QTest::mouseClick(Boton(h), Qt::LeftButton); }

    bool Abrir(const QString& ruta) {
        plataforma_.fichero = QFileInfo(ruta).absoluteFilePath();
        const size_t mensajes = plataforma_.mensajes.size();
        Pulsar(Herramienta::Abrir);
        plataforma_.fichero.clear();
        return plataforma_.mensajes.size() == mensajes;
    }

    bool Elegir(ModoCalculo modo) {
        QRadioButton* o = modo == ModoCalculo::Rapido        ? ventana_.Option1()
                          : modo == ModoCalculo::Interactivo ? ventana_.Option2()
                                                             : ventana_.Option3();
        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
        return form_.Opcion == modo;
    }

    struct Solucion {
        double segundos, enPasadas;
        int pasadas;
        int pasadasContador, textosContador; // passes that painted LbM; captions it showed
        int pasadasRejilla;                  // passes that painted a grid cell
        int64_t movimientos;
        std::string rejilla;
        bool cancelado, resolviendo;
    };

    Solucion Resolver() {
        const int pasadas = plataforma_.Pasadas();
        const qint64 enPasadas = plataforma_.NanosEnPasadas();
        pintadasContador_.Empezar();
        pintadasRejilla_.Empezar();
        const auto inicio = Reloj::now();
        Pulsar(Herramienta::Resolver);
        const double s = Segundos(Reloj::now() - inicio);
        return {s,
                (plataforma_.NanosEnPasadas() - enPasadas) / 1e9,
                plataforma_.Pasadas() - pasadas,
                pintadasContador_.pasadas,
                pintadasContador_.cambios,
                pintadasRejilla_.pasadas,
                form_.Tab.Movimientos,
                TextoRejilla(form_.Tab.Matriz, ""),
                form_.Tab.Cancelado,
                form_.Resolviendo()};
    }

    // The puzzle painted as opening it does, then "Comprobar solución única" to its end.
    void Pintar(const Enunciado& e) {
        form_.AnotarCambio();
        form_.PintarEnunciado(e);
        form_.AnotarCambio();
        ventana_.Actualizar();
    }
    void Comprobar() { ventana_.Comprobar()->trigger(); }

    QWidget& Ventana() { return ventana_; }
    const Form1& Form() const { return form_; }
    int Mensajes() const { return static_cast<int>(plataforma_.mensajes.size()); }

private:
    PlataformaGuion plataforma_;
    Form1 form_{plataforma_};
    VentanaQt ventana_;
    Pintadas pintadasContador_{plataforma_}, pintadasRejilla_{plataforma_};
};

bool MedirSoluciones(Banco& b, const QString& ruta, int repeticiones) {
    std::printf("%s\n", qPrintable(QFileInfo(ruta).fileName()));
    const std::optional<Resultado> cruda = Cruda(ruta, repeticiones);
    if (!cruda) {
        std::fprintf(stderr, "no se puede resolver el sudoku sin ventana\n");
        return false;
    }
    std::printf("  búsqueda sin ventana  %7.3f s  %lld movimientos (mejor de %d)\n",
                cruda->segundos, static_cast<long long>(cruda->movimientos), repeticiones);
    std::printf("  %s %7s %7s %8s %10s %11s %11s %9s %10s\n", Ajustar("modo", 13).c_str(), "s",
                "veces", "objetivo", "pasadas/s", "en pasadas", "contador/s", "textos/s",
                "rejilla/s");
    bool bien = true;
    for (const Modo& m : kModos) {
        std::optional<Banco::Solucion> mejor;
        for (int i = 0; i < repeticiones; ++i) {
            if (!b.Abrir(ruta)) {
                std::fprintf(stderr, "no se puede abrir %s\n", qPrintable(ruta));
                return false;
            }
            if (!b.Elegir(m.modo)) {
                std::fprintf(stderr, "no se puede elegir el modo %s\n", m.nombre);
                return false;
            }
            const int mensajes = b.Mensajes();
            const Banco::Solucion s = b.Resolver();
            if (s.movimientos != cruda->movimientos || s.rejilla != cruda->rejilla || s.cancelado ||
                s.resolviendo || b.Mensajes() != mensajes) {
                std::fprintf(stderr, "  %s: la ventana termina con %lld movimientos, %s\n",
                             m.nombre, static_cast<long long>(s.movimientos), s.rejilla.c_str());
                bien = false;
            }
            if (!mejor || s.segundos < mejor->segundos) mejor = s;
        }
        const double ratio = mejor->segundos / cruda->segundos;
        const double pasadas = mejor->pasadas / mejor->segundos;
        const bool cumple = ratio <= m.objetivo && pasadas >= kPasadasMinimas;
        const double s = mejor->segundos;
        std::printf("  %s %7.3f %7.2f %8.1f %10.1f %10.1f%% %11.1f %9.1f %10.1f  %s\n",
                    Ajustar(m.nombre, 13).c_str(), s, ratio, m.objetivo, pasadas,
                    100 * mejor->enPasadas / s, mejor->pasadasContador / s,
                    mejor->textosContador / s, mejor->pasadasRejilla / s,
                    cumple ? "bien" : "FUERA DE OBJETIVO");
    }
    return bien;
}

// Starts a solve and has "Cancelar" clicked from outside at a random moment: the click is
// posted from another thread, as a window system delivers a user's click, and the latency runs
// from that post (and from its delivery) to the solve's return.
bool MedirCancelaciones(Banco& b, const QString& ruta, int intentos, std::mt19937& azar) {
    std::printf("Cancelar durante %s (%d intentos por modo, clic a 150-450 ms)\n",
                qPrintable(QFileInfo(ruta).fileName()), intentos);
    std::printf("  %s  máx ms desde el clic (media)  máx ms desde su entrega\n",
                Ajustar("modo", 13).c_str());
    std::uniform_int_distribution<int> momento(150, 450);
    bool bien = true;
    for (const Modo& m : kModos) {
        double maxPublicado = 0, maxEntregado = 0, suma = 0;
        int medidos = 0;
        for (int i = 0; i < intentos; ++i) {
            if (!b.Abrir(ruta) || !b.Elegir(m.modo)) return false;
            Reloj::time_point publicado{}, entregado{};
            const auto inicio = Reloj::now();
            const auto cuando = inicio + std::chrono::milliseconds(momento(azar));
            std::thread usuario([&] {
                std::this_thread::sleep_until(cuando);
                publicado = Reloj::now();
                QMetaObject::invokeMethod(
                    &b.Ventana(),
                    [&] {
                        entregado = Reloj::now();
                        b.Pulsar(Herramienta::Cancelar);
                    },
                    Qt::QueuedConnection);
            });
            const Banco::Solucion s = b.Resolver();
            const auto fin = Reloj::now();
            usuario.join();
            QCoreApplication::sendPostedEvents(); // a click that came too late, while in scope
            if (!s.cancelado || entregado == Reloj::time_point{}) {
                std::fprintf(stderr, "  %s: la búsqueda terminó antes del clic\n", m.nombre);
                bien = false;
                continue;
            }
            const double desdeClic = Milisegundos(fin - publicado);
            maxPublicado = std::max(maxPublicado, desdeClic);
            maxEntregado = std::max(maxEntregado, Milisegundos(fin - entregado));
            suma += desdeClic;
            ++medidos;
            if (b.Form().Habilitada(Herramienta::Cancelar) ||
                !b.Form().Habilitada(Herramienta::Resolver)) {
                std::fprintf(stderr, "  %s: las herramientas no vuelven a su estado\n", m.nombre);
                bien = false;
            }
        }
        std::printf("  %s %22.1f (%4.1f) %24.2f  %s\n", Ajustar(m.nombre, 13).c_str(), maxPublicado,
                    medidos ? suma / medidos : 0.0, maxEntregado,
                    maxPublicado <= kLatenciaMaxima ? "bien" : "FUERA DE OBJETIVO");
    }
    return bien;
}

// "Comprobar solución única" runs off the window's thread: Cancelar during it, on the verdict's
// slowest puzzles of bench/data, until the tools are back.
bool MedirCancelarComprobacion(Banco& b, int intentos) {
    constexpr double kObjetivo = 50;
    std::vector<std::pair<double, Enunciado>> lentos;
    for (const char* conjunto : {"killer_parcial_minimo", "killer_grandes", "killer_seis_a_nueve"})
        for (const lineas::Linea& l :
             lineas::LeerFichero(std::string(VELMORA_DATOS_BANCO "/") + conjunto + ".txt")) {
            Tablero t;
            if (Validar(t, l.e)) continue;
            const auto inicio = Reloj::now();
            Juzgar(t);
            lentos.emplace_back(Milisegundos(Reloj::now() - inicio), l.e);
        }
    std::sort(lentos.begin(), lentos.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    lentos.resize(std::min<size_t>(lentos.size(), 5));
    std::printf("Cancelar durante la comprobación (F7), los %zu sudokus más lentos (%.0f-%.0f ms), "
                "clic a 15 ms, %d intentos cada uno\n",
                lentos.size(), lentos.empty() ? 0.0 : lentos.back().first,
                lentos.empty() ? 0.0 : lentos.front().first, intentos);
    double peor = 0, suma = 0;
    int medidos = 0, antes = 0;
    bool bien = true;
    for (const auto& [ms, e] : lentos)
        for (int i = 0; i < intentos; ++i) {
            b.Pintar(e);
            Reloj::time_point entregado{};
            std::thread usuario([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(15));
                QMetaObject::invokeMethod(
                    &b.Ventana(),
                    [&] {
                        entregado = Reloj::now();
                        b.Pulsar(Herramienta::Cancelar);
                    },
                    Qt::QueuedConnection);
            });
            b.Comprobar();
            const auto fin = Reloj::now();
            usuario.join();
            QCoreApplication::sendPostedEvents();
            if (entregado == Reloj::time_point{}) {
                ++antes;
                continue;
            }
            const double d = Milisegundos(fin - entregado);
            peor = std::max(peor, d);
            suma += d;
            ++medidos;
            if (!b.Form().Habilitada(Herramienta::Resolver) || b.Form().Resolviendo()) {
                std::fprintf(stderr, "  las herramientas no vuelven a su estado\n");
                bien = false;
            }
        }
    std::printf("  máx ms desde el clic hasta las herramientas libres %.1f (media %.1f, %d "
                "medidos, %d terminaron antes)  %s\n",
                peor, medidos ? suma / medidos : 0.0, medidos, antes,
                peor <= kObjetivo ? "bien" : "FUERA DE OBJETIVO");
    return bien;
}

int Uso() {
    std::fputs("Uso: velmora-bench-ventana [--repeticiones N] [--intentos N] [--semilla N] "
               "[--comprobacion] "
               "[CARPETA_DE_SUDOKUS]\n",
               stderr);
    return 64;
}

} // namespace

int main(int argc, char* argv[]) {
    velmora::PantallaVirtualPorDefecto();
    QApplication app(argc, argv);
    PrepararAplicacion(app);

    QString carpeta = QStringLiteral(VELMORA_DATOS);
    int repeticiones = 3, intentos = 5;
    bool soloComprobacion = false;
    unsigned semilla = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--repeticiones" && i + 1 < argc) {
            repeticiones = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--intentos" && i + 1 < argc) {
            intentos = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--semilla" && i + 1 < argc) {
            semilla = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == "--comprobacion") {
            soloComprobacion = true;
        } else if (a.starts_with("-")) {
            return Uso();
        } else {
            carpeta = QString::fromLocal8Bit(argv[i]);
        }
    }
    std::printf("semilla %u\n", semilla);
    std::mt19937 azar(semilla);

    Banco banco;
    if (soloComprobacion) return MedirCancelarComprobacion(banco, intentos) ? 0 : 1;
    const QString largo = carpeta + QStringLiteral("/clasico_176m.xml");
    bool bien = true;
    for (const QString& ruta : {largo, carpeta + QStringLiteral("/killer_bench.xml")})
        bien = MedirSoluciones(banco, ruta, repeticiones) && bien;
    bien = MedirCancelaciones(banco, largo, intentos, azar) && bien;
    bien = MedirCancelarComprobacion(banco, intentos) && bien;
    return bien ? 0 : 1;
}
