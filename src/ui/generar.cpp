// "Nuevo aleatorio…": a new puzzle from the generator, opened as a file is.

#include "generador/generador.h"
#include "ui/form1.h"

namespace velmora {

bool Form1::NuevoAleatorio(const PeticionAleatoria& p) {
    if (Resolviendo()) return false;
    AnotarCambio(); // a sum still being typed is a step of its own
    Generado g;
    OpcionesGenerador opciones;
    opciones.simetria = p.simetria;
    opciones.hilos = 0; // every core: the puzzle is the same with any number
    const bool completa = resolucion_.EnSegundoPlano(
        {"Generando…", "intento", "intentos"},
        [&](std::stop_token parar, std::atomic<int64_t>& cuenta) {
            g = Generar(p.killer ? TipoPuzzle::Killer : TipoPuzzle::Clasico, p.nivel, p.semilla,
                        Parada{std::move(parar), 0, &cuenta}, opciones);
        });
    if (!completa || g.estado == Generado::Estado::Detenido) {
        resultado_ = Desenlace::Interrumpido;
        return false;
    }
    if (!g) {
        plataforma_.MostrarMensaje("No se ha podido generar un sudoku de nivel «" +
                                       std::string(NombreNivel(p.nivel)) +
                                       "». Pruebe otra vez o elija otro nivel.",
                                   "Nuevo aleatorio", Icono::Exclamacion);
        return false;
    }
    PintarEnunciado(g.enunciado);
    AnotarCambio(); // one undo step, as opening a file
    calificacion_ = std::move(g.calificacion);
    resultado_ = Desenlace::Calificado;
    return true;
}

} // namespace velmora
