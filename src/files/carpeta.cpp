#include "files/carpeta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

namespace {

constexpr const char* kNombre = "velmora.ini";
// A folder path is short; a longer first line is not one.
constexpr qint64 kLineaMaxima = 32 * 1024;

} // namespace

CarpetaRecordada::CarpetaRecordada(QString carpetaPrograma, QString carpetaConfiguracion)
    : carpetaPrograma_(std::move(carpetaPrograma)) {
    const QFileInfo programa(carpetaPrograma_);
    const QString carpeta =
        programa.isDir() && programa.isWritable() ? carpetaPrograma_ : carpetaConfiguracion;
    fichero_ = QDir(carpeta).filePath(kNombre);
}

QString CarpetaRecordada::CarpetaInicial() const {
    if (!QFileInfo(fichero_).isFile()) return carpetaPrograma_;
    QFile f(fichero_);
    if (!f.open(QIODevice::ReadOnly)) return carpetaPrograma_;
    // readLine(n) reads at most n - 1 bytes.
    QByteArray linea = f.readLine(kLineaMaxima + 2);
    if (linea.size() > kLineaMaxima) return carpetaPrograma_;
    while (linea.endsWith('\n') || linea.endsWith('\r'))
        linea.chop(1);
    if (linea.isEmpty()) return carpetaPrograma_;
    QStringDecoder sistema(QStringConverter::System);
    // A folder removed since: the nearest one on its path that still exists. A dialog given a
    // missing folder would show its name as the file name.
    QFileInfo carpeta(QString(sistema(linea)));
    while (!carpeta.isDir()) {
        const QString arriba = carpeta.absolutePath();
        if (arriba == carpeta.absoluteFilePath()) return carpetaPrograma_;
        carpeta.setFile(arriba);
    }
    return carpeta.absoluteFilePath();
}

void CarpetaRecordada::GuardarCarpeta(const QString& ruta, const QString& titulo) const {
    const QString carpeta = ruta.left(ruta.size() - titulo.size() - 1);
    QDir().mkpath(QFileInfo(fichero_).absolutePath());
    QSaveFile f(fichero_);
    if (!f.open(QIODevice::WriteOnly)) return;
    QStringEncoder sistema(QStringConverter::System);
    f.write(QByteArray(sistema(carpeta)) + "\r\n");
    if (f.flush()) f.commit(); // commit() alone would miss a write error (a full disk)
}

} // namespace velmora
