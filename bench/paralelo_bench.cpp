// velmora-bench-paralelo: the search on 1, 2, ... threads against the single-thread search
// (velmora-cli --jobs 1) on the same puzzles, in the same run; how the subtrees of the cut would
// spread over more cores; how long a cancel takes.

#include <sys/resource.h>

#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "files/puzzle_xml.h"
#include "model/paralela.h"
#include "sin_pantalla.h"

namespace {

using namespace velmora;
using namespace velmora::banco;

// Processor time of every thread of the process, in seconds: on a shared machine it shows the
// work done where the wall time also shows the waiting.
double Procesador() {
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

// The moves of each subtree of the cut, in search order, up to the first solution, and those of
// the walk above the cut before each: the single-thread search taken apart, as the workers see it.
struct Reparto {
    std::vector<int64_t> arriba, subarbol;
};

Reparto Repartir(const Tablero& preparado, int corte) {
    Reparto r;
    Tablero cima = preparado;
    cima.Movimientos = 0;
    int k = 0;
    int64_t antes = 0;
    for (;;) {
        if (!r.subarbol.empty() && !cima.RetrocederDesde(k)) return r;
        bool agotada = false;
        while (k < corte) {
            if (cima.ColocarEn(k) == Colocacion::SinCandidato) {
                if (!cima.RetrocederDesde(k)) {
                    agotada = true;
                    break;
                }
                continue;
            }
            ++cima.Movimientos;
            ++k;
        }
        if (agotada || k == kCasillas) return r;
        r.arriba.push_back(cima.Movimientos - antes);
        antes = cima.Movimientos;
        Tablero t = cima;
        t.Movimientos = 0;
        int j = corte;
        bool resuelto = true;
        while (j < kCasillas) {
            if (t.ColocarEn(j) == Colocacion::SinCandidato) {
                if (!t.RetrocederDesde(j) || j < corte) {
                    t.Movimientos -= corte - j;
                    resuelto = false;
                    break;
                }
                continue;
            }
            ++t.Movimientos;
            ++j;
        }
        r.subarbol.push_back(t.Movimientos);
        if (resuelto) return r;
    }
}

// Workers taking the subtrees in order, each moving at the same pace: the time to the result
// against one worker's, and the share of the workers' time left idle at the end.
void Simular(const Reparto& r, int hilos, double& proporcion, double& ociosos) {
    std::priority_queue<int64_t, std::vector<int64_t>, std::greater<>> libres;
    for (int w = 0; w < hilos; ++w)
        libres.push(0);
    int64_t total = 0, fin = 0;
    for (size_t i = 0; i < r.subarbol.size(); ++i) {
        const int64_t trabajo = r.arriba[i] + r.subarbol[i];
        const int64_t t = libres.top() + trabajo;
        libres.pop();
        libres.push(t);
        fin = std::max(fin, t);
        total += trabajo;
    }
    proporcion = total ? static_cast<double>(fin) / static_cast<double>(total) : 1;
    ociosos = fin ? 1 - static_cast<double>(total) / (static_cast<double>(fin) * hilos) : 0;
}

struct Medida {
    double segundos, procesador;
    Tablero t;
    FinBusqueda fin;
    int corte;
};

bool Medir(const QString& ruta, const std::vector<int>& hilos, int repeticiones) {
    std::printf("%s\n", ruta.toStdString().c_str());
    const Apertura a = AbrirPuzzle(ruta);
    if (!a.completo) {
        std::fprintf(stderr, "no se puede leer el sudoku\n");
        return false;
    }

    // --jobs 1: the driver and the single-thread search.
    std::optional<Medida> uno;
    for (int i = 0; i < repeticiones; ++i) {
        Tablero t;
        const double cpu = Procesador();
        const auto inicio = Reloj::now();
        const std::optional<FinBusqueda> fin = ResolverSinPantalla(t, a.enunciado);
        const double s = Segundos(Reloj::now() - inicio);
        if (!fin) return false;
        if (!uno || s < uno->segundos) uno = Medida{s, Procesador() - cpu, t, *fin, 0};
    }
    std::printf("  movimientos             %lld\n", static_cast<long long>(uno->t.Movimientos));
    std::printf("  --jobs 1                %8.3f s                      procesador %6.3f s\n",
                uno->segundos, uno->procesador);

    // The board as the driver hands it to the search.
    Tablero preparado;
    if (Validar(preparado, a.enunciado)) return false;

    bool iguales = true;
    for (const int h : hilos) {
        std::optional<Medida> m;
        for (int i = 0; i < repeticiones; ++i) {
            const double cpu = Procesador();
            const auto inicio = Reloj::now();
            BusquedaParalela b(preparado, h);
            Medida n{0, 0, {}, {}, b.Corte()};
            n.fin = b.Resultado(n.t);
            n.segundos = Segundos(Reloj::now() - inicio);
            n.procesador = Procesador() - cpu;
            if (!m || n.segundos < m->segundos) m = std::move(n);
        }
        std::printf("  %2d hilos (corte %2d)     %8.3f s  %5.2f de --jobs 1  procesador %6.3f s\n",
                    h, m->corte, m->segundos, m->segundos / uno->segundos, m->procesador);
        if (m->fin.final != uno->fin.final || m->t.Movimientos != uno->t.Movimientos ||
            m->t.Matriz != uno->t.Matriz) {
            std::fprintf(stderr, "  ¡no coincide con un hilo! %lld movimientos, %s\n",
                         static_cast<long long>(m->t.Movimientos),
                         TextoRejilla(m->t.Matriz, "").c_str());
            iguales = false;
        }
    }

    // How the subtrees of each worker count's cut would spread, each worker at one's pace.
    std::printf("  reparto por núcleos (cada núcleo al paso de uno):\n");
    std::vector<std::pair<int, Reparto>> repartos; // by cut: several counts may share one
    for (const int h : {2, 4, 8, 16, 32}) {
        const int corte = CorteAutomatico(preparado, h);
        if (repartos.empty() || repartos.back().first != corte)
            repartos.emplace_back(corte, Repartir(preparado, corte));
        const Reparto& r = repartos.back().second;
        int64_t mayor = 0, suma = 0;
        for (const int64_t s : r.subarbol) {
            mayor = std::max(mayor, s);
            suma += s;
        }
        double proporcion = 1, ociosos = 0;
        Simular(r, h, proporcion, ociosos);
        std::printf("    %2d: corte %2d, %6zu subárboles hasta la solución, el mayor %5.2f %% del "
                    "total; tiempo %5.3f de un hilo (ideal %5.3f), ociosos al final %4.1f %%\n",
                    h, corte, r.subarbol.size(), suma ? 100.0 * mayor / suma : 0, proporcion,
                    1.0 / h, 100 * ociosos);
    }
    return iguales;
}

// From Cancelar to the workers stopped, on a search of many seconds.
void MedirCancelacion(const QString& ruta, int hilos) {
    const Apertura a = AbrirPuzzle(ruta);
    Tablero preparado;
    if (!a.completo || Validar(preparado, a.enunciado)) return;
    double peor = 0;
    for (int i = 0; i < 5; ++i) {
        BusquedaParalela b(preparado, hilos);
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + 40 * i));
        const auto inicio = Reloj::now();
        b.Cancelar();
        Tablero t;
        b.Resultado(t);
        peor = std::max(peor, Segundos(Reloj::now() - inicio));
    }
    std::printf("cancelar con %d hilos: a lo sumo %.2f ms hasta que paran todos (5 veces)\n", hilos,
                1e3 * peor);
}

std::vector<int> LeerLista(std::string_view texto) {
    std::vector<int> v;
    while (!texto.empty()) {
        const size_t coma = texto.find(',');
        v.push_back(std::atoi(std::string(texto.substr(0, coma)).c_str()));
        texto = coma == std::string_view::npos ? std::string_view() : texto.substr(coma + 1);
    }
    return v;
}

} // namespace

int main(int argc, char** argv) {
    QString carpeta = QStringLiteral(VELMORA_DATOS);
    int repeticiones = 3;
    std::vector<int> hilos = {1, 2};
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--repeticiones" && i + 1 < argc) {
            repeticiones = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--hilos" && i + 1 < argc) {
            hilos = LeerLista(argv[++i]);
        } else if (a.starts_with("-")) {
            hilos.clear();
            break;
        } else {
            carpeta = QString::fromLocal8Bit(argv[i]);
        }
    }
    if (hilos.empty() || std::any_of(hilos.begin(), hilos.end(), [](int h) { return h < 1; })) {
        std::fprintf(stderr, "Uso: velmora-bench-paralelo [--repeticiones N] [--hilos 1,2,...] "
                             "[CARPETA_DE_SUDOKUS]\n");
        return 64;
    }
    std::printf("carga al empezar: %s; %d núcleos\n", Carga().c_str(), TrabajadoresPorDefecto());
    bool bien = true;
    for (const char* fichero : {"clasico_176m.xml", "killer_bench.xml"})
        bien = Medir(carpeta + '/' + QLatin1String(fichero), hilos, repeticiones) && bien;
    MedirCancelacion(carpeta + "/clasico_176m.xml", std::max(2, TrabajadoresPorDefecto()));
    std::printf("carga al terminar: %s\n", Carga().c_str());
    return bien ? 0 : 1;
}
