#include "pasos.h"

#include <iostream>
#include <string>
#include <vector>

#include "consola.h"
#include "logica/logica.h"

namespace velmora {

namespace {

constexpr int kResuelto = 0, kSinSolucion = 1, kError = 2, kVarias = 3, kDetenido = 4;

std::string Json(std::string_view s) {
    std::string r = "\"";
    for (const char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            r += '\\';
            r += ch;
        } else if (u < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            r += "\\u00";
            r += kHex[u >> 4];
            r += kHex[u & 15];
        } else {
            r += ch;
        }
    }
    return r + '"';
}

template <class V, class F> std::string Lista(const V& v, F texto) {
    std::string r = "[";
    for (const auto& x : v) {
        if (r.size() > 1) r += ',';
        r += texto(x);
    }
    return r + ']';
}

std::string Digitos(const std::vector<std::pair<uint8_t, uint8_t>>& v) {
    return Lista(v, [](const auto& p) {
        return "{\"casilla\":" + Json(NombreCasilla(p.first)) +
               ",\"digito\":" + std::to_string(p.second) + '}';
    });
}

std::string JsonPaso(int n, const Paso& p, const Candidatos& c) {
    const auto casilla = [](uint8_t k) { return Json(NombreCasilla(k)); };
    // A cage is named by its first cell, as the sentences do.
    const auto jaula = [&](int8_t s) {
        for (const Jaula& j : c.Jaulas())
            if (j.segmento == s) return Json(NombreCasilla(j.casillas.front()));
        return std::string("null");
    };
    const auto casa = [](uint8_t h) { return Json(NombreCasa(h)); };
    return "{\"paso\":" + std::to_string(n) + ",\"tecnica\":" + Json(NombreTecnica(p.tecnica)) +
           ",\"nivel\":" + Json(NombreNivel(p.nivel)) + ",\"peso\":" + std::to_string(p.peso) +
           ",\"origen\":" + Lista(p.origen, casilla) +
           ",\"cambiadas\":" + Lista(p.cambiadas, casilla) +
           ",\"jaulas\":" + Lista(p.segmentos, jaula) + ",\"casas\":" + Lista(p.casas, casa) +
           ",\"colocadas\":" + Digitos(p.colocadas) + ",\"eliminadas\":" + Digitos(p.eliminadas) +
           ",\"frase\":" + Json(p.frase) + '}';
}

std::string LineaDificultad(const Calificacion& cal) {
    return "Dificultad: " + std::string(NombreNivel(cal.nivel)) + " (puntuación " +
           std::to_string(cal.puntuacion) + ")";
}

} // namespace

int ComandoPasos(bool todos, std::string_view ruta, std::optional<Formato> formato, bool json) {
    Consola consola;
    if (!consola.Abrir(ruta, formato)) return kError;
    Candidatos c(consola.e);
    const Veredicto v = Juzgar(c.ReglasDelPuzzle());
    if (v.soluciones != 1) {
        consola.Mostrar({v.soluciones == 0
                             ? "El sudoku no tiene solución; no se puede calificar."
                             : "El sudoku tiene más de una solución; solo se califica un sudoku "
                               "con una solución única.",
                         "Calificación", Icono::Exclamacion});
        return v.soluciones == 0 ? kSinSolucion : kVarias;
    }
    c.FijarSolucion(v.primera, true);
    const Calificacion cal = Resolver(c);
    if (todos)
        for (size_t i = 0; i < cal.pasos.size(); ++i) {
            if (json)
                std::cout << JsonPaso(static_cast<int>(i + 1), cal.pasos[i], c) << '\n';
            else
                std::cout << i + 1 << ". " << cal.pasos[i].frase << '\n';
        }
    if (json) {
        std::cout << "{\"dificultad\":" << Json(NombreNivel(cal.nivel))
                  << ",\"puntuacion\":" << cal.puntuacion
                  << ",\"tecnica\":" << Json(NombreTecnica(cal.masDificil))
                  << ",\"pasos\":" << cal.pasos.size()
                  << ",\"resuelto\":" << (cal.resuelto ? "true" : "false") << "}\n";
    } else {
        std::cout << LineaDificultad(cal) << '\n';
        if (!todos) std::cout << "Técnica más difícil: " << NombreTecnica(cal.masDificil) << '\n';
    }
    if (!cal.resuelto) {
        consola.Mostrar({"Ningún paso lógico permite seguir; los pasos hasta aquí están arriba.",
                         "Calificación", Icono::Exclamacion});
        return kDetenido;
    }
    return kResuelto;
}

} // namespace velmora
