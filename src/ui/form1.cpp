#include "ui/form1.h"

#include "ui/lugares.h"
#include "validation/validacion.h"

namespace velmora {

Form1::Form1(PlataformaVentana& plataforma) : plataforma_(plataforma) {}

// ---- Window events ------------------------------------------------------------------------

void Form1::Form_Load() {
    Tab.CasillaSeg.fill(-1);
    SegSeleccionado = -1;
}

void Form1::Form_Activate() {
    const Twips pantalla = plataforma_.TamanoPantalla();
    const Twips ventana = plataforma_.TamanoVentana();
    plataforma_.MoverVentana({(pantalla.x - ventana.x) / 2, (pantalla.y - ventana.y) / 2});
    for (int i = 0; i < kSegmentos; ++i)
        LbN[i].texto = std::to_string(i + 1);
    Habilitar(Herramienta::Cancelar, false);
    ActivarModoKiller();
}

// ---- Toolbar and modes --------------------------------------------------------------------

void Form1::EjecutarHerramienta(std::string_view id) {
    for (int h = 0; h < kHerramientas; ++h) {
        if (id != kIdsHerramientas[h]) continue;
        // Once a cancel has re-enabled the tools, a command queued behind it could start while
        // the search is still on its way out: nothing but the cancel runs until it has returned.
        if (Resolviendo() && static_cast<Herramienta>(h) != Herramienta::Cancelar) return;
        // In toolbar order, as the ids.
        static constexpr std::array<void (Form1::*)(), kHerramientas> kOperaciones = {
            &Form1::NuevoSudoku,       &Form1::AbrirFichero,
            &Form1::GuardarFichero,    &Form1::Vaciar,
            &Form1::ResolverSudoku,    &Form1::CancelarResolucion,
            &Form1::ActivarModoKiller, &Form1::ActivarModoNormal};
        (this->*kOperaciones[h])();
        return;
    }
}

void Form1::ActivarModoKiller() {
    CambiarModo(true);
}

void Form1::ActivarModoNormal() {
    CambiarModo(false);
}

// The board is emptied first, while the mode still has its old value; switching into the mode
// the window is already in empties it too.
void Form1::CambiarModo(bool killer) {
    NuevoSudoku();
    Tab.ModoKiller = killer;
    Caption = killer ? "Sudoku Killer" : "Sudoku Normal";
    Panel_Killer = killer;
    Panel_Normal = !killer;
    Habilitar(Herramienta::Killer, !killer);
    Habilitar(Herramienta::Normal, killer);
}

void Form1::DeshabilitarHerramientas() {
    HabilitarTodas(false);
    Habilitar(Herramienta::Cancelar, true);
}

void Form1::HabilitarHerramientas() {
    HabilitarTodas(true);
    Habilitar(Herramienta::Cancelar, false);
    Habilitar(Herramienta::Killer, !Tab.ModoKiller);
    Habilitar(Herramienta::Normal, Tab.ModoKiller);
    if (Jugando()) Habilitar(Herramienta::Resolver, false);
}

void Form1::CancelarResolucion() {
    Tab.Cancelado = true;
    HabilitarHerramientas();
}

// ---- Reset --------------------------------------------------------------------------------

void Form1::VaciarCuadricula() {
    progreso = {};
    Marcadas.reset();
    dosSoluciones_.reset();
    resultado_ = Desenlace::Ninguno;
    for (int k = 0; k < kCasillas; ++k)
        if (lb[k].fondo != kLbAma.fondo) PonerTextoCelda(k, {});
    Tab.VaciarCuadricula();
}

void Form1::NuevoSudoku() {
    DejarDeJugar();
    VaciarCuadricula();
    NumSeleccionado = 0;
    for (Etiqueta& n : N) {
        n.aspecto = kNoMarcado;
        n.marca = false;
    }
    for (int i = 0; i < kSegmentos; ++i) {
        T[i].clear();
        LbN[i].aspecto = kLbNoMarcado;
        LbN[i].marca = false;
    }
    for (int k = 0; k < kCasillas; ++k) {
        lb[k] = kLbNulo;
        PonerTextoCelda(k, {});
    }
    SegSeleccionado = -1;
    if (ModoBorrar) {
        ModoBorrar = false;
        LbDel.aspecto = kLbNoMarcado;
    }
    Tab.NuevoSudoku();
}

// ---- The puzzle --------------------------------------------------------------------------

Enunciado Form1::LeerEnunciado() {
    Enunciado e;
    e.killer = Tab.ModoKiller;
    e.sumas = T;
    for (int k = 0; k < kCasillas; ++k)
        e.segmento[k] = static_cast<int8_t>(Tab.CasillaSeg[k]);
    for (int k = 0; k < kCasillas; ++k) {
        if (lb[k].fondo != kLbAma.fondo) continue;
        e.fijas.set(k);
        e.textos[k] = TextoCelda(k);
    }
    return e;
}

void Form1::PintarEnunciado(const Enunciado& e) {
    CambiarModo(e.killer);
    for (int i = 0; i < kSegmentos; ++i)
        T[i] = e.sumas[i];
    for (int k = 0; k < kCasillas; ++k) {
        if (const int s = e.segmento[k]; s >= 0) {
            lb[k] = kPaleta[s];
            Tab.CasillaSeg[k] = static_cast<int16_t>(s);
        }
        if (e.fijas[k]) {
            lb[k] = kLbAma;
            PonerTextoCelda(k, e.textos[k]);
        }
    }
}

bool Form1::Validar() {
    const Enunciado e = LeerEnunciado();
    if (const auto m = velmora::Validar(Tab, e)) {
        // Behind the box already: where the fault is.
        Marcadas = CasillasNombradas(*m, e);
        plataforma_.Mostrar(*m);
        return false;
    }
    if (PasadaTrasValidar(Tab)) plataforma_.ProcesarEventos();
    return true;
}

} // namespace velmora
