// Beyond drawing: undo and redo, the uniqueness verdict and the status bar.

#include "model/entero.h"
#include "solver/combinaciones.h"
#include "solver/veredicto.h"
#include "ui/form1.h"

namespace velmora {

namespace {

constexpr std::string_view kPunto = " · ";

std::string Numero(int64_t n, std::string_view separador) {
    return FormatearMovimientos(n, separador);
}

} // namespace

void Form1::AnotarCambio() {
    if (Resolviendo()) return;
    if (historial_.Anotar(LeerEnunciado())) {
        Marcadas.reset();
        dosSoluciones_.reset();
        resultado_ = Desenlace::Ninguno;
        aviso_.clear();
    }
    if (SegSeleccionado != segVisto_) {
        segVisto_ = SegSeleccionado;
        resultado_ = Desenlace::Ninguno;
        aviso_.clear();
    }
}

void Form1::Deshacer() {
    if (Resolviendo()) return;
    if (Jugando()) {
        if (!terminado_ && historialJuego_.Deshacer(*juego_)) TrasJugada();
        return;
    }
    AnotarCambio(); // a sum still being typed is the step to take back
    if (const auto e = historial_.Deshacer()) PintarEnunciado(*e);
}

void Form1::Rehacer() {
    if (Resolviendo()) return;
    if (Jugando()) {
        if (!terminado_ && historialJuego_.Rehacer(*juego_)) TrasJugada();
        return;
    }
    AnotarCambio();
    if (const auto e = historial_.Rehacer()) PintarEnunciado(*e);
}

void Form1::ComprobarUnica() {
    if (Jugando()) return;
    Dictaminar(false);
}

Veredicto Form1::Dictaminar(bool paraJugar) {
    if (Resolviendo()) return {};
    VaciarCuadricula();
    if (!Validar()) return {};
    const Reglas reglas = ReglasDe(Tab);
    Veredicto v;
    resolucion_.EnSegundoPlano({"Comprobando…", "rama", "ramas"},
                               [&](std::stop_token parar, std::atomic<int64_t>& cuenta) {
                                   v = Juez(reglas, Parada{std::move(parar), 0, &cuenta});
                               });
    ramas_ = v.ramas;
    static constexpr std::string_view kTitulo = "Comprobación";
    switch (v.soluciones) {
    case -1: // cancelled, or the window is closing
        resultado_ = Desenlace::ComprobacionCancelada;
        return v;
    case 0:
        resultado_ = Desenlace::Ninguna;
        plataforma_.MostrarMensaje("El sudoku no tiene solución.", kTitulo, Icono::Exclamacion);
        return v;
    case 1:
        if (paraJugar) return v; // the solution stays unshown
        // The grid shows the solution behind the box.
        resultado_ = Desenlace::Unica;
        MostrarRejilla(v.primera);
        plataforma_.MostrarMensaje("El sudoku tiene una única solución.", kTitulo,
                                   Icono::Informacion);
        return v;
    default:
        resultado_ = Desenlace::Varias;
        Marcadas = Diferencias(v);
        dosSoluciones_ = {v.primera, v.segunda};
        otraMostrada_ = false;
        MostrarRejilla(v.primera);
        if (plataforma_.MostrarMensajeCon({"El sudoku tiene más de una solución. Las casillas "
                                           "marcadas difieren entre dos de ellas.",
                                           std::string(kTitulo), Icono::Exclamacion},
                                          "Ver la otra solución"))
            OtraSolucion();
        return v;
    }
}

bool Form1::HayOtraSolucion() const {
    return !Resolviendo() && dosSoluciones_.has_value();
}

void Form1::OtraSolucion() {
    if (!HayOtraSolucion()) return;
    otraMostrada_ = !otraMostrada_;
    MostrarRejilla((*dosSoluciones_)[otraMostrada_ ? 1 : 0]);
}

std::string Form1::TextoEstado(std::string_view separador) {
    if (std::string tarea = resolucion_.TextoTarea(separador); !tarea.empty()) return tarea;
    if (Jugando()) return TextoJuego();
    if (Resolviendo()) return "Resolviendo…";
    const std::string movimientos = Numero(Tab.Movimientos, separador) + " movimientos";
    switch (resultado_) {
    case Desenlace::Ninguno:
        if (!aviso_.empty()) return aviso_;
        break;
    case Desenlace::Resuelto:
        return "Resuelto en " + movimientos;
    case Desenlace::SinSolucion:
        return "Sin solución tras " + movimientos;
    case Desenlace::Cancelado:
        return "Cancelado tras " + movimientos;
    case Desenlace::Unica:
        return "Una única solución";
    case Desenlace::Ninguna:
        return "Ninguna solución";
    case Desenlace::Varias:
        return "Más de una solución";
    case Desenlace::Calificado:
        return TextoCalificacion();
    case Desenlace::PistaDada:
        return "Pista: " + textoPista_;
    case Desenlace::Interrumpido:
        return "Cancelado";
    case Desenlace::ComprobacionCancelada:
        return "Comprobación cancelada tras " + Numero(ramas_, separador) +
               (ramas_ == 1 ? " rama" : " ramas");
    }
    if (!Tab.ModoKiller) {
        int pistas = 0;
        for (int k = 0; k < kCasillas; ++k)
            pistas += lb[k].fondo == kLbAma.fondo;
        return "Pistas: " + std::to_string(pistas) + " de 81";
    }
    std::array<int, kSegmentos> casillas{};
    int marcadas = 0;
    for (const int s : Tab.CasillaSeg)
        if (s >= 0 && s < kSegmentos) ++casillas[s], ++marcadas;
    if (SegSeleccionado < 0) {
        int suma = 0;
        for (const std::string& t : T)
            suma += std::max(LeerEntero(t, 255), 0);
        return "Casillas: " + std::to_string(marcadas) + " de 81" + std::string(kPunto) +
               "Suma: " + std::to_string(suma) + " de 405";
    }
    const int n = casillas[SegSeleccionado];
    std::string texto = "Segmento " + std::to_string(SegSeleccionado + 1) + std::string(kPunto) +
                        std::to_string(n) + (n == 1 ? " casilla" : " casillas") +
                        std::string(kPunto);
    const int suma = LeerEntero(T[SegSeleccionado], 255);
    if (suma < 0) return texto + "sin suma";
    texto += "suma " + std::to_string(suma) + std::string(kPunto);
    const auto conjuntos = Combinaciones(n, suma);
    if (conjuntos.empty()) return texto + "ninguna combinación";
    constexpr size_t kMostradas = 6;
    if (conjuntos.size() > kMostradas)
        texto += std::to_string(conjuntos.size()) + " combinaciones: ";
    for (size_t i = 0; i < conjuntos.size() && i < kMostradas; ++i)
        texto += (i ? ", " : "") + TextoCombinacion(conjuntos[i]);
    if (conjuntos.size() > kMostradas) texto += "…";
    return texto;
}

} // namespace velmora
