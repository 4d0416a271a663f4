// velmora-cli: checks or solves a puzzle file exactly as the window does, without the window.

#include <unistd.h>

#include <QFile>
#include <QLocale>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "files/puzzle_xml.h"
#include "model/busqueda.h"
#include "paralelo.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;

constexpr int kSalidaResuelto = 0, kSalidaSinSolucion = 1, kSalidaError = 2, kSalidaUso = 64;

constexpr std::string_view kAyuda =
    "Uso: velmora-cli [--quiet] [--jobs N] solve FICHERO\n"
    "     velmora-cli check FICHERO\n"
    "\n"
    "  solve   Lee el sudoku del fichero XML, lo valida y lo resuelve como la ventana.\n"
    "          Escribe la cuadrícula (nueve líneas; '.' para una casilla vacía) y la\n"
    "          línea 'Movimientos: N'. Salida 0 si se resuelve, 1 si no tiene solución,\n"
    "          2 si el fichero no se puede leer o el sudoku no es válido.\n"
    "  check   Solo lee y valida el fichero: salida 0 si es válido, 2 si no.\n"
    "\n"
    "  --quiet   No muestra el progreso mientras resuelve.\n"
    "  --jobs N  Resuelve con N hilos, de 1 a 1024; por omisión, uno por núcleo. El\n"
    "            resultado y los movimientos son los mismos que con un solo hilo.\n"
    "  --help    Muestra esta ayuda.\n"
    "\n"
    "Los mensajes de la ventana se escriben en la salida de errores como 'título: texto'.\n";

// The window's part in a solve, played on a terminal: messages go to stderr, and the progress
// line is refreshed a few times a second when stderr is a terminal.
class Consola final : public Plataforma {
public:
    explicit Consola(bool progreso)
        : Plataforma(0x4000), progreso_(progreso),
          separador_(QLocale::system().groupSeparator().toStdString()) {}

    Tablero t;
    Progreso p;
    Enunciado e;

    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono) override {
        BorrarLinea();
        std::cerr << titulo << ": " << texto << '\n';
    }

    void Bombear() override {
        if (!progreso_) return;
        const auto ahora = std::chrono::steady_clock::now();
        if (ahora - ultima_ < std::chrono::milliseconds(250)) return;
        ultima_ = ahora;
        const std::string linea =
            "\rMovimientos: " + p.TextoMovimientos(separador_) + "  " + p.TextoPorcentaje() + " ";
        std::cerr << linea << std::flush;
        lineaVisible_ = true;
    }

    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    void MostrarMatriz() {}
    void VaciarCuadricula() {
        t.VaciarCuadricula();
        p = {};
    }
    bool Validar() {
        const auto m = velmora::Validar(t, e);
        if (m) Mostrar(*m);
        return !m;
    }
    void DeshabilitarHerramientas() {}
    void HabilitarHerramientas() { BorrarLinea(); }

    // Reads the file as opening it in the window does.
    bool Cargar(const QString& ruta) {
        const Apertura a = AbrirPuzzle(ruta);
        e = a.enunciado;
        if (a.completo) return true;
        MostrarMensaje(kTextoErrorAbrir, kTituloFichero, Icono::Exclamacion);
        return false;
    }

    void EscribirResultado() const {
        std::string salida;
        for (int k = 0; k < kCasillas; ++k) {
            salida += t.Matriz[k] ? static_cast<char>('0' + t.Matriz[k]) : '.';
            if (k % 9 == 8) salida += '\n';
        }
        std::cout << salida << "Movimientos: " << t.Movimientos << '\n';
    }

private:
    void BorrarLinea() {
        if (lineaVisible_) std::cerr << "\r\033[K" << std::flush;
        lineaVisible_ = false;
    }

    bool progreso_;
    std::string separador_;
    bool lineaVisible_ = false;
    std::chrono::steady_clock::time_point ultima_{};
};

int Uso() {
    std::cerr << kAyuda;
    return kSalidaUso;
}

} // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    int hilos = TrabajadoresPorDefecto();
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kAyuda;
            return kSalidaResuelto;
        }
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else if (a == "--jobs" || a == "-j") {
            const std::optional<int> n = i + 1 < argc ? LeerHilos(argv[++i]) : std::nullopt;
            if (!n) return Uso();
            hilos = *n;
        } else if (a.starts_with("-") && a != "-")
            return Uso();
        else
            args.push_back(a);
    }
    if (args.size() != 2 || (args[0] != "solve" && args[0] != "check")) return Uso();

    Consola consola(!quiet && args[0] == "solve" && isatty(STDERR_FILENO));
    if (!consola.Cargar(QFile::decodeName(args[1].data()))) return kSalidaError;
    if (args[0] == "check") {
        consola.VaciarCuadricula();
        return consola.Validar() ? kSalidaResuelto : kSalidaError;
    }
    const auto fin = hilos == 1 ? ResolverSudoku(consola.t, consola.p, consola)
                                : ResolverEnParalelo(consola.t, consola.p, consola, hilos);
    if (!fin) return kSalidaError;
    consola.EscribirResultado();
    return fin->final == Final::Resuelto ? kSalidaResuelto : kSalidaSinSolucion;
}
