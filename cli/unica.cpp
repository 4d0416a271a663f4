#include "unica.h"

#include <iostream>
#include <string>

#include "files/puzzle_xml.h"
#include "solver/veredicto.h"
#include "validation/validacion.h"

namespace velmora {

namespace {

constexpr int kSalidaUnica = 0, kSalidaNinguna = 1, kSalidaError = 2, kSalidaVarias = 3;

void Escribir(const Mensaje& m) {
    std::cerr << m.titulo << ": " << m.texto << '\n';
}

std::string Cuadricula(const std::array<uint8_t, kCasillas>& digitos) {
    std::string texto;
    for (int k = 0; k < kCasillas; ++k) {
        texto += digitos[k] ? static_cast<char>('0' + digitos[k]) : '.';
        if (k % 9 == 8) texto += '\n';
    }
    return texto;
}

} // namespace

int ComandoUnica(const QString& ruta) {
    const Apertura a = AbrirPuzzle(ruta);
    if (!a.completo) {
        Escribir({std::string(kTextoErrorAbrir), std::string(kTituloFichero), Icono::Exclamacion});
        return kSalidaError;
    }
    Tablero t;
    if (const auto m = Validar(t, a.enunciado)) {
        Escribir(*m);
        return kSalidaError;
    }
    const Veredicto v = Juzgar(t);
    switch (v.soluciones) {
    case 0:
        std::cout << "Soluciones: 0\n";
        return kSalidaNinguna;
    case 1:
        std::cout << "Soluciones: 1\n" << Cuadricula(v.primera);
        return kSalidaUnica;
    default:
        std::cout << "Soluciones: 2 o más\n"
                  << Cuadricula(v.primera) << '\n'
                  << Cuadricula(v.segunda);
        return kSalidaVarias;
    }
}

} // namespace velmora
