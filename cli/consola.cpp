#include "consola.h"

#include <QLocale>
#include <future>
#include <iostream>
#include <thread>

#include "lectura.h"
#include "paralelo.h"
#include "validation/validacion.h"

namespace velmora {

Consola::Consola(bool progreso)
    : progreso_(progreso), separador_(QLocale::system().groupSeparator().toStdString()) {}

void Consola::Mostrar(const Mensaje& m) {
    BorrarLinea();
    std::cerr << m.titulo << ": " << m.texto << '\n';
}

bool Consola::Abrir(std::string_view ruta, std::optional<Formato> formato) {
    const auto leido = LeerEntrada(ruta, formato);
    if (!leido) {
        Mostrar(leido.error().AMensaje());
        return false;
    }
    e = leido->enunciado;
    if (leido->aviso) Mostrar(*leido->aviso);
    t.VaciarCuadricula();
    const auto m = Validar(t, e);
    if (m) Mostrar(*m);
    return !m;
}

FinBusqueda Consola::Resolver(int hilos) {
    const FinBusqueda fin =
        hilos == 1 ? Buscar(t, p, *this) : BuscarConProgreso(t, hilos, [&](int64_t movimientos) {
            p.movimientos = movimientos;
            p.porcentaje = -1;
            if (progreso_) EscribirProgreso();
        });
    BorrarLinea();
    if (fin.final == Final::SinSolucion)
        Mostrar({std::string(kTextoSinSolucion), std::string(kTituloSinSolucion), Icono::Critico});
    return fin;
}

void Consola::EscribirResultado() const {
    std::cout << TextoRejilla(t.Matriz) << "Movimientos: " << t.Movimientos << '\n';
}

Veredicto Consola::Juzgar() {
    const Reglas reglas = ReglasDe(t);
    if (!progreso_) return velmora::Juzgar(reglas);
    std::atomic<int64_t> ramas{0};
    std::future<Veredicto> v = std::async(std::launch::async, [&] {
        return velmora::Juzgar(reglas, Parada{{}, 0, &ramas});
    });
    do {
        std::cerr << "\rComprobando… " << FormatearMovimientos(ramas.load(), separador_)
                  << " ramas " << std::flush;
        lineaVisible_ = true;
    } while (v.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready);
    BorrarLinea();
    return v.get();
}

void Consola::EscribirProgreso() {
    const auto ahora = std::chrono::steady_clock::now();
    if (ahora - ultima_ < std::chrono::milliseconds(200)) return;
    ultima_ = ahora;
    std::cerr << "\rMovimientos: " << p.TextoMovimientos(separador_) << "  " << p.TextoPorcentaje()
              << " " << std::flush;
    lineaVisible_ = true;
}

void Consola::BorrarLinea() {
    if (lineaVisible_) std::cerr << "\r\033[K" << std::flush;
    lineaVisible_ = false;
}

} // namespace velmora
