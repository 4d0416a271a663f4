// What is kept between runs: the puzzle left unsaved at close and the files last opened or
// saved.

#include <QFileInfo>

#include "files/sin_guardar.h"
#include "juego/estado.h"
#include "ui/form1.h"

namespace velmora {

namespace {

constexpr std::string_view kAvisoSinGuardar =
    "Hay un puzzle sin guardar de la última sesión: Archivo > Recuperar el último puzzle sin "
    "guardar";

} // namespace

void Form1::EnFichero(const QString& ruta, bool guardado) {
    referencia_ = LeerEnunciado();
    Carpeta().AnotarReciente(QFileInfo(ruta).absoluteFilePath());
    // The kept puzzle was reopened and what became of it is saved now: nothing is left to lose.
    if (guardado && recuperado_) {
        BorrarSinGuardar(plataforma_.CarpetaConfiguracion());
        recuperado_ = false;
    }
}

void Form1::GuardarAlCerrar() {
    const QString carpeta = plataforma_.CarpetaConfiguracion();
    if (Jugando() && !terminado_) {
        Partida p = *juego_;
        p.milisegundos = cronometro_.Milisegundos();
        GuardarPartida(carpeta, p);
    }
    const Enunciado e = LeerEnunciado();
    Enunciado vacio;
    vacio.killer = e.killer;
    if (e != referencia_ && e != vacio) {
        GuardarSinGuardar(carpeta, e);
        return;
    }
    // The kept one is in a file itself now: nothing is left to lose.
    if (const auto kept = AbrirSinGuardar(carpeta); kept && *kept == referencia_)
        BorrarSinGuardar(carpeta);
}

bool Form1::HaySinGuardar() {
    return AbrirSinGuardar(plataforma_.CarpetaConfiguracion()).has_value();
}

bool Form1::RecuperarSinGuardar() {
    if (Resolviendo()) return false;
    const auto e = AbrirSinGuardar(plataforma_.CarpetaConfiguracion());
    if (!e) {
        plataforma_.MostrarMensaje("No hay ningún puzzle sin guardar.", "Recuperar",
                                   Icono::Informacion);
        return false;
    }
    PintarEnunciado(*e);
    recuperado_ = true;
    return true;
}

void Form1::AvisarSinGuardar() {
    if (HaySinGuardar()) aviso_ = kAvisoSinGuardar;
    AvisarPartida();
}

QStringList Form1::Recientes() {
    return Carpeta().Recientes();
}

void Form1::AbrirReciente(const QString& ruta) {
    if (Resolviendo()) return;
    if (!QFileInfo(ruta).isFile()) {
        Carpeta().QuitarReciente(ruta);
        const std::string texto = "El fichero " + ruta.toStdString() +
                                  " ya no existe. Se quita de la lista de recientes.";
        plataforma_.MostrarMensaje(texto, "Recientes", Icono::Exclamacion);
        return;
    }
    AbrirRuta(ruta);
}

} // namespace velmora
