// Writes Velmora's icon into a folder: velmora.svg and velmora-48.png, -128 and -256
// (the build draws the installed icons with it).
//
//   velmora-icono CARPETA

#include <QDir>
#include <QFile>
#include <cstdio>

#include "icono/icono.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("uso: velmora-icono CARPETA\n", stderr);
        return 64;
    }
    const QDir carpeta(QString::fromLocal8Bit(argv[1]));
    QFile svg(carpeta.filePath(QStringLiteral("velmora.svg")));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(velmora::IconoSvg()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (const int lado : {48, 128, 256}) {
        const QString ruta = carpeta.filePath(QStringLiteral("velmora-%1.png").arg(lado));
        if (!velmora::DibujarIcono(lado).save(ruta, "PNG")) {
            std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(ruta));
            return 1;
        }
    }
    return 0;
}
