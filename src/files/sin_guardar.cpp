#include "files/sin_guardar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace velmora {

namespace {

constexpr int kVersion = 1;
// A caption or a sum read from a file may be anything; this is far more than any is.
constexpr qsizetype kTextoMaximo = 1024;

QString Ruta(const QString& carpeta) {
    return QDir(carpeta).filePath(QString::fromLatin1(kNombreSinGuardar));
}

std::optional<std::string> Cadena(const QJsonValue& v) {
    if (!v.isString() || v.toString().size() > kTextoMaximo) return std::nullopt;
    return v.toString().toStdString();
}

} // namespace

QByteArray EscribirSinGuardar(const Enunciado& e) {
    QJsonArray sumas, segmentos, fijas;
    for (const std::string& s : e.sumas)
        sumas.append(QString::fromStdString(s));
    for (const int8_t s : e.segmento)
        segmentos.append(s);
    for (int k = 0; k < kCasillas; ++k)
        if (e.fijas[k]) fijas.append(QJsonArray{k, QString::fromStdString(e.textos[k])});
    const QJsonObject o{{"velmora", kVersion},
                        {"killer", e.killer},
                        {"sumas", sumas},
                        {"segmentos", segmentos},
                        {"fijas", fijas}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Enunciado> LeerSinGuardar(const QByteArray& datos) {
    if (datos.size() > kTamanoMaximoSinGuardar) return std::nullopt;
    const QJsonDocument d = QJsonDocument::fromJson(datos);
    if (!d.isObject()) return std::nullopt;
    const QJsonObject o = d.object();
    const QJsonArray sumas = o.value("sumas").toArray(), segmentos = o.value("segmentos").toArray(),
                     fijas = o.value("fijas").toArray();
    if (o.value("velmora").toInt() != kVersion || !o.value("killer").isBool() ||
        sumas.size() != kSegmentos || segmentos.size() != kCasillas)
        return std::nullopt;
    Enunciado e;
    e.killer = o.value("killer").toBool();
    for (int i = 0; i < kSegmentos; ++i) {
        const auto s = Cadena(sumas[i]);
        if (!s) return std::nullopt;
        e.sumas[i] = *s;
    }
    for (int k = 0; k < kCasillas; ++k) {
        const QJsonValue v = segmentos[k];
        const int s = v.toInt(-2);
        if (!v.isDouble() || v.toDouble() != s || s < -1 || s >= kSegmentos) return std::nullopt;
        e.segmento[k] = static_cast<int8_t>(s);
    }
    for (const QJsonValue& f : fijas) {
        const QJsonArray par = f.toArray();
        const int k = par.size() == 2 ? par[0].toInt(-1) : -1;
        const auto texto = par.size() == 2 ? Cadena(par[1]) : std::nullopt;
        if (k < 0 || k >= kCasillas || par[0].toDouble() != k || !texto || e.fijas[k])
            return std::nullopt;
        e.fijas.set(k);
        e.textos[k] = *texto;
    }
    return e;
}

bool GuardarSinGuardar(const QString& carpeta, const Enunciado& e) {
    if (!QDir().mkpath(carpeta)) return false;
    QSaveFile f(Ruta(carpeta));
    const QByteArray datos = EscribirSinGuardar(e);
    // commit() alone would miss a write error left in the buffer (a full disk).
    return f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size() && f.flush() &&
           f.commit();
}

std::optional<Enunciado> AbrirSinGuardar(const QString& carpeta) {
    const QString ruta = Ruta(carpeta);
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return LeerSinGuardar(f.read(kTamanoMaximoSinGuardar + 1));
}

void BorrarSinGuardar(const QString& carpeta) {
    QFile::remove(Ruta(carpeta));
}

} // namespace velmora
