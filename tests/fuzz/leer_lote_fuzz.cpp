// Any bytes as a collection: every line through the line reader, split into puzzle and label,
// read in the format it looks like and checked, as `velmora-cli check --batch` does. Each line
// must give exactly one result line, tab-separated with its four fields, or a JSON object that
// parses and says the same.

#include <unistd.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exigir.h"
#include "lote/lote.h"

namespace {

using namespace velmora;
using namespace velmora::lote;

const Juez kComprobar = [](const Enunciado& e, Tablero&, std::stop_token) {
    return Campos{{"estado", "válido"}, {"tipo", e.killer ? "killer" : "clásico"}};
};

// The lines as the reader gives them, cut at `maximo` bytes, without CR before the LF.
std::vector<std::string> Partir(std::string_view texto, size_t maximo) {
    std::vector<std::string> lineas;
    for (size_t inicio = 0; inicio < texto.size();) {
        const size_t fin = std::min(texto.find('\n', inicio), texto.size());
        std::string l(texto.substr(inicio, std::min(fin - inicio, maximo)));
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lineas.push_back(std::move(l));
        inicio = fin + 1;
    }
    return lineas;
}

// The reader over a pipe agrees with the plain split; the input fits the pipe's buffer.
void LeerPorTubo(std::string_view texto, size_t maximo) {
    int tubo[2];
    Exigir(pipe(tubo) == 0);
    Exigir(write(tubo[1], texto.data(), texto.size()) == static_cast<ssize_t>(texto.size()));
    close(tubo[1]);
    LectorLineas lector(tubo[0], maximo);
    std::vector<std::string> lineas;
    std::string linea;
    int64_t numero = 0;
    while (lector.Siguiente(linea, numero)) {
        lineas.push_back(linea);
        Exigir(numero == static_cast<int64_t>(lineas.size()));
    }
    close(tubo[0]);
    Exigir(!lector.Error() && lector.Bytes() == static_cast<int64_t>(texto.size()));
    Exigir(lineas == Partir(texto, maximo));
}

void Linea(int64_t numero, std::string_view linea) {
    const Partes p = PartirLinea(linea);
    Exigir(!p.puzzle.empty());
    Exigir(p.puzzle.data() >= linea.data() &&
           p.etiqueta.data() + p.etiqueta.size() <= linea.data() + linea.size());
    Salida tsv, json;
    EvaluarLinea(kComprobar, {}, numero, linea, {}, tsv);
    EvaluarLinea(kComprobar, {{}, true}, numero, linea, {}, json);
    Exigir(tsv.rechazada == json.rechazada && tsv.aviso == json.aviso);
    // The reader of the formats agrees on the puzzle alone.
    Exigir(tsv.rechazada || LeerTexto(p.puzzle));
    Exigir(tsv.linea.find('\n') == std::string::npos && json.linea.find('\n') == std::string::npos);
    int tabuladores = 0;
    for (const char c : tsv.linea)
        tabuladores += c == '\t';
    Exigir(tabuladores == 3);
    Exigir(tsv.linea.starts_with(std::to_string(numero) + '\t'));
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.linea), &error);
    Exigir(error.error == QJsonParseError::NoError && doc.isObject());
    const QJsonObject o = doc.object();
    Exigir(o.value("linea").toInteger() == numero);
    Exigir((o.value("estado").toString() == "rechazado") == tsv.rechazada);
    if (QString::fromUtf8(p.etiqueta).toUtf8().toStdString() == p.etiqueta &&
        p.etiqueta.find('\0') == std::string_view::npos) {
        Exigir(o.value("etiqueta").toString().toStdString() == p.etiqueta);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
    if (tamano <= 4096) {
        LeerPorTubo(texto, 1 << 20);
        LeerPorTubo(texto, 40);
    }
    int64_t numero = 0;
    for (const std::string& linea : Partir(texto, kTamanoMaximoTexto + 1)) {
        ++numero;
        if (TienePuzzle(linea)) Linea(numero, linea);
    }
    return 0;
}
