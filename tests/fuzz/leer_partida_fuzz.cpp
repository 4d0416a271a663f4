// Any bytes as the game kept at close: read or refused, never a game out of range; a game read
// comes back the same once written and read again.

#include <QByteArray>
#include <cstdint>

#include "exigir.h"
#include "juego/estado.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    using namespace velmora;
    const auto p = LeerPartida(QByteArray::fromRawData(reinterpret_cast<const char*>(datos),
                                                       static_cast<qsizetype>(tamano)));
    if (!p) return 0;
    for (int k = 0; k < kCasillas; ++k) {
        Exigir(p->solucion[k] >= 1 && p->solucion[k] <= 9 && p->cifras[k] <= 9);
        Exigir((p->marcas[k] & ~kTodasLasMarcas) == 0);
        Exigir(!p->enunciado.fijas[k] || p->cifras[k] == 0);
    }
    Exigir(p->milisegundos >= 0 && p->pistas >= 0);
    const QByteArray escrito = EscribirPartida(*p);
    const auto otra = LeerPartida(escrito);
    Exigir(otra && *otra == *p && EscribirPartida(*otra) == escrito);
    return 0;
}
