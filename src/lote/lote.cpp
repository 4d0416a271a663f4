#include "lote/lote.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "validation/validacion.h"

namespace velmora::lote {

namespace {

constexpr std::string_view kEspacios = kEspaciosTexto;

// Just past the brace that closes the JSON value t starts with; the whole text when none does.
size_t FinJson(std::string_view t) {
    int nivel = 0;
    bool cadena = false, escape = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (cadena) {
            if (escape)
                escape = false;
            else if (c == '\\')
                escape = true;
            else if (c == '"')
                cadena = false;
        } else if (c == '"') {
            cadena = true;
        } else if (c == '{' || c == '[') {
            ++nivel;
        } else if ((c == '}' || c == ']') && --nivel == 0) {
            return i + 1;
        }
    }
    return t.size();
}

// Just past the closing tag of the root element of the XML text t starts with (after any
// declaration, comment or doctype); the whole text when there is none.
size_t FinXml(std::string_view t) {
    size_t i = 0;
    while (i + 1 < t.size() && t[i] == '<' && (t[i + 1] == '?' || t[i + 1] == '!')) {
        const std::string_view cierre = t.substr(i).starts_with("<!--") ? "-->" : ">";
        const size_t fin = t.find(cierre, i + 2);
        if (fin == std::string_view::npos) return t.size();
        i = t.find_first_not_of(kEspacios, fin + cierre.size());
        if (i == std::string_view::npos) return t.size();
    }
    if (i >= t.size() || t[i] != '<') return t.size();
    const size_t finNombre = t.find_first_of(" \t\r\n/>", i + 1);
    if (finNombre == std::string_view::npos) return t.size();
    const size_t finEtiqueta = t.find('>', finNombre);
    if (finEtiqueta == std::string_view::npos) return t.size();
    if (t[finEtiqueta - 1] == '/') return finEtiqueta + 1;
    const std::string cierre = "</" + std::string(t.substr(i + 1, finNombre - i - 1)) + ">";
    const size_t fin = t.find(cierre, finEtiqueta);
    return fin == std::string_view::npos ? t.size() : fin + cierre.size();
}

// A value in a tab-separated line: tabs and line ends would split it.
void AnadirTsv(std::string& salida, std::string_view texto) {
    for (const char c : texto)
        salida += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
}

// The length of the UTF-8 sequence at t[i], or 0 when it is not one.
size_t Utf8(std::string_view t, size_t i) {
    const auto b = [&](size_t j) { return static_cast<unsigned char>(t[j]); };
    const unsigned char c = b(i);
    size_t n;
    uint32_t minimo;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        minimo = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        minimo = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    uint32_t v = c & (0x7F >> n);
    for (size_t j = 1; j < n; ++j) {
        if ((b(i + j) & 0xC0) != 0x80) return 0;
        v = (v << 6) | (b(i + j) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (v < minimo || (v >= 0xD800 && v <= 0xDFFF) || v > 0x10FFFF) return 0;
    return n;
}

} // namespace

bool TienePuzzle(std::string_view linea) {
    const std::string_view t = Recortado(linea);
    return !t.empty() && t[0] != '#';
}

Partes PartirLinea(std::string_view linea) {
    const std::string_view t = Recortado(linea);
    size_t fin;
    if (t.starts_with('{'))
        fin = FinJson(t);
    else if (t.starts_with('<'))
        fin = FinXml(t);
    else
        fin = std::min(t.find_first_of(kEspacios), t.size());
    return {t.substr(0, fin), Recortado(t.substr(fin))};
}

void AnadirJson(std::string& salida, std::string_view texto) {
    salida += '"';
    for (size_t i = 0; i < texto.size();) {
        const auto c = static_cast<unsigned char>(texto[i]);
        const size_t n = Utf8(texto, i);
        if (n == 0) {
            salida += "\\ufffd";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            salida += '\\';
            salida += static_cast<char>(c);
        } else if (c == '\n') {
            salida += "\\n";
        } else if (c == '\t') {
            salida += "\\t";
        } else if (c == '\r') {
            salida += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            constexpr char kHex[] = "0123456789abcdef";
            salida += "\\u00";
            salida += kHex[c >> 4];
            salida += kHex[c & 0xF];
        } else {
            salida.append(texto.substr(i, n));
        }
        i += n;
    }
    salida += '"';
}

std::string Formatear(int64_t numero, std::string_view etiqueta, const Campos& campos, bool json) {
    std::string s;
    if (json) {
        s = "{\"linea\":" + std::to_string(numero) + ",\"etiqueta\":";
        AnadirJson(s, etiqueta);
        for (const Campo& c : campos) {
            s += ',';
            AnadirJson(s, c.clave);
            s += ':';
            if (c.numero)
                s += c.valor;
            else
                AnadirJson(s, c.valor);
        }
        s += '}';
        return s;
    }
    s = std::to_string(numero) + '\t';
    AnadirTsv(s, etiqueta);
    for (const Campo& c : campos) {
        s += '\t';
        AnadirTsv(s, c.valor);
    }
    return s;
}

void EvaluarLinea(const Juez& juez, const Opciones& o, int64_t numero, std::string_view linea,
                  std::stop_token parar, Salida& salida) {
    const Partes p = PartirLinea(linea);
    salida.aviso.clear();
    const auto rechazar = [&](std::string_view titulo, std::string_view texto) {
        salida.rechazada = true;
        salida.linea = Formatear(
            numero, p.etiqueta,
            {{"estado", "rechazado"}, {"mensaje", std::string(titulo) + ": " + std::string(texto)}},
            o.json);
    };
    const auto leido = LeerTextoConAviso(p.puzzle, o.formato);
    if (!leido) return rechazar(leido.error().titulo, leido.error().texto);
    Tablero t;
    if (const auto m = Validar(t, leido->enunciado)) return rechazar(m->titulo, m->texto);
    salida.rechazada = false;
    Campos campos = juez(leido->enunciado, t, parar);
    if (leido->aviso) {
        salida.aviso = leido->aviso->titulo + ": " + leido->aviso->texto;
        if (o.json) campos.push_back({"aviso", salida.aviso});
    }
    salida.linea = Formatear(numero, p.etiqueta, campos, o.json);
}

LectorLineas::LectorLineas(int fd, size_t maximo) : fd_(fd), maximo_(maximo), bloque_(1 << 16) {}

bool LectorLineas::Llenar() {
    if (agotado_) return false;
    for (;;) {
        const ssize_t n = ::read(fd_, bloque_.data(), bloque_.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            agotado_ = true;
            error_ = n < 0;
            return false;
        }
        inicio_ = 0;
        fin_ = static_cast<size_t>(n);
        return true;
    }
}

bool LectorLineas::Siguiente(std::string& linea, int64_t& numero) {
    linea.clear();
    bool algo = false;
    for (;;) {
        if (inicio_ == fin_ && !Llenar()) {
            if (!algo) return false;
            break;
        }
        algo = true;
        const char* p = bloque_.data() + inicio_;
        const size_t n = fin_ - inicio_;
        const auto* nl = static_cast<const char*>(std::memchr(p, '\n', n));
        const size_t tomar = nl ? static_cast<size_t>(nl - p) : n;
        const size_t cabe = maximo_ > linea.size() ? maximo_ - linea.size() : 0;
        linea.append(p, std::min(tomar, cabe));
        inicio_ += tomar;
        bytes_ += static_cast<int64_t>(tomar);
        if (nl) {
            ++inicio_;
            ++bytes_;
            break;
        }
    }
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    numero = ++numero_;
    return true;
}

} // namespace velmora::lote
