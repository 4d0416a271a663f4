// velmora-cli generate: new puzzles at a chosen grade, from a seed.

#include "generar.h"

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "convertir.h"
#include "files/puzzle_xml.h"
#include "formats/formatos.h"
#include "generador/generador.h"
#include "paralelo.h"

namespace velmora {

namespace {

constexpr int kHecho = 0, kError = 2, kUso = 64;
constexpr std::string_view kTitulo = "Generar";

int Uso(std::string_view ayuda) {
    std::cerr << ayuda;
    return kUso;
}

std::optional<uint64_t> LeerNumero(std::string_view s) {
    uint64_t v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

} // namespace

int Generar(int argc, char** argv, std::string_view ayuda) {
    TipoPuzzle tipo = TipoPuzzle::Killer;
    Nivel nivel = Nivel::Moderado;
    std::optional<uint64_t> semilla;
    uint64_t cuantos = 1;
    Formato formato = Formato::Xml;
    OpcionesGenerador opciones;
    opciones.hilos = TrabajadoresPorDefecto();
    std::string_view salida;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const auto valor = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (a == "--killer") {
            tipo = TipoPuzzle::Killer;
        } else if (a == "--classic") {
            tipo = TipoPuzzle::Clasico;
        } else if (a == "--no-symmetry") {
            opciones.simetria = false;
        } else if (a == "--level") {
            const auto v = valor();
            const auto n = v ? LeerNivel(*v) : std::nullopt;
            if (!n) return Uso(ayuda);
            nivel = *n;
        } else if (a == "--seed") {
            const auto v = valor();
            semilla = v ? LeerNumero(*v) : std::nullopt;
            if (!semilla) return Uso(ayuda);
        } else if (a == "--count") {
            const auto v = valor();
            const auto n = v ? LeerNumero(*v) : std::nullopt;
            if (!n || *n < 1 || *n > 100000) return Uso(ayuda);
            cuantos = *n;
        } else if (a == "--to") {
            const auto v = valor();
            const auto f = v ? FormatoDeNombre(*v) : std::nullopt;
            if (!f) return Uso(ayuda);
            formato = *f;
        } else if (a == "--jobs" || a == "-j") {
            const auto v = valor();
            const auto n = v ? LeerHilos(*v) : std::nullopt;
            if (!n) return Uso(ayuda);
            opciones.hilos = *n;
        } else if ((a.starts_with("-") && a != "-") || !salida.empty()) {
            return Uso(ayuda);
        } else {
            salida = a;
        }
    }
    // One XML document per file: several puzzles need a format with one per line.
    if (formato == Formato::Xml && cuantos > 1) return Uso(ayuda);
    if (!semilla) {
        std::random_device rd;
        semilla = (static_cast<uint64_t>(rd()) << 32) ^ rd();
        std::cerr << "Semilla: " << *semilla << '\n';
    }

    const bool progreso = isatty(STDERR_FILENO);
    std::string texto;
    for (uint64_t n = 0; n < cuantos; ++n) {
        std::atomic<int64_t> candidatos{0};
        std::stop_source acabado;
        std::jthread linea;
        if (progreso) {
            linea = std::jthread([&, n] {
                while (!acabado.stop_requested()) {
                    std::cerr << "\rGenerando " << n + 1 << " de " << cuantos << "… "
                              << candidatos.load() << " candidatos" << std::flush;
                    std::this_thread::sleep_for(std::chrono::milliseconds(200));
                }
            });
        }
        const Generado g =
            velmora::Generar(tipo, nivel, *semilla + n, Parada{{}, 0, &candidatos}, opciones);
        acabado.request_stop();
        if (linea.joinable()) linea.join();
        if (progreso) std::cerr << "\r\033[K" << std::flush;
        if (!g) {
            std::cerr << kTitulo << ": No se ha podido generar un sudoku de nivel «"
                      << NombreNivel(nivel) << "» con la semilla " << *semilla + n << " tras "
                      << (opciones.intentos > 0 ? opciones.intentos
                                                : IntentosPorDefecto(tipo, nivel))
                      << " intentos. Pruebe con otra semilla o con otro nivel.\n";
            return kError;
        }
        const auto t = EscribirTexto(g.enunciado, formato);
        if (!t) {
            std::cerr << t.error().titulo << ": " << t.error().texto << '\n';
            return kError;
        }
        texto += *t;
        if (formato != Formato::Xml) texto += '\n';
    }
    if (!EscribirSalida(salida, texto)) {
        std::cerr << kTituloFichero << ": " << kTextoErrorGuardar << '\n';
        return kError;
    }
    return kHecho;
}

} // namespace velmora
