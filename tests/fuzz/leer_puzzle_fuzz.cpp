// Any bytes through the puzzle reader, then as the window would use them: applied, validated,
// written and read back. The writer's output must read back to the same board.

#include <QByteArray>
#include <cstdint>

#include "exigir.h"
#include "files/puzzle_xml.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;

bool Valido(Tablero& t, const Enunciado& e) {
    t.VaciarCuadricula();
    return !Validar(t, e);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const PuzzleLeido l = LeerPuzzle(QByteArray::fromRawData(reinterpret_cast<const char*>(datos),
                                                             static_cast<qsizetype>(tamano)));
    if (!l.legible) {
        Exigir(l.segmentos.empty() && l.fijas.empty());
        return 0;
    }
    Exigir(l.segmentos.size() <= static_cast<size_t>(kSegmentos));
    for (const SegmentoLeido& s : l.segmentos)
        for (const int k : s.casillas)
            Exigir(k >= 0 && k < kCasillas);
    for (const FijaLeida& f : l.fijas)
        Exigir(f.casilla >= 0 && f.casilla < kCasillas);

    Tablero t;
    if (!l.completo || !Valido(t, EnunciadoDe(l))) return 0;

    const QByteArray escrito = TextoPuzzle(t);
    const PuzzleLeido otra = LeerPuzzle(escrito);
    Exigir(otra.legible && otra.completo && otra.clasico == l.clasico);
    Tablero u;
    Exigir(Valido(u, EnunciadoDe(otra)));
    Exigir(TextoPuzzle(u) == escrito);
    return 0;
}
