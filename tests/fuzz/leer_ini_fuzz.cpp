// Any bytes as velmora.ini: the remembered folder and the recent files are read from it, at
// most ten of them, and noting one more keeps the file readable.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

#include "exigir.h"
#include "files/carpeta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    using namespace velmora;
    static QTemporaryDir carpeta;
    const CarpetaRecordada c(carpeta.path(), carpeta.path(), {});
    {
        QFile f(c.Fichero());
        Exigir(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(reinterpret_cast<const char*>(datos), static_cast<qint64>(tamano));
    }
    c.CarpetaInicial();
    const QStringList recientes = c.Recientes();
    Exigir(recientes.size() <= CarpetaRecordada::kRecientes);
    const QString nueva = carpeta.filePath(QStringLiteral("nuevo.xml"));
    c.AnotarReciente(nueva);
    const QStringList despues = c.Recientes();
    Exigir(!despues.isEmpty() && despues.first() == nueva);
    Exigir(despues.size() <= CarpetaRecordada::kRecientes);
    c.QuitarReciente(nueva);
    Exigir(!c.Recientes().contains(nueva));
    return 0;
}
