#include "lectura.h"

#include <QFile>
#include <QFileInfo>
#include <iostream>
#include <string>

#include "files/puzzle_xml.h"

namespace velmora {

namespace {

ErrorFormato NoSeAbre() {
    return {std::string(kTextoErrorAbrir), std::string(kTituloFichero)};
}

std::optional<std::string> LeerBytes(std::string_view ruta) {
    const qint64 maximo = kTamanoMaximoTexto + 1; // one more byte tells a text that is too long
    if (ruta == "-") {
        std::string texto(maximo, '\0');
        std::cin.read(texto.data(), maximo);
        texto.resize(static_cast<size_t>(std::cin.gcount()));
        return texto;
    }
    const QString nombre = QFile::decodeName(std::string(ruta).c_str());
    // Only regular files: opening a pipe would wait for a writer forever.
    if (!QFileInfo(nombre).isFile()) return std::nullopt;
    QFile f(nombre);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.read(maximo).toStdString();
}

} // namespace

Resultado<TextoLeido> LeerEntrada(std::string_view ruta, std::optional<Formato> formato) {
    const auto texto = LeerBytes(ruta);
    if (!texto) return NoSeAbre();
    if (!formato) formato = DetectarFormato(*texto);
    // Opening refuses a file too large to be a puzzle, as the window does.
    if (formato == Formato::Xml && texto->size() > kTamanoMaximoTexto) return NoSeAbre();
    return LeerTextoConAviso(*texto, formato);
}

} // namespace velmora
