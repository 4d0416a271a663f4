// velmora-bench: times the search against its straightforward transcription on the same puzzles,
// in the same run, and checks that both end with the same grid after the same number of moves.

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "files/puzzle_xml.h"
#include "model/busqueda.h"
#include "sin_pantalla.h"
#include "support/referencia.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
using namespace velmora::banco;
std::string Rejilla(const referencia::Busqueda& b) {
    std::array<uint8_t, kCasillas> m{};
    for (int k = 0; k < kCasillas; ++k)
        m[k] = b.Digito(k);
    return TextoRejilla(m, "");
}

// Returns false when the puzzle cannot be read or the two searches disagree.
bool Medir(const QString& ruta, int repeticiones) {
    std::printf("%s\n", ruta.toStdString().c_str());
    Tablero puzzle;
    const Apertura a = AbrirPuzzle(ruta);
    const Enunciado& e = a.enunciado;
    if (!a.completo) {
        std::fprintf(stderr, "no se puede leer el sudoku\n");
        return false;
    }

    // The fast search, best of a few runs.
    double rapida = 0;
    Tablero t;
    std::optional<FinBusqueda> fin;
    for (int i = 0; i < repeticiones; ++i) {
        t = puzzle;
        const auto inicio = Reloj::now();
        fin = ResolverSinPantalla(t, e);
        const double s = Segundos(Reloj::now() - inicio);
        if (!fin) return false;
        if (i == 0 || s < rapida) rapida = s;
    }

    // The reference, once, from the board as validation prepares it.
    Tablero preparado = puzzle;
    if (Validar(preparado, e)) return false;
    referencia::Busqueda ref(preparado);
    const auto inicio = Reloj::now();
    const referencia::Resultado r = ref.Resolver();
    const double lenta = Segundos(Reloj::now() - inicio);

    const double movimientos = static_cast<double>(t.Movimientos);
    std::printf("  movimientos          %lld\n", static_cast<long long>(t.Movimientos));
    std::printf("  búsqueda rápida      %8.3f s  %7.2f ns/movimiento (mejor de %d)\n", rapida,
                1e9 * rapida / movimientos, repeticiones);
    std::printf("  referencia           %8.3f s  %7.2f ns/movimiento\n", lenta,
                1e9 * lenta / movimientos);
    std::printf("  referencia / rápida  %8.2f\n", lenta / rapida);

    if (r.final != fin->final || ref.Movimientos != t.Movimientos ||
        Rejilla(ref) != TextoRejilla(t.Matriz, "")) {
        std::fprintf(stderr, "  ¡las búsquedas no coinciden! referencia: %lld movimientos, %s\n",
                     static_cast<long long>(ref.Movimientos), Rejilla(ref).c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QString carpeta = QStringLiteral(VELMORA_DATOS);
    int repeticiones = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--repeticiones" && i + 1 < argc) {
            repeticiones = std::max(1, std::atoi(argv[++i]));
        } else if (a.starts_with("-")) {
            std::fprintf(stderr, "Uso: velmora-bench [--repeticiones N] [CARPETA_DE_SUDOKUS]\n");
            return 64;
        } else {
            carpeta = QString::fromLocal8Bit(argv[i]);
        }
    }
    bool bien = true;
    for (const char* fichero : {"clasico_176m.xml", "killer_bench.xml"})
        bien = Medir(carpeta + '/' + QLatin1String(fichero), repeticiones) && bien;
    return bien ? 0 : 1;
}
