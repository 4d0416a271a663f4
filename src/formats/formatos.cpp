#include "formats/formatos.h"

#include <QByteArray>

#include "files/puzzle_xml.h"
#include "formats/comun.h"
#include "model/entero.h"
#include "validation/validacion.h"

namespace velmora {

using namespace formatos;

namespace {

struct Datos {
    Formato formato;
    std::string_view nombre;
    std::string_view descripcion;
};

constexpr std::array<Datos, kFormatos.size()> kDatos = {{
    {Formato::Xml, "xml", "XML de Velmora"},
    {Formato::Clasico, "classic", "Línea clásica"},
    {Formato::KillerCorto, "killer-short", "Cadena Killer corta"},
    {Formato::KillerLargo, "killer-long", "Cadena Killer larga (SumoCue)"},
    {Formato::FPuzzles, "fpuzzles", "JSON de f-puzzles"},
    {Formato::EnlaceFPuzzles, "fpuzzles-url", "Enlace de f-puzzles"},
}};

constexpr std::string_view kEspacios = kEspaciosTexto;
constexpr std::string_view kClasicos = "0123456789.|-+=";
constexpr std::string_view kMarcaOrden = "\xEF\xBB\xBF";

bool Digito(char c) {
    return c >= '0' && c <= '9';
}

// "3x3" or any other "AxB" before the first ':'.
bool CabeceraLarga(std::string_view t) {
    const size_t x = t.find('x');
    const size_t dos = t.find(':');
    if (x == 0 || x == std::string_view::npos || dos == std::string_view::npos || dos < x + 2)
        return false;
    for (size_t i = 0; i < dos; ++i)
        if (i != x && !Digito(t[i])) return false;
    return true;
}

Resultado<Enunciado> LeerXml(std::string_view texto) {
    const PuzzleLeido l =
        LeerPuzzle(QByteArray(texto.data(), static_cast<qsizetype>(texto.size())));
    if (!l.completo)
        return ErrorFormato{std::string(kTextoErrorAbrir), std::string(kTituloFichero)};
    return EnunciadoDe(l);
}

Resultado<std::string> EscribirXml(const Enunciado& e) {
    Tablero t;
    if (const auto m = Validar(t, e)) return ErrorFormato{m->texto, m->titulo};
    return TextoPuzzle(t).toStdString();
}

// Reads in format f; `aviso` gets what the reader made of the text, if anything.
Resultado<Enunciado> Leer(std::string_view texto, Formato f, std::optional<Mensaje>* aviso);

template <class T>
Resultado<std::string> Texto(const Resultado<T>& r, std::string (*escribir)(const T&)) {
    if (!r) return r.error();
    return escribir(*r);
}

} // namespace

std::string_view Recortado(std::string_view t) {
    if (t.starts_with(kMarcaOrden)) t.remove_prefix(kMarcaOrden.size());
    const size_t inicio = t.find_first_not_of(kEspacios);
    if (inicio == std::string_view::npos) return {};
    return t.substr(inicio, t.find_last_not_of(kEspacios) - inicio + 1);
}

std::string_view NombreFormato(Formato f) {
    return kDatos[static_cast<size_t>(f)].nombre;
}

std::optional<Formato> FormatoDeNombre(std::string_view nombre) {
    for (const Datos& d : kDatos)
        if (d.nombre == nombre) return d.formato;
    return std::nullopt;
}

std::string_view DescripcionFormato(Formato f) {
    return kDatos[static_cast<size_t>(f)].descripcion;
}

std::optional<Formato> DetectarFormato(std::string_view texto) {
    // A UTF-16 or UTF-32 byte order mark: only XML is read in those encodings.
    using namespace std::string_view_literals;
    for (const std::string_view marca : {"\xFF\xFE"sv, "\xFE\xFF"sv, "\0\0\xFE\xFF"sv})
        if (texto.starts_with(marca)) return Formato::Xml;
    const std::string_view t = Recortado(texto);
    if (t.empty()) return std::nullopt;
    if (t[0] == '<') return Formato::Xml;
    if (t[0] == '{') return Formato::FPuzzles;
    if (t.find("load=") != std::string_view::npos) return Formato::EnlaceFPuzzles;
    if (CabeceraLarga(t)) return Formato::KillerLargo;
    // A grid of digits with a few stray characters is a classic line with mistakes, for its
    // reader to point out.
    size_t clasicos = 0, otros = 0;
    for (const char c : t) {
        const bool continuacion = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (continuacion || kEspacios.find(c) != std::string_view::npos) continue;
        ++(kClasicos.find(c) != std::string_view::npos ? clasicos : otros);
    }
    if (otros == 0) return Formato::Clasico;
    if (t.find_first_of(kEspacios) == std::string_view::npos) return Formato::KillerCorto;
    if (otros * 10 <= clasicos) return Formato::Clasico;
    return std::nullopt;
}

Resultado<Enunciado> LeerTexto(std::string_view texto) {
    if (const auto f = DetectarFormato(texto)) return LeerTexto(texto, *f);
    if (Recortado(texto).empty()) return NoValido("El texto está vacío.");
    return ErrorFormato{"El texto no está en ninguno de los formatos que Velmora lee: XML de "
                        "Velmora, línea clásica, cadena Killer corta o larga, JSON o enlace de "
                        "f-puzzles.",
                        "Formato no reconocido"};
}

Resultado<Enunciado> LeerTexto(std::string_view texto, Formato f) {
    const auto r = LeerTextoConAviso(texto, f);
    if (!r) return r.error();
    return r->enunciado;
}

Resultado<TextoLeido> LeerTextoConAviso(std::string_view texto, std::optional<Formato> formato) {
    if (!formato) {
        formato = DetectarFormato(texto);
        if (!formato) {
            const auto e = LeerTexto(texto);
            return e.error();
        }
    }
    std::optional<Mensaje> aviso;
    auto e = Leer(texto, *formato, &aviso);
    if (!e) return e.error();
    return TextoLeido{*e, std::move(aviso)};
}

namespace {

Resultado<Enunciado> Leer(std::string_view texto, Formato f, std::optional<Mensaje>* aviso) {
    if (texto.size() > kTamanoMaximoTexto) {
        return NoValido("El texto es demasiado largo: tiene más de " +
                        std::to_string(kTamanoMaximoTexto / 1024) + " KB.");
    }
    const std::string_view t = Recortado(texto);
    switch (f) {
    case Formato::Xml:
        return LeerXml(texto); // as the file is, which may be in another encoding
    case Formato::Clasico:
        return LeerClasico(t);
    case Formato::KillerCorto:
        return LeerKillerCorto(t);
    case Formato::KillerLargo:
        return LeerKillerLargo(t);
    case Formato::FPuzzles:
        return LeerFPuzzles(t, aviso);
    case Formato::EnlaceFPuzzles:
        return LeerEnlaceFPuzzles(t, aviso);
    }
    return NoValido("Formato desconocido.");
}

} // namespace

Resultado<std::string> EscribirTexto(const Enunciado& e, Formato f) {
    switch (f) {
    case Formato::Xml:
        return EscribirXml(e);
    case Formato::Clasico:
        return Texto(CifrasValidas(e), EscribirClasico);
    case Formato::KillerCorto: {
        const auto jaulas = JaulasValidas(e);
        if (!jaulas) return jaulas.error();
        return EscribirKillerCorto(*jaulas);
    }
    case Formato::KillerLargo:
        return Texto(JaulasValidas(e), EscribirKillerLargo);
    case Formato::FPuzzles:
        return EscribirFPuzzles(e);
    case Formato::EnlaceFPuzzles:
        return EscribirEnlaceFPuzzles(e);
    }
    return NoValido("Formato desconocido.");
}

Enunciado Canonico(const Enunciado& e) {
    Enunciado c;
    c.killer = e.killer;
    if (!e.killer) {
        c.fijas = e.fijas;
        for (int k = 0; k < kCasillas; ++k)
            if (e.fijas[k]) c.textos[k] = e.textos[k];
        return c;
    }
    std::array<int8_t, kSegmentos> nuevo;
    nuevo.fill(-1);
    int8_t n = 0;
    for (int k = 0; k < kCasillas; ++k) {
        const int s = e.segmento[k];
        if (s < 0 || s >= kSegmentos) continue;
        if (nuevo[s] < 0) {
            nuevo[s] = n++;
            const int v = LeerEntero(e.sumas[s], 255);
            c.sumas[nuevo[s]] = v < 0 ? e.sumas[s] : std::to_string(v);
        }
        c.segmento[k] = nuevo[s];
    }
    return c;
}

} // namespace velmora
