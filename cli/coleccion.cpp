#include "coleccion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "files/puzzle_xml.h"
#include "lote/canal.h"
#include "lote/lote.h"
#include "model/busqueda.h"
#include "solver/veredicto.h"

// The logic solver's grade: one more entry of the table below once its library is linked.
#if __has_include("logica/logica.h")
#include "logica/logica.h"
#define VELMORA_CON_LOGICA 1
#endif

namespace velmora {

namespace {

using lote::Campos;

constexpr int kSalidaHecho = 0, kSalidaError = 2;

// The grid as one line of 81 characters, '.' for an empty cell.
std::string Linea(const std::array<uint8_t, kCasillas>& matriz) {
    return TextoRejilla(matriz, "");
}

Campos Comprobar(const Enunciado& e, Tablero&, std::stop_token) {
    return {{"estado", "válido"}, {"tipo", e.killer ? "killer" : "clásico"}};
}

Campos Unica(const Enunciado&, Tablero& t, std::stop_token) {
    const Veredicto v = Juzgar(t);
    constexpr std::string_view kEstados[] = {"ninguna", "única", "varias"};
    return {{"estado", std::string(kEstados[v.soluciones])},
            {"soluciones", std::to_string(v.soluciones), true},
            {"solucion", v.soluciones > 0 ? Linea(v.primera) : ""},
            {"otra", v.soluciones > 1 ? Linea(v.segunda) : ""}};
}

// The search's host for one line: it stops the search, as the window's cancel does, at the
// first yield once `maximo` moves are counted, or when the run is abandoned. Yields come after
// every placed digit, so the count at the stop is at most a backtrack past the limit.
class Limite {
public:
    Limite(Tablero& t, int64_t maximo, std::stop_token parar)
        : t_(t), maximo_(maximo > 0 ? maximo : INT64_MAX), parar_(std::move(parar)) {}

    ModoCalculo Modo() const { return ModoCalculo::Rapido; }
    void MostrarMatriz() {}
    bool Ceder() {
        if (t_.Movimientos >= maximo_ || (cuenta_.Pasa() && parar_.stop_requested()))
            t_.Cancelado = true;
        return false;
    }

private:
    Tablero& t_;
    int64_t maximo_;
    std::stop_token parar_;
    Cuenta cuenta_{0x1000};
};

Campos ResolverHasta(int64_t maximo, Tablero& t, std::stop_token parar) {
    Progreso p;
    Limite limite(t, maximo, std::move(parar));
    const FinBusqueda fin = Buscar(t, p, limite);
    constexpr std::string_view kEstados[] = {"resuelto", "sin solución", "detenido"};
    return {{"estado", std::string(kEstados[static_cast<int>(fin.final)])},
            {"movimientos", std::to_string(t.Movimientos), true},
            {"rejilla", Linea(t.Matriz)}};
}

#ifdef VELMORA_CON_LOGICA
Campos Calificar(const Enunciado& e, Tablero&, std::stop_token parar) {
    const Calificacion c = velmora::Resolver(e, parar);
    return {{"estado", c.resuelto ? "resuelto" : "sin resolver"},
            {"nivel", std::string(NombreNivel(c.nivel))},
            {"puntuacion", std::to_string(c.puntuacion), true},
            {"tecnica", std::string(NombreTecnica(c.masDificil))}};
}
#endif

// The commands that take --batch, each a function from a validated puzzle to its fields.
struct Orden {
    std::string_view nombre;
    lote::Juez (*juez)(const OpcionesColeccion&);
};

constexpr Orden kOrdenes[] = {
    {"check", [](const OpcionesColeccion&) { return lote::Juez(Comprobar); }},
    {"unique", [](const OpcionesColeccion&) { return lote::Juez(Unica); }},
    {"solve",
     [](const OpcionesColeccion& o) {
         return lote::Juez(
             [maximo = o.maxMovimientos](const Enunciado&, Tablero& t, std::stop_token parar) {
                 return ResolverHasta(maximo, t, std::move(parar));
             });
     }},
#ifdef VELMORA_CON_LOGICA
    {"rate", [](const OpcionesColeccion&) { return lote::Juez(Calificar); }},
#endif
};

const Orden* Buscada(std::string_view nombre) {
    for (const Orden& o : kOrdenes)
        if (o.nombre == nombre) return &o;
    return nullptr;
}

// "12 s", "3 min 05 s", "1 h 02 min".
std::string Duracion(double segundos) {
    const auto s = static_cast<int64_t>(segundos + 0.5);
    char texto[48];
    if (s < 60)
        std::snprintf(texto, sizeof texto, "%lld s", static_cast<long long>(s));
    else if (s < 3600)
        std::snprintf(texto, sizeof texto, "%lld min %02lld s", static_cast<long long>(s / 60),
                      static_cast<long long>(s % 60));
    else
        std::snprintf(texto, sizeof texto, "%lld h %02lld min", static_cast<long long>(s / 3600),
                      static_cast<long long>(s / 60 % 60));
    return texto;
}

// The progress line on a terminal: puzzles done, puzzles per second, and for a file the time
// left and a bar, from the bytes read.
class Barra {
public:
    Barra(bool activa, int64_t total) : activa_(activa), total_(total) {}

    void Avanzar(int64_t bytes) {
        ++hechos_;
        bytes_ = bytes;
    }

    void Mostrar() {
        if (!activa_) return;
        const auto ahora = std::chrono::steady_clock::now();
        if (ahora - ultima_ < std::chrono::milliseconds(200)) return;
        ultima_ = ahora;
        const double segundos = std::chrono::duration<double>(ahora - inicio_).count();
        char texto[160];
        int n = std::snprintf(texto, sizeof texto, "\r%lld sudokus · %lld por segundo",
                              static_cast<long long>(hechos_),
                              static_cast<long long>(hechos_ / std::max(segundos, 1e-3)));
        if (total_ > 0 && bytes_ > 0) {
            const double parte = std::min(1.0, static_cast<double>(bytes_) / total_);
            const int llenas = static_cast<int>(parte * 20);
            const std::string barra = std::string(llenas, '#') + std::string(20 - llenas, '-');
            std::snprintf(texto + n, sizeof texto - n, " · quedan %s [%s] %d %%",
                          Duracion(segundos * (1 - parte) / parte).c_str(), barra.c_str(),
                          static_cast<int>(parte * 100));
        }
        const std::string_view s = texto;
        std::cerr << s << "\033[K" << std::flush;
        visible_ = true;
    }

    void Borrar() {
        if (visible_) std::cerr << "\r\033[K" << std::flush;
        visible_ = false;
    }

private:
    bool activa_;
    int64_t total_;
    int64_t hechos_ = 0, bytes_ = 0;
    bool visible_ = false;
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now(),
                                          ultima_ = inicio_;
};

void Mostrar(std::string_view titulo, std::string_view texto) {
    std::cerr << titulo << ": " << texto << '\n';
}

} // namespace

bool OrdenDeColeccion(std::string_view orden) {
    return Buscada(orden) != nullptr;
}

std::optional<int64_t> LeerMovimientos(std::string_view texto) {
    int64_t n = 0;
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), n);
    if (error != std::errc() || fin != texto.data() + texto.size() || n < 1) return std::nullopt;
    return n;
}

int ComandoColeccion(std::string_view orden, std::string_view ruta, const OpcionesColeccion& o) {
    const Orden* cual = Buscada(orden);
    if (!cual) return kSalidaError;
    int fd = STDIN_FILENO;
    if (ruta != "-") {
        fd = ::open(std::string(ruta).c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            if (fd >= 0) ::close(fd);
            Mostrar(kTituloFichero, kTextoErrorAbrir);
            return kSalidaError;
        }
    }
    struct stat st {};
    const int64_t total = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;

    const lote::Juez juez = cual->juez(o);
    const lote::Opciones opciones{o.formato, o.json};
    lote::LectorLineas lector(fd);
    Barra barra(o.progreso, total);
    bool rechazada = false;

    lote::Canal canal;
    canal.hilos = o.hilos;
    // Enough lines in flight that a slow one rarely stalls the others.
    canal.ventana = 64 * static_cast<size_t>(o.hilos) + 64;
    canal.leer = [&](lote::Tarea& t) {
        while (lector.Siguiente(t.entrada, t.numero)) {
            if (!lote::TienePuzzle(t.entrada)) continue;
            t.bytes = lector.Bytes();
            return true;
        }
        return false;
    };
    canal.trabajar = [&](lote::Tarea& t, std::stop_token parar) {
        lote::EvaluarLinea(juez, opciones, t.numero, t.entrada, std::move(parar), t.salida);
    };
    canal.escribir = [&](const lote::Tarea& t) {
        if (!t.salida.aviso.empty()) {
            barra.Borrar();
            std::cerr << "línea " << t.numero << ": " << t.salida.aviso << '\n';
        }
        rechazada = rechazada || t.salida.rechazada;
        barra.Avanzar(t.bytes);
        std::fwrite(t.salida.linea.data(), 1, t.salida.linea.size(), stdout);
        return std::fputc('\n', stdout) != EOF;
    };
    canal.latido = [&] { barra.Mostrar(); };
    const bool escrito = lote::Procesar(canal) && std::fflush(stdout) == 0;
    barra.Borrar();
    if (fd != STDIN_FILENO) ::close(fd);
    if (!escrito) {
        Mostrar(kTituloFichero, kTextoErrorGuardar);
        return kSalidaError;
    }
    if (lector.Error()) {
        Mostrar(kTituloFichero, kTextoErrorAbrir);
        return kSalidaError;
    }
    return rechazada ? kSalidaError : kSalidaHecho;
}

} // namespace velmora
