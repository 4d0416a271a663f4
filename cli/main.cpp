// velmora-cli: checks or solves a puzzle file exactly as the window does, without the window.

#include <unistd.h>

#include <QFile>
#include <iostream>
#include <string_view>
#include <vector>

#include "consola.h"
#include "convertir.h"
#include "dibujar.h"
#include "generar.h"
#include "paralelo.h"
#include "pasos.h"
#include "unica.h"

namespace {

using namespace velmora;

constexpr int kSalidaResuelto = 0, kSalidaSinSolucion = 1, kSalidaError = 2, kSalidaUso = 64;

constexpr std::string_view kAyuda =
    "Uso: velmora-cli [--quiet] [--jobs N] solve FICHERO\n"
    "     velmora-cli check FICHERO\n"
    "     velmora-cli unique FICHERO\n"
    "     velmora-cli steps [--json] FICHERO\n"
    "     velmora-cli rate [--json] FICHERO\n"
    "     velmora-cli render [--solucion] [--tamano N] FICHERO SALIDA.{pdf,png,svg}\n"
    "     velmora-cli convert [--to FORMATO] ENTRADA [SALIDA]\n"
    "     velmora-cli generate [--killer|--classic] [--level NIVEL] [--seed S] [--count K]\n"
    "                          [--to FORMATO] [--jobs N] [--no-symmetry] [SALIDA]\n"
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
    "  steps   Lee y valida el fichero como 'unique' y lo resuelve paso a paso como una\n"
    "          persona: escribe los pasos numerados, cada uno con su técnica y sus\n"
    "          casillas (FnCm), y al final 'Dificultad: NIVEL (puntuación N)'. Solo\n"
    "          califica un sudoku con una solución: salida 1 si no tiene ninguna, 3 si\n"
    "          tiene más de una, 4 si la lógica se detiene antes de acabar (con los\n"
    "          pasos hasta ahí), 0 si lo resuelve, 2 como 'solve'.\n"
    "  rate    Como 'steps', pero solo escribe la línea de la dificultad y la línea\n"
    "          'Técnica más difícil: NOMBRE'.\n"
    "  --json  (steps, rate) Un objeto JSON por línea: uno por paso y uno final con la\n"
    "          dificultad.\n"
    "  render  Lee y valida el fichero y dibuja el sudoku como se publica: una página A4\n"
    "          en PDF, o una imagen PNG o SVG cuadrada; el formato sale de la extensión de\n"
    "          SALIDA. Salida 0 si se escribe, 2 si el fichero no se puede leer, el sudoku\n"
    "          no es válido o SALIDA no se puede escribir.\n"
    "\n"
    "  --solucion  (render) Añade en otro color la solución que encuentra 'solve'. Si no\n"
    "              tiene solución, lo dice, no escribe nada y sale con 1.\n"
    "  --tamano N  (render) Lado de la imagen PNG o SVG en píxeles, de 100 a 4000\n"
    "              (900 si no se indica).\n"
    "  convert Convierte el sudoku de ENTRADA (fichero XML o texto en otro formato; '-' es\n"
    "          la entrada estándar) al FORMATO: xml (por omisión), classic, killer-short,\n"
    "          killer-long, fpuzzles o fpuzzles-url. Escribe en SALIDA o en la salida\n"
    "          estándar. Salida 0 si lo convierte, 2 si no (velmora-cli convert --help).\n"
    "  generate Crea un sudoku nuevo, Killer (sin números iniciales; por omisión) o\n"
    "          clásico, con una sola solución y la dificultad pedida con --level: un\n"
    "          número del 1 al 6 o el nombre del nivel (Moderado por omisión). La misma\n"
    "          semilla (--seed; el K-ésimo usa S+K-1) da el mismo sudoku en cualquier\n"
    "          equipo y con cualquier número de hilos; sin ella se elige una y se escribe\n"
    "          en la salida de errores. Escribe XML, o con --to un sudoku por línea\n"
    "          (--count K > 1 necesita --to), en SALIDA o en la salida estándar.\n"
    "          --no-symmetry quita la simetría de las casillas iniciales de un clásico.\n"
    "          Salida 0 si los crea, 2 si no alcanza el nivel dentro de sus intentos.\n"
    "\n"
    "  --quiet   No muestra el progreso mientras resuelve.\n"
    "  --jobs N  Resuelve con N hilos, de 1 a 1024; por omisión, uno por núcleo. El\n"
    "            resultado y los movimientos son los mismos que con un solo hilo.\n"
    "  --help    Muestra esta ayuda.\n"
    "\n"
    "Los mensajes de la ventana se escriben en la salida de errores como 'título: texto'.\n";

int Uso() {
    std::cerr << kAyuda;
    return kSalidaUso;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "render")
        return Dibujar(argc - 1, argv + 1, kAyuda);
    if (argc > 1 && std::string_view(argv[1]) == "convert") return Convertir(argc - 2, argv + 2);
    if (argc > 1 && std::string_view(argv[1]) == "generate")
        return Generar(argc - 1, argv + 1, kAyuda);
    if (argc > 1 && (std::string_view(argv[1]) == "steps" || std::string_view(argv[1]) == "rate"))
        return Pasos(argc - 1, argv + 1, kAyuda);
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
    if (args.size() == 2 && args[0] == "unique")
        return ComandoUnica(QFile::decodeName(args[1].data()));
    if (args.size() != 2 || (args[0] != "solve" && args[0] != "check")) return Uso();

    velmora::Consola consola(!quiet && args[0] == "solve" && isatty(STDERR_FILENO));
    if (!consola.Abrir(QFile::decodeName(args[1].data()))) return kSalidaError;
    if (args[0] == "check") return kSalidaResuelto;
    const velmora::FinBusqueda fin = consola.Resolver(hilos);
    consola.EscribirResultado();
    return fin.final == velmora::Final::Resuelto ? kSalidaResuelto : kSalidaSinSolucion;
}
