// The puzzle as text: import, copy, and the grid's solution for the renders.

#include "ui/form1.h"
#include "ui/lugares.h"

namespace velmora {

bool Form1::ImportarTexto(std::string_view texto) {
    const auto m = ProbarTexto(texto);
    if (m) plataforma_.Mostrar(*m);
    return !m;
}

std::optional<Mensaje> Form1::ProbarTexto(std::string_view texto) {
    const Resultado<TextoLeido> r = LeerTextoConAviso(texto);
    if (!r) {
        const Mensaje m = r.error().AMensaje();
        Marcadas = CasillasNombradas(m, LeerEnunciado());
        return m;
    }
    PintarEnunciado(r->enunciado);
    // What the reader made of the text (a Killer's givens read as one-cell cages) is said once.
    if (r->aviso) plataforma_.Mostrar(*r->aviso);
    return std::nullopt;
}

std::optional<Form1::Copia> Form1::Copiar() {
    const Enunciado e = LeerEnunciado();
    const Resultado<std::string> texto =
        EscribirTexto(e, e.killer ? Formato::KillerCorto : Formato::Clasico);
    if (!texto) {
        plataforma_.Mostrar(texto.error().AMensaje());
        return std::nullopt;
    }
    const Resultado<std::string> enlace = EscribirTexto(e, Formato::EnlaceFPuzzles);
    return Copia{*texto, enlace ? *enlace : std::string()};
}

std::optional<std::array<uint8_t, kCasillas>> Form1::SolucionMostrada() {
    std::array<uint8_t, kCasillas> s{};
    bool alguna = false;
    for (int k = 0; k < kCasillas; ++k) {
        const std::string& t = TextoCelda(k);
        if (lb[k].fondo == kLbAma.fondo || t.size() != 1 || t[0] < '1' || t[0] > '9') continue;
        s[k] = static_cast<uint8_t>(t[0] - '0');
        alguna = true;
    }
    if (!alguna) return std::nullopt;
    return s;
}

} // namespace velmora
