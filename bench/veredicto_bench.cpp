// velmora-bench-veredicto: times the uniqueness verdict on the puzzle sets of bench/data (one
// puzzle per line, see tests/support/lineas.h) and checks that each has exactly one solution.
// Per set: the median and the largest CPU time per puzzle, each the best of a few runs,
// against the targets: Killers a median of 2 ms and at most 50 ms, classic a median of 0.5 ms.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "lineas.h"
#include "solver/veredicto.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
// The thread's CPU time: the machine is shared, and other work must not count.
double MilisegundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

struct Conjunto {
    const char* fichero;
    double medianaMaxima, maximoMaximo; // the targets, in ms; 0 for none
};

constexpr Conjunto kConjuntos[] = {
    {"killer_dificil.txt", 2.0, 50.0},
    {"killer_generado.txt", 2.0, 50.0},
    {"killer_parcial.txt", 2.0, 50.0},
    {"killer_parcial_escaso.txt", 0, 0}, // sparser than drawn puzzles: figures only
    {"killer_parcial_minimo.txt", 0, 0},
    {"clasico_dificil.txt", 0.5, 0},
};

bool Medir(const std::string& carpeta, const Conjunto& c, int repeticiones) {
    const auto puzzles = lineas::LeerFichero(carpeta + '/' + c.fichero);
    if (puzzles.empty()) {
        std::fprintf(stderr, "%s: no hay sudokus\n", c.fichero);
        return false;
    }
    bool bien = true;
    std::vector<double> tiempos;
    std::vector<int64_t> ramas;
    size_t peor = 0;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        Tablero t;
        if (const auto m = Validar(t, puzzles[i].e)) {
            std::fprintf(stderr, "%s:%zu: %s\n", c.fichero, i + 1, m->texto.c_str());
            return false;
        }
        double mejor = 0;
        Veredicto v;
        for (int r = 0; r < repeticiones; ++r) {
            const double inicio = MilisegundosCpu();
            v = Juzgar(t);
            const double ms = MilisegundosCpu() - inicio;
            if (r == 0 || ms < mejor) mejor = ms;
        }
        if (v.soluciones != 1) {
            std::fprintf(stderr, "%s:%zu: %d soluciones\n", c.fichero, i + 1, v.soluciones);
            bien = false;
        }
        if (mejor > (tiempos.empty() ? 0 : tiempos[peor])) peor = i;
        tiempos.push_back(mejor);
        ramas.push_back(v.ramas);
    }
    std::vector<double> orden = tiempos;
    std::sort(orden.begin(), orden.end());
    std::vector<int64_t> ordenRamas = ramas;
    std::sort(ordenRamas.begin(), ordenRamas.end());
    const double mediana = orden[orden.size() / 2], maximo = orden.back();
    std::printf("%-22s %4zu sudokus  mediana %7.3f ms  máximo %7.3f ms (línea %zu)  "
                "ramas: mediana %lld, máximo %lld\n",
                c.fichero, puzzles.size(), mediana, maximo, peor + 1,
                static_cast<long long>(ordenRamas[ordenRamas.size() / 2]),
                static_cast<long long>(ordenRamas.back()));
    if ((c.medianaMaxima > 0 && mediana > c.medianaMaxima) ||
        (c.maximoMaximo > 0 && maximo > c.maximoMaximo)) {
        std::printf("  ¡fuera de objetivo! (mediana ≤ %.1f ms%s)\n", c.medianaMaxima,
                    c.maximoMaximo > 0 ? ", máximo ≤ 50 ms" : "");
        bien = false;
    }
    return bien;
}

} // namespace

int main(int argc, char** argv) {
    std::string carpeta = VELMORA_DATOS_VEREDICTO;
    int repeticiones = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--repeticiones" && i + 1 < argc) {
            repeticiones = std::max(1, std::atoi(argv[++i]));
        } else if (a.starts_with("-")) {
            std::fprintf(stderr, "Uso: velmora-bench-veredicto [--repeticiones N] [CARPETA]\n");
            return 64;
        } else {
            carpeta = argv[i];
        }
    }
    bool bien = true;
    for (const Conjunto& c : kConjuntos)
        bien = Medir(carpeta, c, repeticiones) && bien;
    return bien ? 0 : 1;
}
