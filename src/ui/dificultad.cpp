// Reasoning about the puzzle as a person does: the grade with its steps, and the next step as a
// hint. Both run off the window's thread, after the verdict has found the one solution.

#include "logica/logica.h"
#include "ui/form1.h"

namespace velmora {

namespace {

constexpr std::string_view kTituloDificultad = "Dificultad";

} // namespace

std::optional<Candidatos> Form1::CandidatosConSolucion(std::string_view que) {
    VaciarCuadricula();
    if (!Validar()) return std::nullopt;
    const Enunciado e = LeerEnunciado();
    const Reglas reglas = ReglasDe(Tab);
    std::optional<Candidatos> c;
    int soluciones = -1;
    resolucion_.EnSegundoPlano({std::string(que), "rama", "ramas"},
                               [&](std::stop_token parar, std::atomic<int64_t>& cuenta) {
                                   const Veredicto v = Juez(reglas, Parada{parar, 0, &cuenta});
                                   soluciones = v.soluciones;
                                   if (soluciones != 1) return;
                                   c.emplace(e);
                                   c->FijarSolucion(v.primera, true);
                               });
    if (soluciones == -1) {
        resultado_ = Desenlace::Interrumpido;
        return std::nullopt;
    }
    if (soluciones != 1) {
        // Steps need the one solution a person can reach.
        plataforma_.MostrarMensaje(soluciones == 0
                                       ? "El sudoku no tiene solución."
                                       : "El sudoku tiene más de una solución: no se puede "
                                         "resolver paso a paso.",
                                   kTituloDificultad, Icono::Exclamacion);
        return std::nullopt;
    }
    return c;
}

bool Form1::Calificar() {
    if (Resolviendo()) return false;
    std::optional<Candidatos> c = CandidatosConSolucion("Comprobando…");
    if (!c) return false;
    std::optional<Calificacion> cal;
    const bool completa = resolucion_.EnSegundoPlano(
        {"Calificando…", "", ""},
        [&](std::stop_token parar, std::atomic<int64_t>&) { cal = Resolver(*c, parar); });
    if (!completa || !cal) {
        resultado_ = Desenlace::Interrumpido;
        return false;
    }
    calificacion_ = std::move(*cal);
    resultado_ = Desenlace::Calificado;
    return true;
}

void Form1::ResaltarPaso(int i) {
    Marcadas.reset();
    if (!calificacion_ || i < 0 || i >= static_cast<int>(calificacion_->pasos.size())) return;
    MarcarPaso(calificacion_->pasos[i]);
}

void Form1::MarcarPaso(const Paso& p) {
    Marcadas.reset();
    for (const auto& v : {p.origen, p.cambiadas})
        for (const uint8_t k : v)
            Marcadas.set(k);
    for (const int8_t s : p.segmentos)
        for (int k = 0; k < kCasillas; ++k)
            if (Tab.CasillaSeg[k] == s) Marcadas.set(k);
}

void Form1::DarPista() {
    if (Resolviendo()) return;
    std::optional<Candidatos> c = CandidatosConSolucion("Buscando una pista…");
    if (!c) return;
    std::optional<Paso> p;
    if (!resolucion_.EnSegundoPlano(
            {"Buscando una pista…", "", ""},
            [&](std::stop_token, std::atomic<int64_t>&) { p = SiguientePaso(*c); })) {
        resultado_ = Desenlace::Interrumpido;
        return;
    }
    textoPista_ = p ? p->frase : "Ningún paso lógico encaja: solo queda probar.";
    resultado_ = Desenlace::PistaDada;
    if (p) MarcarPaso(*p);
}

std::string Form1::TextoCalificacion() const {
    if (!calificacion_) return {};
    return "Dificultad: " + std::string(NombreNivel(calificacion_->nivel)) + " (puntuación " +
           std::to_string(calificacion_->puntuacion) + ")";
}

} // namespace velmora
