// Any bytes through one text format's reader (VELMORA_FORMATO names it). A refusal must say
// something; an accepted puzzle must come back the same from every format that takes it, read
// both as that format and as detected.

#include <cstdint>
#include <string_view>

#include "exigir.h"
#include "formats/formatos.h"
#include "formats/lz_string.h"
#include "validation/validacion.h"

namespace {

using namespace velmora;

constexpr Formato kFormato = Formato::VELMORA_FORMATO;

// An empty Killer short string, or one of single cells with one-digit sums, is also a classic
// line; detection reads it as one.
bool PareceClasico(std::string_view texto) {
    return texto.find_first_not_of("0123456789") == std::string_view::npos;
}

void IdaYVuelta(const Enunciado& e) {
    Tablero t;
    const bool valido = !Validar(t, e);
    for (const Formato f : kFormatos) {
        const auto texto = EscribirTexto(e, f);
        if (!texto) {
            // A puzzle read from a format can be written back to it when it validates.
            Exigir(!valido || f != kFormato);
            continue;
        }
        Exigir(valido);
        const auto leido = LeerTexto(*texto, f);
        Exigir(leido && *leido == e);
        const auto detectado = LeerTexto(*texto);
        Exigir(DetectarFormato(*texto) == f ||
               (f == Formato::KillerCorto && PareceClasico(*texto)));
        Exigir(detectado && (*detectado == e || f == Formato::KillerCorto));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
    const auto e = LeerTexto(texto, kFormato);
    if (!e) {
        Exigir(!e.error().texto.empty() && !e.error().titulo.empty());
    } else {
        Exigir(*e == Canonico(*e));
        IdaYVuelta(*e);
    }
    if (kFormato == Formato::EnlaceFPuzzles) {
        if (const auto s = DescomprimirBase64(texto))
            Exigir(DescomprimirBase64(ComprimirBase64(*s)) == s);
    }
    return 0;
}
