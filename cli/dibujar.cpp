// velmora-cli render: the puzzle of a file, and maybe its solution, as a PDF page, a PNG or an
// SVG image.

#include "dibujar.h"

#include <QFile>
#include <QGuiApplication>
#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "consola.h"
#include "render/dibujo.h"

namespace velmora {

namespace {

constexpr int kHecho = 0, kSinSolucion = 1, kError = 2, kUso = 64;

int Uso(std::string_view ayuda, std::string_view motivo = {}) {
    if (!motivo.empty()) std::cerr << "velmora-cli render: " << motivo << '\n';
    std::cerr << ayuda;
    return kUso;
}

bool LeerLado(std::string_view texto, int& lado) {
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), lado);
    return error == std::errc() && fin == texto.data() + texto.size() && lado >= kLadoMinimo &&
           lado <= kLadoMaximo;
}

} // namespace

int Dibujar(int argc, char** argv, std::string_view ayuda) {
    const std::string malLado = "el tamaño debe ser un número de píxeles entre " +
                                std::to_string(kLadoMinimo) + " y " + std::to_string(kLadoMaximo);
    bool conSolucion = false;
    int lado = kLadoPng;
    std::optional<Formato> origen;
    std::vector<std::string_view> rutas;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << ayuda;
            return kHecho;
        }
        if (a == "--solucion") {
            conSolucion = true;
        } else if (a == "--quiet" || a == "-q") {
            // Nothing to quieten: rendering shows no progress.
        } else if (a == "--tamano" || a.starts_with("--tamano=")) {
            std::string_view valor = a.substr(std::string_view("--tamano").size());
            if (valor.empty()) {
                if (++i == argc) return Uso(ayuda, malLado);
                valor = argv[i];
            } else {
                valor.remove_prefix(1);
            }
            if (!LeerLado(valor, lado)) return Uso(ayuda, malLado);
        } else if (a == "--from" || a.starts_with("--from=")) {
            std::string_view nombre = a.substr(std::string_view("--from").size());
            if (nombre.empty()) {
                if (++i == argc) return Uso(ayuda);
                nombre = argv[i];
            } else {
                nombre.remove_prefix(1);
            }
            origen = FormatoDeNombre(nombre);
            if (!origen) return Uso(ayuda);
        } else if (a.starts_with("-") && a != "-") {
            return Uso(ayuda);
        } else {
            rutas.push_back(a);
        }
    }
    if (rutas.size() != 2) return Uso(ayuda);
    const QString salida = QFile::decodeName(rutas[1].data());
    const auto formato = FormatoDe(salida);
    if (!formato) return Uso(ayuda, "el fichero de salida debe terminar en .pdf, .png o .svg");

    Consola s;
    if (!s.Abrir(rutas[0], origen)) return kError;
    // Without a solution the search has said so on stderr.
    if (conSolucion && s.Resolver().final != Final::Resuelto) return kSinSolucion;

    // Drawing text needs a GUI application; a command-line program never wants a display. Qt's
    // own warnings (no runtime folder, and the like) are no business of the user here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& m) {
        if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::cerr << m.toStdString() << '\n';
    });
    int argcQt = 1;
    QGuiApplication app(argcQt, argv);
    if (!GuardarImagen(salida, *formato, s.e, conSolucion ? &s.t.Matriz : nullptr, lado)) {
        s.Mostrar(
            {std::string(kTextoErrorExportar), std::string(kTituloExportar), Icono::Exclamacion});
        return kError;
    }
    return kHecho;
}

} // namespace velmora
