#include "formats/lz_string.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velmora {

namespace {

// The 65th character '=' pads the text; read as a value it carries no bits.
constexpr std::string_view kAlfabeto =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

int Valor(char c) {
    const size_t i = kAlfabeto.find(c);
    return i == std::string_view::npos ? -1 : static_cast<int>(i);
}

// Six bits a character, each value written lowest bit first.
class Escritor {
public:
    void Bits(uint32_t valor, int n) {
        for (int i = 0; i < n; ++i) {
            Bit(valor & 1);
            valor >>= 1;
        }
    }
    std::string Terminar() {
        // The end leaves at least one more character, as the library does.
        for (;;) {
            valor_ <<= 1;
            if (posicion_ == 5) break;
            ++posicion_;
        }
        salida_ += kAlfabeto[valor_];
        salida_.append((4 - salida_.size() % 4) % 4, '=');
        return std::move(salida_);
    }

private:
    void Bit(uint32_t b) {
        valor_ = (valor_ << 1) | b;
        if (posicion_ < 5) {
            ++posicion_;
            return;
        }
        salida_ += kAlfabeto[valor_];
        valor_ = 0;
        posicion_ = 0;
    }

    std::string salida_;
    uint32_t valor_ = 0;
    int posicion_ = 0;
};

class Lector {
public:
    explicit Lector(std::vector<int> valores) : valores_(std::move(valores)) {}

    uint32_t Bits(int n) {
        uint32_t bits = 0;
        for (int i = 0; i < n; ++i) {
            // Past the end, values read as 0.
            if (indice_ < valores_.size() && (valores_[indice_] & mascara_))
                bits |= uint32_t{1} << i;
            mascara_ >>= 1;
            if (mascara_ == 0) {
                mascara_ = 32;
                ++indice_;
            }
        }
        return bits;
    }
    // The library gives up on a code that starts once every character has been read.
    bool Agotado() const { return indice_ >= valores_.size(); }

private:
    std::vector<int> valores_;
    size_t indice_ = 0;
    int mascara_ = 32;
};

} // namespace

std::string ComprimirBase64(std::u16string_view texto) {
    Escritor e;
    std::unordered_map<std::u16string, uint32_t> diccionario;
    std::unordered_set<std::u16string> porCrear; // single characters not yet sent literally
    std::u16string w;
    uint32_t tamano = 3;
    int bits = 2, hastaCrecer = 2;
    const auto contar = [&] {
        if (--hastaCrecer == 0) {
            hastaCrecer = 1 << bits;
            ++bits;
        }
    };
    const auto emitir = [&] {
        if (porCrear.erase(w)) {
            const bool ancho = w[0] >= 256;
            e.Bits(ancho ? 1 : 0, bits);
            e.Bits(w[0], ancho ? 16 : 8);
            contar();
        } else {
            e.Bits(diccionario[w], bits);
        }
        contar();
    };
    for (const char16_t c : texto) {
        const std::u16string sc(1, c);
        if (diccionario.emplace(sc, tamano).second) {
            ++tamano;
            porCrear.insert(sc);
        }
        std::u16string wc = w + c;
        if (diccionario.contains(wc)) {
            w = std::move(wc);
            continue;
        }
        emitir();
        diccionario.emplace(std::move(wc), tamano++);
        w = sc;
    }
    if (!w.empty()) emitir();
    e.Bits(2, bits);
    return e.Terminar();
}

std::optional<std::u16string> DescomprimirBase64(std::string_view datos, size_t maximo) {
    if (datos.empty()) return std::nullopt;
    std::vector<int> valores;
    valores.reserve(datos.size());
    for (const char c : datos) {
        const int v = Valor(c);
        if (v < 0) return std::nullopt;
        valores.push_back(v);
    }
    Lector l(std::move(valores));

    const auto literal = [&](uint32_t codigo) {
        return static_cast<char16_t>(l.Bits(codigo == 0 ? 8 : 16));
    };
    // Codes 0, 1 and 2 mean an 8-bit literal, a 16-bit literal and the end.
    std::vector<std::u16string> diccionario(3);
    const uint32_t primero = l.Bits(2);
    if (primero == 2) return std::u16string();
    if (primero == 3) return std::nullopt;
    std::u16string w(1, literal(primero));
    std::u16string resultado = w;
    diccionario.push_back(w);
    int bits = 3, hastaCrecer = 4;
    const auto contar = [&] {
        if (--hastaCrecer == 0) {
            hastaCrecer = 1 << bits;
            ++bits;
        }
    };
    for (;;) {
        if (l.Agotado()) return std::nullopt;
        uint32_t codigo = l.Bits(bits);
        if (codigo == 2) return resultado;
        if (codigo < 2) {
            diccionario.emplace_back(1, literal(codigo));
            codigo = static_cast<uint32_t>(diccionario.size() - 1);
            contar();
        }
        std::u16string entrada;
        if (codigo < diccionario.size())
            entrada = diccionario[codigo];
        else if (codigo == diccionario.size())
            entrada = w + w[0];
        else
            return std::nullopt;
        if (resultado.size() + entrada.size() > maximo) return std::nullopt;
        resultado += entrada;
        diccionario.push_back(w + entrada[0]);
        contar();
        w = std::move(entrada);
    }
}

} // namespace velmora
