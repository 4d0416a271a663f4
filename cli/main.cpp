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
#include "unica.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;

constexpr int kSalidaResuelto = 0, kSalidaSinSolucion = 1, kSalidaError = 2, kSalidaUso = 64;

constexpr std::string_view kAyuda =
    "Uso: velmora-cli [--quiet] solve FICHERO\n"
    "     velmora-cli check FICHERO\n"
    "     velmora-cli unique FICHERO\n"
    "\n"
    "  solve   Lee el sudoku del fichero XML, lo valida y lo resuelve como la ventana.\n"
    "          Escribe la cuadrícula (nueve líneas; '.' para una casilla vacía) y la\n"
    "          línea 'Movimientos: N'. Salida 0 si se resuelve, 1 si no tiene solución,\n"
    "          2 si el fichero no se puede leer o el sudoku no es válido.\n"
    "  check   Solo lee y valida el fichero: salida 0 si es válido, 2 si no.\n"
    "  unique  Lee y valida el fichero como 'solve' y dice cuántas soluciones tiene: la\n"
    "          línea 'Soluciones: 0', 'Soluciones: 1' o 'Soluciones: 2 o más', y luego la\n"
    "          solución, o dos de ellas separadas por una línea en blanco. Salida 0 si\n"
    "          tiene una sola, 1 si ninguna, 3 si más de una, 2 como 'solve'.\n"
    "\n"
    "  --quiet No muestra el progreso mientras resuelve.\n"
    "  --help  Muestra esta ayuda.\n"
    "\n"
    "Los mensajes de la ventana se escriben en la salida de errores como 'título: texto'.\n";

// The window's part in a solve, played on a terminal: messages go to stderr, and the progress
// line is refreshed a few times a second when stderr is a terminal.
class Consola {
public:
    explicit Consola(bool progreso)
        : progreso_(progreso), separador_(QLocale::system().groupSeparator().toStdString()) {}

    Tablero t;
    Progreso p;
    Enunciado e;

    void Mostrar(const Mensaje& m) {
        BorrarLinea();
        std::cerr << m.titulo << ": " << m.texto << '\n';
    }

    // The search's host: one yield in a few thousand reads the clock.
    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    void MostrarMatriz() {}
    bool Ceder() {
        if (!progreso_ || !cuenta_.Pasa()) return false;
        const auto ahora = std::chrono::steady_clock::now();
        if (ahora - ultima_ < kIntervalo) return false;
        ultima_ = ahora;
        std::cerr << "\rMovimientos: " << p.TextoMovimientos(separador_) << "  "
                  << p.TextoPorcentaje() << " " << std::flush;
        lineaVisible_ = true;
        return false;
    }

    // Reads the file as opening it in the window does.
    bool Cargar(const QString& ruta) {
        const Apertura a = AbrirPuzzle(ruta);
        e = a.enunciado;
        if (a.completo) return true;
        Mostrar({std::string(kTextoErrorAbrir), std::string(kTituloFichero), Icono::Exclamacion});
        return false;
    }

    // The window's solve without its window: validation, then the search.
    bool Validar() {
        t.VaciarCuadricula();
        const auto m = velmora::Validar(t, e);
        if (m) Mostrar(*m);
        return !m;
    }
    FinBusqueda Resolver() {
        const FinBusqueda fin = Buscar(t, p, *this);
        BorrarLinea();
        if (fin.final == Final::SinSolucion)
            Mostrar({std::string(kTextoSinSolucion), std::string(kTituloSinSolucion),
                     Icono::Critico});
        return fin;
    }

    void EscribirResultado() const {
        std::cout << TextoRejilla(t.Matriz) << "Movimientos: " << t.Movimientos << '\n';
    }

private:
    static constexpr auto kIntervalo = std::chrono::milliseconds(200);

    void BorrarLinea() {
        if (lineaVisible_) std::cerr << "\r\033[K" << std::flush;
        lineaVisible_ = false;
    }

    bool progreso_;
    std::string separador_;
    Cuenta cuenta_{0x1000};
    bool lineaVisible_ = false;
    std::chrono::steady_clock::time_point ultima_ = std::chrono::steady_clock::now();
};

int Uso() {
    std::cerr << kAyuda;
    return kSalidaUso;
}

} // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kAyuda;
            return kSalidaResuelto;
        }
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else if (a.starts_with("-") && a != "-")
            return Uso();
        else
            args.push_back(a);
    }
    if (args.size() == 2 && args[0] == "unique")
        return ComandoUnica(QFile::decodeName(args[1].data()));
    if (args.size() != 2 || (args[0] != "solve" && args[0] != "check")) return Uso();

    Consola consola(!quiet && args[0] == "solve" && isatty(STDERR_FILENO));
    if (!consola.Cargar(QFile::decodeName(args[1].data()))) return kSalidaError;
    if (!consola.Validar()) return kSalidaError;
    if (args[0] == "check") return kSalidaResuelto;
    const FinBusqueda fin = consola.Resolver();
    consola.EscribirResultado();
    return fin.final == Final::Resuelto ? kSalidaResuelto : kSalidaSinSolucion;
}
