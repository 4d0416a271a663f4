// velmora-bench-logica: the step solver on the puzzle sets of bench/data (one puzzle per line,
// see lineas.h). Per set: how many it solves without guessing, the median and the largest thread
// CPU time per puzzle against the targets (classic: median 5 ms, worst 200 ms; Killer: median
// 30 ms, worst 2 s), and the levels reached. On a set whose notes are ratings from another
// program (Sudoku Explainer's, or Solo's level names), the Spearman rank correlation between
// the score and that rating.
//
//   velmora-bench-logica [CARPETA] [--pasos] [--fichero NOMBRE]
//
// --pasos prints each puzzle's grade; --fichero measures one set only (any file in CARPETA).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lineas.h"
#include "logica/logica.h"
#include "reloj_cpu.h"

namespace {

using namespace velmora;
using banco::MilisegundosCpu;

struct Conjunto {
    std::string fichero;
    double medianaMaxima, maximoMaximo; // targets in ms; 0 for none
};

// Solo's difficulty names, as its generator's level option spells them, in order.
double RangoSolo(std::string_view nota) {
    static const std::map<std::string_view, double> kNiveles = {
        {"trivial", 1},  {"basic", 2},   {"intermediate", 3},
        {"advanced", 4}, {"extreme", 5}, {"unreasonable", 6}};
    const auto it = kNiveles.find(nota.substr(0, nota.find(' ')));
    return it == kNiveles.end() ? NAN : it->second;
}

std::vector<double> Rangos(const std::vector<double>& v) {
    std::vector<size_t> idx(v.size());
    for (size_t i = 0; i < idx.size(); ++i)
        idx[i] = i;
    std::sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return v[a] < v[b]; });
    std::vector<double> r(v.size());
    for (size_t i = 0; i < idx.size();) {
        size_t j = i;
        while (j + 1 < idx.size() && v[idx[j + 1]] == v[idx[i]])
            ++j;
        for (size_t x = i; x <= j; ++x)
            r[idx[x]] = (static_cast<double>(i + j) / 2) + 1;
        i = j + 1;
    }
    return r;
}

double Spearman(const std::vector<double>& a, const std::vector<double>& b) {
    const std::vector<double> ra = Rangos(a), rb = Rangos(b);
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ma += ra[i] / n;
        mb += rb[i] / n;
    }
    double sab = 0, saa = 0, sbb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sab += (ra[i] - ma) * (rb[i] - mb);
        saa += (ra[i] - ma) * (ra[i] - ma);
        sbb += (rb[i] - mb) * (rb[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

bool Medir(const std::string& carpeta, const Conjunto& c, bool pasos) {
    const auto puzzles = lineas::LeerFichero(carpeta + '/' + c.fichero);
    if (puzzles.empty()) {
        std::fprintf(stderr, "%s: no hay sudokus\n", c.fichero.c_str());
        return false;
    }
    std::vector<double> tiempos, puntos, notas, nivelesSolo;
    std::array<int, kNiveles> niveles{};
    int resueltos = 0, sinPrueba = 0, soloHastaAvanzado = 0, soloHastaAvanzadoSinPrueba = 0;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const Candidatos cand(puzzles[i].e);
        if (!cand.Valido()) {
            std::fprintf(stderr, "%s:%zu: no es válido\n", c.fichero.c_str(), i + 1);
            return false;
        }
        const double t0 = MilisegundosCpu();
        const Calificacion cal = Resolver(cand);
        tiempos.push_back(MilisegundosCpu() - t0);
        resueltos += cal.resuelto;
        const bool prueba = cal.nivel == Nivel::PruebaYError;
        sinPrueba += cal.resuelto && !prueba;
        ++niveles[static_cast<int>(cal.nivel)];
        puntos.push_back(static_cast<double>(cal.puntuacion));
        char* fin = nullptr;
        const double nota = std::strtod(puzzles[i].nota.c_str(), &fin);
        notas.push_back(fin != puzzles[i].nota.c_str() ? nota : NAN);
        const double solo = RangoSolo(puzzles[i].nota);
        nivelesSolo.push_back(solo);
        if (solo <= 4) {
            ++soloHastaAvanzado;
            soloHastaAvanzadoSinPrueba += !prueba;
        }
        long long pesoMayor = 0;
        int cadenas = 0;
        for (const Paso& p : cal.pasos) {
            pesoMayor = std::max<long long>(pesoMayor, p.peso);
            cadenas += p.nivel >= Nivel::Extremo;
        }
        if (std::getenv("VELMORA_DETALLE")) {
            std::printf("D %s", puzzles[i].nota.c_str());
            for (const Paso& p : cal.pasos)
                std::printf(" %d:%lld", static_cast<int>(p.tecnica),
                            static_cast<long long>(p.peso));
            std::printf("\n");
        }
        if (pasos)
            std::printf("  %zu: %s (%lld) %s, %zu pasos, mayor %lld, %d cadenas, %.2f ms  %s\n",
                        i + 1, std::string(NombreNivel(cal.nivel)).c_str(),
                        static_cast<long long>(cal.puntuacion),
                        std::string(NombreTecnica(cal.masDificil)).c_str(), cal.pasos.size(),
                        pesoMayor, cadenas, tiempos.back(), puzzles[i].nota.c_str());
    }
    std::vector<double> orden = tiempos;
    std::sort(orden.begin(), orden.end());
    const double mediana = orden[orden.size() / 2], maximo = orden.back();
    const bool bien = (c.medianaMaxima == 0 || mediana <= c.medianaMaxima) &&
                      (c.maximoMaximo == 0 || maximo <= c.maximoMaximo);
    std::printf("%-28s %4zu sudokus, %4d resueltos (%d sin prueba y error); mediana %7.2f ms, "
                "máximo %8.2f ms%s\n",
                c.fichero.c_str(), puzzles.size(), resueltos, sinPrueba, mediana, maximo,
                c.medianaMaxima == 0 ? ""
                : bien               ? "  bien"
                                     : "  FUERA DEL OBJETIVO");
    std::printf("    niveles:");
    for (int n = 0; n < kNiveles; ++n)
        std::printf(" %s %d;", std::string(NombreNivel(static_cast<Nivel>(n))).c_str(), niveles[n]);
    std::printf("\n");
    const auto correlacion = [&](const std::vector<double>& otra, const char* nombre) {
        std::vector<double> a, b;
        for (size_t i = 0; i < otra.size(); ++i)
            if (!std::isnan(otra[i])) {
                a.push_back(puntos[i]);
                b.push_back(otra[i]);
            }
        if (a.size() >= 10)
            std::printf("    Spearman con %s: %.3f (%zu sudokus)\n", nombre, Spearman(a, b),
                        a.size());
    };
    correlacion(notas, "la nota numérica");
    correlacion(nivelesSolo, "el nivel de Solo");
    if (soloHastaAvanzado)
        std::printf("    hasta 'advanced' de Solo: %d de %d sin prueba y error\n",
                    soloHastaAvanzadoSinPrueba, soloHastaAvanzado);
    return bien;
}

} // namespace

int main(int argc, char** argv) {
    std::string carpeta = VELMORA_DATOS_LOGICA;
    bool pasos = false;
    std::vector<Conjunto> conjuntos = {
        {"clasico_se.txt", 5, 200},
        // Held out from the two sets the weights were chosen on.
        {"clasico_se_otros.txt", 5, 200},
        {"clasico_dificil.txt", 5, 200},
        {"killer_generado.txt", 30, 2000},
        {"killer_dificil.txt", 30, 2000},
        {"killer_parcial.txt", 30, 2000},
        // Solo's own Killers, 20 per level; the note is Solo's level name.
        {"killer_solo.txt", 30, 2000},
        {"killer_solo_otros.txt", 30, 2000},
        // Sparser than drawn puzzles, as in the verdict's benchmark: figures only.
        {"killer_parcial_escaso.txt", 0, 0},
        {"killer_parcial_minimo.txt", 0, 0},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--pasos")
            pasos = true;
        else if (a == "--fichero" && i + 1 < argc)
            conjuntos = {{argv[++i], 0, 0}};
        else
            carpeta = a;
    }
    bool bien = true;
    for (const Conjunto& c : conjuntos)
        bien &= Medir(carpeta, c, pasos);
    return bien ? 0 : 1;
}
