// velmora-bench-veredicto: times the uniqueness verdict on the puzzle sets of bench/data (one
// puzzle per line, see tests/support/lineas.h) and checks that each has exactly one solution.
// Per set: the thread CPU time and the branches per puzzle, as median, total and worst, the
// time the best of a few runs; against each set's targets. With --tope, a puzzle past that many
// branches counts as unknown (and as a failure), so that a slow verdict can still be measured.
// With --parada, also how soon a stop request ends it. --conjunto names one set of bench/data, or,
// as a path with a folder, any file of such lines (no targets). With --simetrias, each puzzle is
// judged in all eight turns and mirrorings of the grid: the size of this search swings with the
// order cells and segments are read in (on published large-cage Killers, reading by columns
// doubled it), so a change should hold over all eight, not on one orientation of a few puzzles.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <pthread.h>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "lineas.h"
#include "reloj_cpu.h"
#include "solver/veredicto.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
using banco::MilisegundosCpu;
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
    {"killer_seis_a_nueve.txt", 0, 0},       // many segments of six to nine cells
    {"killer_grandes.txt", 200.0, 1000.0},   // segments of four and five cells, no givens
    {"killer_dieciseis.txt", 200.0, 1000.0}, // sixteen five-cell segments and a single cell
    {"clasico_dificil.txt", 0.5, 0},
    {"clasico_conocidos.txt", 0, 0},
    {"clasico_se.txt", 0, 0},
};

struct Opciones {
    std::string carpeta = VELMORA_DATOS_VEREDICTO;
    int repeticiones = 5;
    int64_t tope = 0;
    std::string solo; // a set's file name, or empty for every set
    bool detalle = false;
    bool parada = false; // also how soon a stop request ends the verdict
    bool simetrias = false;
};

// The puzzle turned a quarter `giro` times clockwise, then mirrored left to right with `espejo`;
// segments numbered anew in reading order, as a file of the turned grid would have them.
Enunciado Girar(const Enunciado& e, int giro, bool espejo) {
    Enunciado g = e;
    for (int k = 0; k < kCasillas; ++k) {
        int f = k / 9, c = k % 9;
        for (int i = 0; i < giro; ++i)
            std::tie(f, c) = std::pair(c, 8 - f);
        if (espejo) c = 8 - c;
        const int destino = 9 * f + c;
        g.segmento[destino] = e.segmento[k];
        g.textos[destino] = e.textos[k];
        g.fijas[destino] = e.fijas[k];
    }
    std::array<int8_t, kSegmentos> nuevo;
    nuevo.fill(-1);
    int8_t siguiente = 0;
    for (int8_t& s : g.segmento) {
        if (s < 0) continue;
        if (nuevo[s] < 0) {
            nuevo[s] = siguiente;
            g.sumas[siguiente++] = e.sumas[s];
        }
        s = nuevo[s];
    }
    return g;
}

bool Medir(const Opciones& o, const Conjunto& c) {
    auto puzzles = lineas::LeerFichero(o.carpeta + '/' + c.fichero);
    if (o.simetrias) {
        std::vector<lineas::Linea> todas;
        for (const auto& l : puzzles)
            for (int i = 0; i < 8; ++i)
                todas.push_back({Girar(l.e, i % 4, i >= 4), l.nota});
        puzzles = std::move(todas);
    }
    if (puzzles.empty()) {
        std::fprintf(stderr, "%s: no hay sudokus\n", c.fichero);
        return false;
    }
    bool bien = true;
    std::vector<double> tiempos;
    std::vector<int64_t> ramas;
    size_t peor = 0;
    int desconocidos = 0;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        Tablero t;
        if (const auto m = Validar(t, puzzles[i].e)) {
            std::fprintf(stderr, "%s:%zu: %s\n", c.fichero, i + 1, m->texto.c_str());
            return false;
        }
        double mejor = 0;
        Veredicto v;
        Parada p;
        p.maxRamas = o.tope;
        for (int r = 0; r < o.repeticiones; ++r) {
            const double inicio = MilisegundosCpu();
            v = Juzgar(t, p);
            const double ms = MilisegundosCpu() - inicio;
            if (r == 0 || ms < mejor) mejor = ms;
            if (ms > 2000) break; // one run tells enough of a slow one
        }
        if (v.soluciones < 0) {
            ++desconocidos;
            bien = false;
        } else if (v.soluciones != 1) {
            std::fprintf(stderr, "%s:%zu: %d soluciones\n", c.fichero, i + 1, v.soluciones);
            bien = false;
        }
        if (o.detalle)
            std::printf("  %s:%zu %.3f ms %lld ramas%s\n", c.fichero, i + 1, mejor,
                        static_cast<long long>(v.ramas), v.soluciones < 0 ? " (tope)" : "");
        if (mejor > (tiempos.empty() ? 0 : tiempos[peor])) peor = i;
        tiempos.push_back(mejor);
        ramas.push_back(v.ramas);
    }
    std::vector<double> orden = tiempos;
    std::sort(orden.begin(), orden.end());
    std::vector<int64_t> ordenRamas = ramas;
    std::sort(ordenRamas.begin(), ordenRamas.end());
    const double mediana = orden[orden.size() / 2], maximo = orden.back();
    const double total = std::accumulate(orden.begin(), orden.end(), 0.0);
    std::printf(
        "%-26s %4zu  CPU ms: media %10.4f mediana %9.3f total %10.1f máximo %9.3f "
        "(línea %zu)  ramas: mediana %lld total %lld máximo %lld",
        c.fichero, puzzles.size(), total / static_cast<double>(orden.size()), mediana, total,
        maximo, peor + 1, static_cast<long long>(ordenRamas[ordenRamas.size() / 2]),
        static_cast<long long>(std::accumulate(ordenRamas.begin(), ordenRamas.end(), int64_t{0})),
        static_cast<long long>(ordenRamas.back()));
    if (desconocidos > 0) std::printf("  %d con tope", desconocidos);
    std::printf("\n");
    if ((c.medianaMaxima > 0 && mediana > c.medianaMaxima) ||
        (c.maximoMaximo > 0 && maximo > c.maximoMaximo)) {
        std::printf("  ¡fuera de objetivo! (mediana ≤ %.1f ms", c.medianaMaxima);
        if (c.maximoMaximo > 0) std::printf(", máximo ≤ %.0f ms", c.maximoMaximo);
        std::printf(")\n");
        bien = false;
    }
    std::fflush(stdout);
    return bien;
}

// How long the verdict takes to end once a stop is asked, 10 ms into each puzzle of a set: the
// worker's CPU time from the request to its return (wall time on a shared machine is mostly
// waiting for a core), and the wall time besides. The window's cancel waits for this.
void MedirParada(const Opciones& o, const char* fichero) {
    using Reloj = std::chrono::steady_clock;
    const auto cpu = [](clockid_t reloj) {
        timespec t{};
        clock_gettime(reloj, &t);
        return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
    };
    std::vector<double> esperas, paredes;
    for (const auto& l : lineas::LeerFichero(o.carpeta + '/' + fichero)) {
        Tablero t;
        if (Validar(t, l.e)) continue;
        std::stop_source fuente;
        Parada p;
        p.token = fuente.get_token();
        Reloj::time_point fin;
        double cpuFin = 0;
        std::jthread hilo([&] {
            Juzgar(t, p);
            cpuFin = MilisegundosCpu();
            fin = Reloj::now();
        });
        clockid_t reloj{};
        pthread_getcpuclockid(hilo.native_handle(), &reloj);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto pedida = Reloj::now();
        const double cpuPedida = cpu(reloj);
        fuente.request_stop();
        hilo.join();
        if (fin < pedida) continue; // done before the request
        esperas.push_back(cpuFin - cpuPedida);
        paredes.push_back(std::chrono::duration<double, std::milli>(fin - pedida).count());
    }
    if (esperas.empty()) return;
    std::sort(esperas.begin(), esperas.end());
    std::sort(paredes.begin(), paredes.end());
    std::printf("parada en %-22s %zu sudokus en marcha  espera CPU ms: mediana %.3f máximo %.3f  "
                "(pared: mediana %.3f máximo %.3f)\n",
                fichero, esperas.size(), esperas[esperas.size() / 2], esperas.back(),
                paredes[paredes.size() / 2], paredes.back());
}

} // namespace

int main(int argc, char** argv) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--repeticiones" && i + 1 < argc) {
            o.repeticiones = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--tope" && i + 1 < argc) {
            o.tope = std::atoll(argv[++i]);
        } else if (a == "--conjunto" && i + 1 < argc) {
            o.solo = argv[++i];
        } else if (a == "--parada") {
            o.parada = true;
        } else if (a == "--detalle") {
            o.detalle = true;
        } else if (a == "--simetrias") {
            o.simetrias = true;
        } else if (a.starts_with("-")) {
            std::fprintf(stderr, "Uso: velmora-bench-veredicto [--repeticiones N] [--tope RAMAS] "
                                 "[--conjunto FICHERO] [--detalle] [--simetrias] [--parada] "
                                 "[CARPETA]\n");
            return 64;
        } else {
            o.carpeta = argv[i];
        }
    }
    // A path with a folder is a set of one's own (published puzzles, say): figures only.
    if (const size_t barra = o.solo.rfind('/'); barra != std::string::npos) {
        const std::string fichero = o.solo.substr(barra + 1);
        o.carpeta = o.solo.substr(0, barra);
        return Medir(o, {fichero.c_str(), 0, 0}) ? 0 : 1;
    }
    bool bien = true;
    for (const Conjunto& c : kConjuntos)
        if (o.solo.empty() || o.solo == c.fichero) bien = Medir(o, c) && bien;
    if (o.parada) MedirParada(o, "killer_grandes.txt");
    return bien ? 0 : 1;
}
