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
    AnotarCambio(); // a sum still being typed is the step to take back
    if (const auto e = historial_.Deshacer()) PintarEnunciado(*e);
}

void Form1::Rehacer() {
    if (Resolviendo()) return;
    AnotarCambio();
    if (const auto e = historial_.Rehacer()) PintarEnunciado(*e);
}

void Form1::ComprobarUnica() {
    if (Resolviendo()) return;
    VaciarCuadricula();
    if (!Validar()) return;
    const Veredicto v = Juzgar(Tab);
    static constexpr std::string_view kTitulo = "Comprobación";
    switch (v.soluciones) {
    case 0:
        resultado_ = Desenlace::Ninguna;
        plataforma_.MostrarMensaje("El sudoku no tiene solución.", kTitulo, Icono::Exclamacion);
        return;
    case 1:
        resultado_ = Desenlace::Unica;
        plataforma_.MostrarMensaje("El sudoku tiene una única solución.", kTitulo,
                                   Icono::Informacion);
        break;
    default:
        resultado_ = Desenlace::Varias;
        plataforma_.MostrarMensaje("El sudoku tiene más de una solución. Las casillas marcadas "
                                   "difieren entre dos de ellas.",
                                   kTitulo, Icono::Exclamacion);
        Marcadas = Diferencias(v);
        break;
    }
    MostrarRejilla(v.primera);
}

std::string Form1::TextoEstado(std::string_view separador) {
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
