#include "files/carpeta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

namespace velmora {

namespace {

constexpr const char* kNombre = "velmora.ini";
// A folder path is short; a longer first line is not one.
constexpr qint64 kLineaMaxima = 32 * 1024;

QString Canonica(const QString& carpeta) {
    const QString c = QFileInfo(carpeta).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QFileInfo(carpeta).absoluteFilePath()) : c;
}

} // namespace

QStringList CarpetasInstaladas() {
#ifdef VELMORA_CARPETAS_INSTALADAS
    return QString::fromUtf8(VELMORA_CARPETAS_INSTALADAS)
        .split(QLatin1Char('|'), Qt::SkipEmptyParts);
#else
    return {};
#endif
}

bool Instalado(const QString& carpetaPrograma, const QStringList& instaladas) {
    const QString programa = Canonica(carpetaPrograma);
    for (const QString& i : instaladas)
        if (Canonica(i) == programa) return true;
    return false;
}

QString CarpetaDeAjustes(const QString& carpetaPrograma, const QString& carpetaConfiguracion,
                         const QStringList& instaladas) {
    if (Instalado(carpetaPrograma, instaladas)) return carpetaConfiguracion;
    const QFileInfo info(carpetaPrograma);
    return info.isDir() && info.isWritable() ? carpetaPrograma : carpetaConfiguracion;
}

CarpetaRecordada::CarpetaRecordada(QString carpetaPrograma, QString carpetaConfiguracion,
                                   const QStringList& instaladas)
    : carpetaPrograma_(std::move(carpetaPrograma)) {
    // Nobody keeps puzzles in /usr/bin: an installed program's dialogs start at home.
    inicio_ = Instalado(carpetaPrograma_, instaladas) ? QDir::homePath() : carpetaPrograma_;
    fichero_ = QDir(CarpetaDeAjustes(carpetaPrograma_, carpetaConfiguracion, instaladas))
                   .filePath(kNombre);
}

QList<QByteArray> CarpetaRecordada::Lineas() const {
    if (!QFileInfo(fichero_).isFile()) return {};
    QFile f(fichero_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lineas;
    // The folder, the recent files and the play line.
    while (lineas.size() <= kRecientes + 1 && !f.atEnd()) {
        // readLine(n) reads at most n - 1 bytes.
        QByteArray linea = f.readLine(kLineaMaxima + 2);
        if (linea.size() > kLineaMaxima) break;
        while (linea.endsWith('\n') || linea.endsWith('\r'))
            linea.chop(1);
        lineas.push_back(linea);
    }
    return lineas;
}

QString CarpetaRecordada::CarpetaInicial() const {
    const QList<QByteArray> lineas = Lineas();
    if (lineas.isEmpty() || lineas.first().isEmpty()) return inicio_;
    QStringDecoder sistema(QStringConverter::System);
    // A folder removed since: the nearest one on its path that still exists. A dialog given a
    // missing folder would show its name as the file name.
    QFileInfo carpeta(QString(sistema(lineas.first())));
    while (!carpeta.isDir()) {
        const QString arriba = carpeta.absolutePath();
        if (arriba == carpeta.absoluteFilePath()) return inicio_;
        carpeta.setFile(arriba);
    }
    return carpeta.absoluteFilePath();
}

QStringList CarpetaRecordada::Recientes() const {
    QList<QByteArray> lineas = Lineas();
    QStringList recientes;
    QStringDecoder sistema(QStringConverter::System);
    for (qsizetype i = 1; i < lineas.size() && recientes.size() < kRecientes; ++i) {
        if (lineas[i].startsWith(kLineaJuego)) continue;
        const QString ruta = sistema(lineas[i]);
        if (!ruta.isEmpty() && !recientes.contains(ruta)) recientes.push_back(ruta);
    }
    return recientes;
}

QByteArray CarpetaRecordada::AjustesJuego() const {
    const QList<QByteArray> lineas = Lineas();
    for (qsizetype i = 1; i < lineas.size(); ++i)
        if (lineas[i].startsWith(kLineaJuego)) return lineas[i].mid(qsizetype(strlen(kLineaJuego)));
    return {};
}

void CarpetaRecordada::GuardarAjustesJuego(const QByteArray& ajustes) const {
    const QList<QByteArray> lineas = Lineas();
    Escribir(lineas.isEmpty() ? QByteArray() : lineas.first(), Recientes(), ajustes);
}

void CarpetaRecordada::Escribir(const QByteArray& carpeta, const QStringList& recientes,
                                std::optional<QByteArray> juego) const {
    if (!juego) juego = AjustesJuego();
    QDir().mkpath(QFileInfo(fichero_).absolutePath());
    QSaveFile f(fichero_);
    if (!f.open(QIODevice::WriteOnly)) return;
    QStringEncoder sistema(QStringConverter::System);
    QByteArray texto = carpeta + "\r\n";
    for (const QString& r : recientes)
        texto += QByteArray(sistema(r)) + "\r\n";
    if (!juego->isEmpty()) texto += kLineaJuego + *juego + "\r\n";
    f.write(texto);
    if (f.flush()) f.commit(); // commit() alone would miss a write error (a full disk)
}

void CarpetaRecordada::GuardarCarpeta(const QString& ruta, const QString& titulo) const {
    const QString carpeta = ruta.left(ruta.size() - titulo.size() - 1);
    QStringEncoder sistema(QStringConverter::System);
    Escribir(sistema(carpeta), Recientes());
}

void CarpetaRecordada::AnotarReciente(const QString& ruta) const {
    QStringList recientes = Recientes();
    recientes.removeAll(ruta);
    recientes.prepend(ruta);
    while (recientes.size() > kRecientes)
        recientes.removeLast();
    const QList<QByteArray> lineas = Lineas();
    Escribir(lineas.isEmpty() ? QByteArray() : lineas.first(), recientes);
}

void CarpetaRecordada::QuitarReciente(const QString& ruta) const {
    QStringList recientes = Recientes();
    if (recientes.removeAll(ruta) == 0) return;
    Escribir(Lineas().first(), recientes);
}

} // namespace velmora
