// velmora-cli: checks or solves a puzzle exactly as the window does, without the window, one
// at a time or a whole collection.

#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "coleccion.h"
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
    "Uso: velmora-cli [--quiet] [--jobs N] [--from FORMATO] solve FICHERO\n"
    "     velmora-cli [--from FORMATO] check FICHERO\n"
    "     velmora-cli [--from FORMATO] unique FICHERO\n"
    "     velmora-cli [--from FORMATO] [--json] steps FICHERO\n"
    "     velmora-cli [--from FORMATO] [--json] rate FICHERO\n"
    "     velmora-cli --batch [--json] [--jobs N] [--from FORMATO] [--quiet]\n"
    "                 check|unique|solve|rate [--max-moves N] COLECCION\n"
    "     velmora-cli render [--solucion] [--tamano N] [--from FORMATO] FICHERO "
    "SALIDA.{pdf,png,svg}\n"
    "     velmora-cli convert [--to FORMATO] [--from FORMATO] ENTRADA [SALIDA]\n"
    "     velmora-cli generate [--killer|--classic] [--level NIVEL] [--seed S] [--count K]\n"
    "                          [--to FORMATO] [--jobs N] [--no-symmetry] [SALIDA]\n"
    "\n"
    "  FICHERO es un fichero XML de Velmora o un texto en cualquiera de los formatos de\n"
    "  'convert' ('-' es la entrada estándar); el formato se deduce del contenido.\n"
    "\n"
    "  solve   Lee el sudoku, lo valida y lo resuelve como la ventana.\n"
    "          Escribe la cuadrícula (nueve líneas; '.' para una casilla vacía) y la\n"
    "          línea 'Movimientos: N'. Salida 0 si se resuelve, 1 si no tiene solución,\n"
    "          2 si el fichero no se puede leer o el sudoku no es válido.\n"
    "  check   Solo lee y valida el sudoku: salida 0 si es válido, 2 si no.\n"
    "  unique  Lee y valida el sudoku como 'solve' y dice cuántas soluciones tiene: la\n"
    "          línea 'Soluciones: 0', 'Soluciones: 1' o 'Soluciones: 2 o más', y luego la\n"
    "          solución, o dos de ellas separadas por una línea en blanco. Salida 0 si\n"
    "          tiene una sola, 1 si ninguna, 3 si más de una, 2 como 'solve'.\n"
    "  steps   Lee y valida el sudoku como 'unique' y lo resuelve paso a paso como una\n"
    "          persona: escribe los pasos numerados, cada uno con su técnica y sus\n"
    "          casillas (FnCm), y al final 'Dificultad: NIVEL (puntuación N)'. Solo\n"
    "          califica un sudoku con una solución: salida 1 si no tiene ninguna, 3 si\n"
    "          tiene más de una, 4 si la lógica se detiene antes de acabar (con los\n"
    "          pasos hasta ahí), 0 si lo resuelve, 2 como 'solve'.\n"
    "  rate    Como 'steps', pero solo escribe la línea de la dificultad y la línea\n"
    "          'Técnica más difícil: NOMBRE'.\n"
    "  render  Lee y valida el sudoku y lo dibuja como se publica: una página A4\n"
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
    "  --batch   Lee una colección: un sudoku por línea de COLECCION ('-' es la entrada\n"
    "            estándar), en cualquier formato de una línea; las líneas en blanco o que\n"
    "            empiezan por '#' no cuentan, y el texto tras el sudoku (separado por\n"
    "            espacios) es su etiqueta. Escribe una línea por sudoku, en el orden de\n"
    "            entrada, separada por tabuladores: número de línea, etiqueta, estado y los\n"
    "            datos de la orden (check: tipo; unique: soluciones, solución y otra\n"
    "            solución; solve: movimientos y cuadrícula; rate: nivel, puntuación y\n"
    "            técnica más difícil). Una línea rechazada da\n"
    "            'rechazado' y el mensaje, y la colección sigue. Salida 0 si todas dan\n"
    "            resultado, 2 si se rechaza alguna.\n"
    "  --json    (--batch, steps, rate) Escribe cada resultado como un objeto JSON por\n"
    "            línea: con steps, uno por paso y uno final con la dificultad.\n"
    "  --max-moves N  (solve --batch) Detiene cada sudoku en el primer número colocado\n"
    "            tras N movimientos; su estado es 'detenido'.\n"
    "  --from FORMATO  Lee la entrada en ese formato en lugar de deducirlo (una cadena\n"
    "            Killer corta de segmentos de una casilla parece una línea clásica).\n"
    "  --quiet   No muestra el progreso mientras resuelve o recorre una colección.\n"
    "  --jobs N  Resuelve con N hilos, de 1 a 1024; por omisión, uno por núcleo. El\n"
    "            resultado y los movimientos son los mismos que con un solo hilo. Con\n"
    "            --batch, reparte las líneas entre N hilos; la salida es la misma.\n"
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
    bool quiet = false, lote = false, movimientos = false;
    int hilos = TrabajadoresPorDefecto();
    OpcionesColeccion coleccion;
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        // "--opción valor" or "--opción=valor".
        const auto valor = [&](std::string_view opcion) -> std::optional<std::string_view> {
            if (a == opcion) {
                if (i + 1 < argc) return argv[++i];
                return std::string_view();
            }
            return a.substr(opcion.size() + 1);
        };
        const auto es = [&](std::string_view opcion) {
            return a == opcion ||
                   (a.starts_with(opcion) && a.size() > opcion.size() && a[opcion.size()] == '=');
        };
        if (a == "--help" || a == "-h") {
            std::cout << kAyuda;
            return kSalidaResuelto;
        }
        if (a == "--quiet" || a == "-q") {
            quiet = true;
        } else if (a == "--batch") {
            lote = true;
        } else if (a == "--json") {
            coleccion.json = true;
        } else if (a == "--jobs" || a == "-j" || es("--jobs")) {
            const std::optional<int> n = a == "-j" && i + 1 < argc ? LeerHilos(argv[++i])
                                         : a == "-j"               ? std::nullopt
                                                                   : LeerHilos(*valor("--jobs"));
            if (!n) return Uso();
            hilos = *n;
        } else if (es("--from")) {
            coleccion.formato = FormatoDeNombre(*valor("--from"));
            if (!coleccion.formato) return Uso();
        } else if (es("--max-moves")) {
            const auto n = LeerMovimientos(*valor("--max-moves"));
            if (!n) return Uso();
            coleccion.maxMovimientos = *n;
            movimientos = true;
        } else if (a.starts_with("-") && a != "-") {
            return Uso();
        } else {
            args.push_back(a);
        }
    }
    if (args.size() != 2) return Uso();
    if (lote) {
        if (!OrdenDeColeccion(args[0]) || (movimientos && args[0] != "solve")) return Uso();
        coleccion.hilos = hilos;
        coleccion.progreso = !quiet && isatty(STDERR_FILENO);
        return ComandoColeccion(args[0], args[1], coleccion);
    }
    if (movimientos) return Uso();
    if (args[0] == "steps" || args[0] == "rate")
        return ComandoPasos(args[0] == "steps", args[1], coleccion.formato, coleccion.json);
    // One puzzle: the collection's options make no sense.
    if (coleccion.json) return Uso();
    if (args[0] == "unique")
        return ComandoUnica(args[1], coleccion.formato, !quiet && isatty(STDERR_FILENO));
    if (args[0] != "solve" && args[0] != "check") return Uso();

    velmora::Consola consola(!quiet && args[0] == "solve" && isatty(STDERR_FILENO));
    if (!consola.Abrir(args[1], coleccion.formato)) return kSalidaError;
    if (args[0] == "check") return kSalidaResuelto;
    const velmora::FinBusqueda fin = consola.Resolver(hilos);
    consola.EscribirResultado();
    return fin.final == velmora::Final::Resuelto ? kSalidaResuelto : kSalidaSinSolucion;
}
