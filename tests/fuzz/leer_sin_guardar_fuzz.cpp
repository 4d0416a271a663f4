// Any bytes as the puzzle kept at close: read or refused, never more than a puzzle holds; a
// puzzle read comes back the same once written and read again.

#include <QByteArray>
#include <cstdint>

#include "exigir.h"
#include "files/sin_guardar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    using namespace velmora;
    const auto e = LeerSinGuardar(QByteArray::fromRawData(reinterpret_cast<const char*>(datos),
                                                          static_cast<qsizetype>(tamano)));
    if (!e) return 0;
    for (const int8_t s : e->segmento)
        Exigir(s >= -1 && s < kSegmentos);
    const QByteArray escrito = EscribirSinGuardar(*e);
    const auto otra = LeerSinGuardar(escrito);
    Exigir(otra && EscribirSinGuardar(*otra) == escrito);
    return 0;
}
