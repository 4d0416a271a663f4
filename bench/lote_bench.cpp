// velmora-bench-lote: collections as `velmora-cli --batch` runs them, on lines made here from
// the puzzle sets of bench/data (nothing is written to disk):
//   - the time per line of reading, validating and writing alone (a command that does nothing),
//     against the verdict's own time, on the hard classic set; the target is at most 10 %;
//   - the throughput of `unique --batch` with 1 and 2 jobs on 100,000 classic lines and 10,000
//     Killer lines, the best of a few rounds of each; the target is at least 1.8 times with 2;
//     the output must be the same;
//   - the peak memory of `check --batch` on 1,000,000 lines against 1,000, each in a child
//     process of its own; the target is within 10 %.
// The machine may be shared: times are CPU time of the measuring thread where one thread does
// the work, and the throughput shows the load average and the CPU the run got.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lineas.h"
#include "lote/canal.h"
#include "lote/lote.h"
#include "solver/veredicto.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;
using namespace velmora::lote;

double SegundosCpuHilo() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double SegundosCpuProceso() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec);
}

std::string Carga() {
    std::ifstream f("/proc/loadavg");
    std::string a, b, c;
    f >> a >> b >> c;
    return a + " " + b + " " + c;
}

// The hard classic puzzles as lines with their labels, and the same with the digits renamed:
// a collection of `n` different lines of the same difficulty.
std::vector<std::string> Clasicas(const std::vector<lineas::Linea>& base, size_t n) {
    std::vector<std::string> v;
    v.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const lineas::Linea& l = base[i % base.size()];
        const int giro = static_cast<int>(i / base.size() % 9);
        std::string s = *EscribirTexto(l.e, Formato::Clasico);
        for (char& c : s)
            if (c >= '1' && c <= '9') c = static_cast<char>('1' + (c - '1' + giro) % 9);
        v.push_back(s + ' ' + l.nota + '#' + std::to_string(i));
    }
    return v;
}

// The Killer sets in the long and short strings in turn (the short one when the cages allow).
std::vector<std::string> Killers(const std::vector<lineas::Linea>& base, size_t n) {
    std::vector<std::string> v;
    v.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const Enunciado& e = base[i % base.size()].e;
        auto s = EscribirTexto(e, i % 2 ? Formato::KillerCorto : Formato::KillerLargo);
        if (!s) s = EscribirTexto(e, Formato::KillerLargo);
        v.push_back(*s + " k" + std::to_string(i));
    }
    return v;
}

const Juez kNada = [](const Enunciado&, Tablero&, std::stop_token) {
    return Campos{{"estado", "válido"}};
};
const Juez kUnica = [](const Enunciado&, Tablero& t, std::stop_token) {
    const Veredicto v = Juzgar(t);
    return Campos{{"soluciones", std::to_string(v.soluciones), true},
                  {"solucion", TextoRejilla(v.primera, "")}};
};

// CPU time per line, in µs, of reading, validating and writing the lines (best of `veces`).
double MicrosLectura(const std::vector<std::string>& lineas, int veces) {
    double mejor = 1e300;
    Salida s;
    for (int r = 0; r < veces; ++r) {
        const double inicio = SegundosCpuHilo();
        for (size_t i = 0; i < lineas.size(); ++i)
            EvaluarLinea(kNada, {}, static_cast<int64_t>(i + 1), lineas[i], {}, s);
        mejor = std::min(mejor, SegundosCpuHilo() - inicio);
    }
    return 1e6 * mejor / static_cast<double>(lineas.size());
}

// CPU time per puzzle, in µs, of the verdict alone on validated boards (best of `veces`).
double MicrosVeredicto(const std::vector<lineas::Linea>& puzzles, int veces) {
    std::vector<Tablero> tableros(puzzles.size());
    for (size_t i = 0; i < puzzles.size(); ++i)
        if (Validar(tableros[i], puzzles[i].e)) std::abort();
    double mejor = 1e300;
    for (int r = 0; r < veces; ++r) {
        const double inicio = SegundosCpuHilo();
        for (const Tablero& t : tableros)
            if (Juzgar(t).soluciones != 1) std::abort();
        mejor = std::min(mejor, SegundosCpuHilo() - inicio);
    }
    return 1e6 * mejor / static_cast<double>(puzzles.size());
}

struct Corrida {
    double segundos, cpu;
    uint64_t huella; // of the whole output, to compare runs
    size_t lineas;
};

// `juez` over `cuantas` lines taken in turn from `lineas`, as the command line runs it, the
// output hashed instead of written.
Corrida Correr(const std::vector<std::string>& lineas, size_t cuantas, const Juez& juez,
               int hilos) {
    Corrida r{0, 0, 1469598103934665603ull, 0};
    size_t siguiente = 0;
    Canal c;
    c.hilos = hilos;
    c.ventana = 64 * static_cast<size_t>(hilos) + 64;
    c.leer = [&](Tarea& t) {
        if (siguiente == cuantas) return false;
        t.numero = static_cast<int64_t>(++siguiente);
        t.entrada = lineas[(siguiente - 1) % lineas.size()];
        return true;
    };
    c.trabajar = [&](Tarea& t, std::stop_token parar) {
        EvaluarLinea(juez, {}, t.numero, t.entrada, std::move(parar), t.salida);
    };
    c.escribir = [&](const Tarea& t) {
        for (const char ch : t.salida.linea)
            r.huella = (r.huella ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
        ++r.lineas;
        return true;
    };
    const double cpu = SegundosCpuProceso();
    const auto inicio = std::chrono::steady_clock::now();
    Procesar(c);
    r.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    r.cpu = SegundosCpuProceso() - cpu;
    return r;
}

// The peak resident memory, in KB, of a child process that checks `cuantas` lines.
long MemoriaPico(const std::vector<std::string>& lineas, size_t cuantas) {
    std::fflush(stdout);
    const pid_t hijo = fork();
    if (hijo == 0) {
        const Corrida r = Correr(lineas, cuantas, kNada, 2);
        _exit(r.lineas == cuantas ? 0 : 1);
    }
    int estado = 0;
    rusage uso{};
    if (hijo < 0 || wait4(hijo, &estado, 0, &uso) != hijo || !WIFEXITED(estado) ||
        WEXITSTATUS(estado) != 0)
        return -1;
    return uso.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    std::string carpeta = VELMORA_DATOS_VEREDICTO;
    size_t clasicas = 100000, killers = 10000, memoria = 1000000;
    int rondas = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--escala" && i + 1 < argc) {
            const double f = std::atof(argv[++i]);
            clasicas = static_cast<size_t>(clasicas * f);
            killers = static_cast<size_t>(killers * f);
            memoria = static_cast<size_t>(memoria * f);
        } else if (a == "--rondas" && i + 1 < argc) {
            rondas = std::max(1, std::atoi(argv[++i]));
        } else if (a.starts_with("-")) {
            std::fprintf(stderr, "Uso: velmora-bench-lote [--escala F] [--rondas R] [CARPETA]\n");
            return 64;
        } else {
            carpeta = argv[i];
        }
    }
    const auto dificiles = lineas::LeerFichero(carpeta + "/clasico_dificil.txt");
    std::vector<lineas::Linea> killerBase;
    for (const char* f : {"killer_dificil.txt", "killer_generado.txt", "killer_parcial.txt"})
        for (auto& l : lineas::LeerFichero(carpeta + "/" + f))
            killerBase.push_back(std::move(l));
    if (dificiles.empty() || killerBase.empty()) {
        std::fprintf(stderr, "%s: faltan los sudokus\n", carpeta.c_str());
        return 1;
    }
    bool bien = true;
    // Memory first, while this process has no other threads, over a pool of lines that both
    // runs read whole (every renaming of the hard set), so that only the run's own memory
    // differs.
    const auto reserva = Clasicas(dificiles, dificiles.size() * 9);
    const long poca = MemoriaPico(reserva, 1000);
    const long mucha = MemoriaPico(reserva, memoria);
    std::printf(
        "memoria pico (check, 2 hilos): 1.000 líneas %ld KB, %zu líneas %ld KB (%+.1f %%)\n", poca,
        memoria, mucha, 100.0 * (mucha - poca) / std::max(poca, 1L));
    if (poca <= 0 || mucha > poca * 11 / 10) {
        std::printf("  ¡fuera de objetivo! (dentro del 10 %%)\n");
        bien = false;
    }

    const auto lineasClasicas = Clasicas(dificiles, clasicas);
    const auto lineasKiller = Killers(killerBase, killers);

    // Reading and writing against the verdict, one thread, CPU time.
    const std::vector<std::string> soloDificiles = Clasicas(dificiles, dificiles.size());
    const double lecturaDificil = MicrosLectura(soloDificiles, 20);
    const double veredictoDificil = MicrosVeredicto(dificiles, 3);
    std::printf(
        "clásicos difíciles (%zu): lectura y escritura %.2f µs, veredicto %.1f µs: %.2f %%\n",
        dificiles.size(), lecturaDificil, veredictoDificil,
        100 * lecturaDificil / veredictoDificil);
    if (lecturaDificil > 0.1 * veredictoDificil) {
        std::printf("  ¡fuera de objetivo! (≤ 10 %%)\n");
        bien = false;
    }
    const double lecturaClasica = MicrosLectura(lineasClasicas, 1);
    const double lecturaKiller = MicrosLectura(lineasKiller, 1);
    const double veredictoKiller = MicrosVeredicto(killerBase, 1);
    std::printf("%zu líneas clásicas: lectura y escritura %.2f µs por línea\n", clasicas,
                lecturaClasica);
    std::printf("%zu líneas Killer: lectura y escritura %.2f µs por línea, veredicto %.1f µs "
                "(%.2f %%)\n",
                killers, lecturaKiller, veredictoKiller, 100 * lecturaKiller / veredictoKiller);

    // Throughput of unique --batch with 1 and 2 jobs.
    for (const auto& [nombre, lineas] :
         {std::pair{"clásicas", &lineasClasicas}, std::pair{"Killer", &lineasKiller}}) {
        const std::string cargaAntes = Carga();
        // Rounds of 1 and 2 threads in turn, the fastest of each kept: on a shared machine a
        // burst of other work then spoils one round, not the ratio.
        Corrida uno{1e300, 0, 0, 0}, dos{1e300, 0, 0, 0};
        for (int r = 0; r < rondas; ++r) {
            for (Corrida* mejor : {&uno, &dos}) {
                const Corrida c = Correr(*lineas, lineas->size(), kUnica, mejor == &uno ? 1 : 2);
                if (mejor->huella != 0 && c.huella != mejor->huella) {
                    std::printf("  ¡salidas distintas entre rondas!\n");
                    bien = false;
                }
                if (c.segundos < mejor->segundos) *mejor = c;
            }
        }
        const double razon = uno.segundos / dos.segundos;
        // Lines per CPU second tell the work each line costs, whatever the machine's load;
        // the wall-clock ratio is what a user sees.
        std::printf("unique --batch, %zu líneas %s: 1 hilo %.0f/s (CPU %.1f s en %.1f s), 2 hilos "
                    "%.0f/s (CPU %.1f s en %.1f s): %.2f×; por segundo de CPU %.0f y %.0f; "
                    "carga %s → %s\n",
                    lineas->size(), nombre, uno.lineas / uno.segundos, uno.cpu, uno.segundos,
                    dos.lineas / dos.segundos, dos.cpu, dos.segundos, razon, uno.lineas / uno.cpu,
                    dos.lineas / dos.cpu, cargaAntes.c_str(), Carga().c_str());
        if (uno.huella != dos.huella) {
            std::printf("  ¡salidas distintas con 1 y 2 hilos!\n");
            bien = false;
        }
        if (razon < 1.8) std::printf("  por debajo de 1,8× (¿máquina compartida?)\n");
    }
    return bien ? 0 : 1;
}
