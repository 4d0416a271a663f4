// velmora-cli convert: a puzzle from Velmora XML or any text format into any other.

#include "convertir.h"

#include <QFile>
#include <QSaveFile>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/puzzle_xml.h"
#include "formats/formatos.h"
#include "lectura.h"

namespace velmora {

namespace {

constexpr int kSalidaHecho = 0, kSalidaError = 2, kSalidaUso = 64;

constexpr std::string_view kUso =
    "Uso: velmora-cli convert [--to xml|classic|killer-short|killer-long|fpuzzles|fpuzzles-url]\n"
    "                         [--from FORMATO] ENTRADA [SALIDA]\n";

constexpr std::string_view kAyudaConvertir =
    "\n"
    "Lee el sudoku de ENTRADA, un fichero XML de Velmora o un texto en cualquiera de los\n"
    "formatos de abajo ('-' es la entrada estándar), y lo escribe en SALIDA, o en la salida\n"
    "estándar si no se indica, en el formato pedido con --to (xml si no se indica):\n"
    "  xml           fichero XML de Velmora, como lo guarda la ventana\n"
    "  classic       línea clásica de 81 caracteres ('.' para una casilla vacía)\n"
    "  killer-short  cadena Killer corta (81 caracteres: sumas y flechas)\n"
    "  killer-long   cadena Killer larga (SumoCue: 3x3::k: y 81 números)\n"
    "  fpuzzles      JSON de f-puzzles\n"
    "  fpuzzles-url  enlace de f-puzzles (?load=)\n"
    "--from FORMATO lee ENTRADA en ese formato en lugar de deducirlo del texto (una cadena\n"
    "Killer corta de segmentos de una casilla parece una línea clásica).\n"
    "El sudoku debe ser válido, como para resolverlo. Salida 0 si se convierte, 2 si la entrada\n"
    "no se puede leer o se rechaza o la salida no se puede escribir (el motivo se escribe en la\n"
    "salida de errores como 'título: texto').\n";

int Uso() {
    std::cerr << kUso;
    return kSalidaUso;
}

int Fallo(std::string_view titulo, std::string_view texto) {
    std::cerr << titulo << ": " << texto << '\n';
    return kSalidaError;
}

} // namespace

bool EscribirSalida(std::string_view ruta, const std::string& texto) {
    if (ruta.empty() || ruta == "-") {
        std::cout << texto << std::flush;
        return static_cast<bool>(std::cout);
    }
    QSaveFile f(QFile::decodeName(std::string(ruta).c_str()));
    if (!f.open(QIODevice::WriteOnly)) return false;
    const auto tamano = static_cast<qint64>(texto.size());
    return f.write(texto.data(), tamano) == tamano && f.commit();
}

int Convertir(int argc, char** argv) {
    Formato destino = Formato::Xml;
    std::optional<Formato> origen;
    std::vector<std::string_view> rutas;
    for (int i = 0; i < argc; ++i) {
        const std::string_view a = argv[i];
        std::optional<std::string_view> nombre;
        if (a == "--help" || a == "-h") {
            std::cout << kUso << kAyudaConvertir;
            return kSalidaHecho;
        }
        if (a == "--to" || a == "--from") {
            if (++i == argc) return Uso();
            nombre = argv[i];
        } else if (a.starts_with("--to=") || a.starts_with("--from=")) {
            nombre = a.substr(a.find('=') + 1);
        } else if (a.starts_with("-") && a != "-") {
            return Uso();
        } else {
            rutas.push_back(a);
        }
        if (nombre) {
            const auto f = FormatoDeNombre(*nombre);
            if (!f) return Uso();
            if (a.starts_with("--from"))
                origen = f;
            else
                destino = *f;
        }
    }
    if (rutas.empty() || rutas.size() > 2) return Uso();

    const auto leido = LeerEntrada(rutas[0], origen);
    if (!leido) return Fallo(leido.error().titulo, leido.error().texto);
    if (leido->aviso) std::cerr << leido->aviso->titulo << ": " << leido->aviso->texto << '\n';
    auto texto = EscribirTexto(leido->enunciado, destino);
    if (!texto) return Fallo(texto.error().titulo, texto.error().texto);
    std::string salida = *texto;
    if (destino != Formato::Xml) salida += '\n';
    if (!EscribirSalida(rutas.size() == 2 ? rutas[1] : "", salida))
        return Fallo(kTituloFichero, kTextoErrorGuardar);
    return kSalidaHecho;
}

} // namespace velmora
