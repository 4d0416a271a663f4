#include "support/plataforma_falsa.h"

#include <ostream>

namespace velmora {

void PrintTo(const Mensaje& m, std::ostream* os) {
    *os << "{\"" << m.titulo << "\", \"" << m.texto << "\", icono " << static_cast<int>(m.icono)
        << "}";
}

} // namespace velmora
