// velmora-bench-generador: new puzzles per type and level on one thread. Per level: the median
// and the worst thread CPU time per puzzle against the targets, cages per Killer (count and
// mean size), and the share of candidates thrown away before the one kept.
//
//   velmora-bench-generador [--n N] [--killer|--classic] [--nivel N] [--semilla S]
//
// N puzzles per level (default 100; the two hardest levels take a fifth of it, at least 1).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "generador/generador.h"
#include "reloj_cpu.h"

namespace {

using namespace velmora;
using banco::MilisegundosCpu;

// Targets in ms (median, worst); 0 for none.
struct Meta {
    double mediana, peor;
};

Meta MetaDe(TipoPuzzle tipo, Nivel n) {
    if (tipo == TipoPuzzle::Clasico) return n < Nivel::PruebaYError ? Meta{50, 0} : Meta{0, 0};
    switch (n) {
    case Nivel::Facil:
    case Nivel::Moderado:
        return {20, 0};
    case Nivel::Dificil:
    case Nivel::MuyDificil:
        return {200, 2000};
    case Nivel::Extremo:
        return {1000, 10000};
    default:
        return {0, 0};
    }
}

std::string Marca(double valor, double meta) {
    if (meta <= 0) return "";
    return valor <= meta ? " ok" : " NO";
}

} // namespace

int main(int argc, char** argv) {
    int n = 100;
    std::vector<TipoPuzzle> tipos{TipoPuzzle::Killer, TipoPuzzle::Clasico};
    int soloNivel = -1;
    uint64_t semilla = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--n" && i + 1 < argc) {
            n = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--killer") {
            tipos = {TipoPuzzle::Killer};
        } else if (a == "--classic") {
            tipos = {TipoPuzzle::Clasico};
        } else if (a == "--nivel" && i + 1 < argc) {
            const auto nv = LeerNivel(argv[++i]);
            if (!nv) return 64;
            soloNivel = static_cast<int>(*nv);
        } else if (a == "--semilla" && i + 1 < argc) {
            semilla = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "uso: velmora-bench-generador [--n N] [--killer|--classic] "
                                 "[--nivel N] [--semilla S]\n");
            return 64;
        }
    }
    std::printf("Thread CPU time per puzzle, one thread. ms\n");
    std::printf("%-8s %-15s %5s %9s %9s %9s %7s %6s %9s  %s\n", "tipo", "nivel", "n", "mediana",
                "peor", "media", "jaulas", "tam", "tirados", "metas (mediana/peor)");
    for (const TipoPuzzle tipo : tipos) {
        for (int nv = 0; nv < kNiveles; ++nv) {
            if (soloNivel >= 0 && nv != soloNivel) continue;
            const Nivel nivel = static_cast<Nivel>(nv);
            const int cuantos = nv >= kNiveles - 2 ? std::max(1, n / 5) : n;
            std::vector<double> tiempos;
            int64_t jaulas = 0, candidatos = 0, fallos = 0;
            for (int i = 0; i < cuantos; ++i) {
                const double t0 = MilisegundosCpu();
                const Generado g = Generar(tipo, nivel, semilla + static_cast<uint64_t>(i));
                tiempos.push_back(MilisegundosCpu() - t0);
                if (!g) {
                    ++fallos;
                    candidatos += IntentosPorDefecto(tipo, nivel);
                    continue;
                }
                candidatos += g.candidato + 1;
                int c = 0;
                for (const auto& s : g.enunciado.sumas)
                    c += !s.empty();
                jaulas += c;
            }
            std::sort(tiempos.begin(), tiempos.end());
            const double mediana = tiempos[tiempos.size() / 2], peor = tiempos.back();
            double suma = 0;
            for (double t : tiempos)
                suma += t;
            const int hechos = cuantos - static_cast<int>(fallos);
            const double mediaJaulas = hechos ? static_cast<double>(jaulas) / hechos : 0;
            const Meta meta = MetaDe(tipo, nivel);
            char metas[64] = "";
            if (meta.mediana > 0)
                std::snprintf(metas, sizeof metas, "%.0f%s / %s", meta.mediana,
                              Marca(mediana, meta.mediana).c_str(),
                              meta.peor > 0 ? (std::to_string(static_cast<int>(meta.peor)) +
                                               Marca(peor, meta.peor))
                                                  .c_str()
                                            : "-");
            std::printf("%-8s %-15s %5d %9.2f %9.2f %9.2f %7.1f %6.2f %8.1f%%  %s%s\n",
                        tipo == TipoPuzzle::Killer ? "killer" : "clasico",
                        std::string(NombreNivel(nivel)).c_str(), cuantos, mediana, peor,
                        suma / cuantos, tipo == TipoPuzzle::Killer ? mediaJaulas : 0.0,
                        tipo == TipoPuzzle::Killer && mediaJaulas > 0 ? 81.0 / mediaJaulas : 0.0,
                        candidatos ? 100.0 * static_cast<double>(candidatos - hechos) / candidatos
                                   : 0.0,
                        metas, fallos ? (" sin lograr: " + std::to_string(fallos)).c_str() : "");
            std::fflush(stdout);
        }
    }
}
