#include "juego/estado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "files/sin_guardar.h"

namespace velmora {

namespace {

constexpr int kVersion = 1;
// A hundred days of play; more is no clock of ours.
constexpr int64_t kTiempoMaximo = int64_t{100} * 24 * 3600 * 1000;
constexpr int kPistasMaximas = 100000;

QString Ruta(const QString& carpeta) {
    return QDir(carpeta).filePath(QString::fromLatin1(kNombrePartida));
}

// A whole number in [minimo, maximo] and nothing else.
std::optional<int64_t> Entero(const QJsonValue& v, int64_t minimo, int64_t maximo) {
    if (!v.isDouble()) return std::nullopt;
    const double d = v.toDouble();
    if (!(d >= static_cast<double>(minimo) && d <= static_cast<double>(maximo)))
        return std::nullopt;
    const auto n = static_cast<int64_t>(d);
    if (static_cast<double>(n) != d) return std::nullopt;
    return n;
}

template <class T> bool LeerTabla(const QJsonValue& v, std::array<T, kCasillas>& a, int maximo) {
    const QJsonArray t = v.toArray();
    if (!v.isArray() || t.size() != kCasillas) return false;
    for (int k = 0; k < kCasillas; ++k) {
        const auto n = Entero(t[k], 0, maximo);
        if (!n) return false;
        a[k] = static_cast<T>(*n);
    }
    return true;
}

template <class T> QJsonArray ComoTabla(const std::array<T, kCasillas>& a) {
    QJsonArray t;
    for (const T x : a)
        t.append(static_cast<int>(x));
    return t;
}

// Every row, column and box holds each digit once.
bool RejillaCompleta(const Digitos& r) {
    std::array<uint16_t, 27> vistos{};
    for (int k = 0; k < kCasillas; ++k) {
        const int d = r[k];
        if (d < 1 || d > 9) return false;
        const int f = FilaDe(k), c = ColDe(k);
        for (const int casa : {f - 1, 8 + c, 17 + Cuadrante(f, c)}) {
            if (vistos[casa] & (1u << d)) return false;
            vistos[casa] = static_cast<uint16_t>(vistos[casa] | (1u << d));
        }
    }
    return true;
}

} // namespace

QByteArray EscribirPartida(const Partida& p) {
    const QJsonObject o{
        {"velmora-partida", kVersion},
        {"enunciado", QJsonDocument::fromJson(EscribirSinGuardar(p.enunciado)).object()},
        {"solucion", ComoTabla(p.solucion)},
        {"cifras", ComoTabla(p.cifras)},
        {"marcas", ComoTabla(p.marcas)},
        {"milisegundos", static_cast<double>(p.milisegundos)},
        {"pistas", p.pistas}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Partida> LeerPartida(const QByteArray& datos) {
    if (datos.size() > kTamanoMaximoPartida) return std::nullopt;
    const QJsonDocument d = QJsonDocument::fromJson(datos);
    if (!d.isObject()) return std::nullopt;
    const QJsonObject o = d.object();
    if (o.value("velmora-partida") != QJsonValue(kVersion) || !o.value("enunciado").isObject())
        return std::nullopt;
    const auto e = LeerSinGuardar(
        QJsonDocument(o.value("enunciado").toObject()).toJson(QJsonDocument::Compact));
    const auto ms = Entero(o.value("milisegundos"), 0, kTiempoMaximo);
    const auto pistas = Entero(o.value("pistas"), 0, kPistasMaximas);
    if (!e || !ms || !pistas) return std::nullopt;
    Partida p;
    p.enunciado = *e;
    p.milisegundos = *ms;
    p.pistas = static_cast<int>(*pistas);
    if (!LeerTabla(o.value("solucion"), p.solucion, 9) ||
        !LeerTabla(o.value("cifras"), p.cifras, 9) ||
        !LeerTabla(o.value("marcas"), p.marcas, kTodasLasMarcas) || !RejillaCompleta(p.solucion))
        return std::nullopt;
    for (int k = 0; k < kCasillas; ++k) {
        const int dada = Dada(p.enunciado, k);
        if (p.enunciado.fijas[k] && (dada == 0 || dada != p.solucion[k])) return std::nullopt;
        if (p.enunciado.fijas[k] && (p.cifras[k] != 0 || p.marcas[k] != 0)) return std::nullopt;
        if ((p.marcas[k] & ~kTodasLasMarcas) || (p.cifras[k] != 0 && p.marcas[k] != 0))
            return std::nullopt;
    }
    return p;
}

bool GuardarPartida(const QString& carpeta, const Partida& p) {
    if (!QDir().mkpath(carpeta)) return false;
    QSaveFile f(Ruta(carpeta));
    const QByteArray datos = EscribirPartida(p);
    // commit() alone would miss a write error left in the buffer (a full disk).
    return f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size() && f.flush() &&
           f.commit();
}

PartidaGuardada AbrirPartida(const QString& carpeta) {
    const QString ruta = Ruta(carpeta);
    if (!QFileInfo::exists(ruta)) return {};
    QFile f(ruta);
    if (!QFileInfo(ruta).isFile() || !f.open(QIODevice::ReadOnly)) return {true, std::nullopt};
    return {true, LeerPartida(f.read(kTamanoMaximoPartida + 1))};
}

void BorrarPartida(const QString& carpeta) {
    QFile::remove(Ruta(carpeta));
}

} // namespace velmora
