// f-puzzles JSON and the address setters share, "?load=" followed by that JSON compressed with
// LZ-String in base64. Read: the size, the given digits of the grid and the Killer cages; any
// other rule is refused by name rather than dropped; fields that change no rule are ignored.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

#include "formats/comun.h"
#include "formats/lz_string.h"
#include "model/entero.h"

namespace velmora::formatos {

namespace {

constexpr std::string_view kDireccion = "https://www.f-puzzles.com/?load=";
constexpr std::string_view kLoad = "load=";

std::string_view ErrorJson(QJsonParseError::ParseError e) {
    switch (e) {
    case QJsonParseError::UnterminatedObject:
        return "falta cerrar un objeto con «}»";
    case QJsonParseError::MissingNameSeparator:
        return "falta «:» tras un nombre";
    case QJsonParseError::UnterminatedArray:
        return "falta cerrar una lista con «]»";
    case QJsonParseError::MissingValueSeparator:
        return "falta «,» entre dos valores";
    case QJsonParseError::IllegalValue:
        return "valor no válido";
    case QJsonParseError::TerminationByNumber:
        return "el texto acaba en mitad de un número";
    case QJsonParseError::IllegalNumber:
        return "número no válido";
    case QJsonParseError::IllegalEscapeSequence:
        return "secuencia de escape no válida";
    case QJsonParseError::IllegalUTF8String:
        return "texto UTF-8 no válido";
    case QJsonParseError::UnterminatedString:
        return "falta cerrar un texto con comillas";
    case QJsonParseError::MissingObject:
        return "se esperaba un objeto";
    case QJsonParseError::DeepNesting:
        return "demasiados niveles de anidamiento";
    case QJsonParseError::DocumentTooLarge:
        return "documento demasiado grande";
    case QJsonParseError::GarbageAtEnd:
        return "sobra texto tras el final";
    case QJsonParseError::NoError:
        break;
    }
    return "error de sintaxis";
}

// The rules of f-puzzles that Velmora does not have, refused by name when present; the
// cosmetic shapes too, as setters draw rules of their own with them. Any other field (title,
// solution, display settings such as "disabledlogic" or "truecandidatesoptions") changes no
// rule and is ignored.
bool Regla(const QString& clave) {
    static const QStringList kClaves = {
        "antiking",      "antiknight", "arrow",       "betweenline",
        "boxindexer",    "clock",      "clone",       "columnindexer",
        "diagonal+",     "diagonal-",  "difference",  "disjointgroups",
        "entropicline",  "even",       "extraregion", "littlekillersum",
        "maximum",       "minimum",    "negative",    "nonconsecutive",
        "odd",           "palindrome", "quadruple",   "ratio",
        "regionsumline", "renban",     "rowindexer",  "sandwichsum",
        "thermometer",   "whispers",   "xv",          "cage",
        "circle",        "line",       "rectangle",   "text"};
    return kClaves.contains(clave);
}

// A rule with nothing in it (false, an empty list, ...) is no rule.
bool Vacio(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::Bool:
        return !v.toBool();
    case QJsonValue::Double:
        return v.toDouble() == 0;
    case QJsonValue::String:
        return v.toString().isEmpty();
    case QJsonValue::Array:
        return v.toArray().isEmpty();
    case QJsonValue::Object:
        return v.toObject().isEmpty();
    default:
        return true;
    }
}

// "R1C1" .. "R9C9".
int CasillaDe(const QJsonValue& v) {
    const QString s = v.toString();
    if (s.size() != 4 || s[0].toUpper() != 'R' || s[2].toUpper() != 'C') return -1;
    const int f = s[1].unicode() - '0', c = s[3].unicode() - '0';
    return f >= 1 && f <= 9 && c >= 1 && c <= 9 ? Casilla(f, c) : -1;
}

QString NombreRC(int k) {
    return QStringLiteral("R%1C%2").arg(FilaDe(k)).arg(ColDe(k));
}

// A whole number 0 .. 255 as text or number, in decimal; "" for no sum.
std::optional<std::string> SumaDe(const QJsonValue& v) {
    if (v.isUndefined() || v.isNull()) return "";
    if (v.isString()) {
        if (v.toString().isEmpty()) return "";
        const int n = LeerEntero(v.toString().toStdString(), 255);
        if (n >= 0) return std::to_string(n);
    } else if (v.isDouble()) {
        const double d = v.toDouble();
        if (d >= 0 && d <= 255 && d == static_cast<int>(d))
            return std::to_string(static_cast<int>(d));
    }
    return std::nullopt;
}

std::optional<int> Cifra(const QJsonValue& v) {
    const double d = v.toDouble(-1);
    if (d >= 1 && d <= 9 && d == static_cast<int>(d)) return static_cast<int>(d);
    return std::nullopt;
}

std::string DeJaula(int n) {
    return "el segmento " + std::to_string(n + 1) + " de «killercage»";
}

Resultado<std::vector<Jaula>> LeerJaulas(const QJsonArray& lista) {
    std::vector<Jaula> jaulas;
    std::array<int, kCasillas> jaula;
    jaula.fill(-1);
    for (int n = 0; n < lista.size(); ++n) {
        const QJsonObject o = lista[n].toObject();
        const QJsonArray casillas = o.value("cells").toArray();
        if (casillas.isEmpty())
            return NoValido("Falta la lista «cells» de casillas en " + DeJaula(n) + ".");
        Jaula j;
        for (const QJsonValue& v : casillas) {
            const int k = CasillaDe(v);
            if (k < 0) {
                return NoValido("Casilla no válida " + Cita(v.toString().toStdString()) + " en " +
                                DeJaula(n) + ": se esperaba «R1C1» … «R9C9».");
            }
            if (jaula[k] == n) continue;
            if (jaula[k] >= 0) {
                return NoValido("La casilla " + NombreRC(k).toStdString() + " está en " +
                                DeJaula(jaula[k]) + " y en el " + std::to_string(n + 1) + ".");
            }
            jaula[k] = n;
            j.casillas.push_back(k);
        }
        const auto suma = SumaDe(o.value("value"));
        if (!suma) {
            return NoValido("La suma del segmento " + std::to_string(n + 1) +
                            " de «killercage» debe ser un número entero entre 0 y 255.");
        }
        j.suma = *suma;
        jaulas.push_back(std::move(j));
    }
    return jaulas;
}

bool Base64(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

Resultado<Enunciado> LeerFPuzzles(std::string_view texto, std::optional<Mensaje>* aviso) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(texto.data(), static_cast<qsizetype>(texto.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return NoValido("JSON no válido en " + Donde(texto, static_cast<size_t>(error.offset)) +
                        ": " + std::string(ErrorJson(error.error)) + ".");
    }
    if (!doc.isObject()) return NoValido("El JSON de f-puzzles debe ser un objeto «{…}».");
    const QJsonObject o = doc.object();
    const QJsonValue tamano = o.value("size");
    if (!tamano.isDouble()) return NoValido("Falta el tamaño «size» del sudoku.");
    if (tamano.toDouble() != 9) {
        return Variante("Velmora solo lee sudokus de 9 × 9 casillas; el JSON es de tamaño " +
                        QString::number(tamano.toDouble()).toStdString() + ".");
    }
    QStringList reglas;
    for (auto it = o.begin(); it != o.end(); ++it)
        if (Regla(it.key()) && !Vacio(it.value())) reglas << it.key();

    Enunciado e;
    e.killer = false;
    const QJsonArray grid = o.value("grid").toArray();
    bool forma = grid.size() == 9;
    for (const QJsonValue& fila : grid)
        forma = forma && fila.toArray().size() == 9;
    if (!forma) return NoValido("«grid» debe ser una lista de 9 filas de 9 casillas.");
    int fijas = 0;
    bool regiones = false;
    for (int k = 0; k < kCasillas; ++k) {
        const QJsonObject celda = grid[k / 9].toArray()[k % 9].toObject();
        const QJsonValue region = celda.value("region");
        const int caja = Cuadrante(FilaDe(k), ColDe(k)) - 1;
        regiones = regiones || (!region.isUndefined() && region.toDouble(-1) != caja);
        if (!celda.value("given").toBool()) continue;
        const auto d = Cifra(celda.value("value"));
        if (!d) {
            return NoValido("La casilla dada de la " + NombreCasilla(k) +
                            " no tiene una cifra del 1 al 9.");
        }
        e.fijas.set(k);
        e.textos[k] = std::to_string(*d);
        ++fijas;
    }
    if (regiones) reglas << "region";

    std::vector<Jaula> jaulas;
    const QJsonValue killercage = o.value("killercage");
    if (!killercage.isUndefined()) {
        if (!killercage.isArray()) return NoValido("«killercage» debe ser una lista de segmentos.");
        auto leidas = LeerJaulas(killercage.toArray());
        if (!leidas) return leidas.error();
        jaulas = *leidas;
    }
    if (!reglas.isEmpty()) {
        return Variante("El sudoku lleva reglas que Velmora no tiene: " +
                        reglas.join(", ").toStdString() + ".");
    }
    // A Killer puzzle may have no cage yet; an empty list beside givens is a classic puzzle.
    if (killercage.isUndefined() || (jaulas.empty() && fijas > 0)) return e;
    // A given digit outside every cage is exactly a one-cell cage with that sum; one inside a
    // cage has no Killer form.
    std::array<int, kCasillas> jaula;
    jaula.fill(-1);
    for (size_t n = 0; n < jaulas.size(); ++n)
        for (const int k : jaulas[n].casillas)
            jaula[k] = static_cast<int>(n);
    std::string sueltas;
    for (int k = 0; k < kCasillas; ++k) {
        if (!e.fijas[k]) continue;
        if (jaula[k] >= 0) {
            return Variante("Velmora no tiene segmentos con cifras dadas: la casilla " +
                            NombreRC(k).toStdString() + " tiene un " + e.textos[k] + " y está en " +
                            DeJaula(jaula[k]) + ".");
        }
        jaulas.push_back({{k}, e.textos[k]});
        sueltas += (sueltas.empty() ? "" : ", ") + NombreRC(k).toStdString();
    }
    auto r = EnunciadoKiller(std::move(jaulas));
    if (r && aviso && !sueltas.empty()) {
        *aviso = Mensaje{"Las cifras dadas fuera de los segmentos se leen como segmentos de una "
                         "casilla con esa suma: " +
                             sueltas + ".",
                         "Cifras dadas en un Killer", Icono::Informacion};
    }
    return r;
}

Resultado<std::string> EscribirFPuzzles(const Enunciado& e) {
    QJsonObject o;
    o["size"] = 9;
    std::array<int, kCasillas> cifras{};
    if (e.killer) {
        const auto jaulas = JaulasValidas(e);
        if (!jaulas) return jaulas.error();
        QJsonArray lista;
        for (const JaulaValida& j : *jaulas) {
            QJsonArray casillas;
            for (const int k : j.casillas)
                casillas.append(NombreRC(k));
            lista.append(QJsonObject{{"cells", casillas}, {"value", QString::number(j.suma)}});
        }
        o["killercage"] = lista;
    } else {
        const auto r = CifrasValidas(e);
        if (!r) return r.error();
        cifras = *r;
    }
    QJsonArray grid;
    for (int f = 0; f < 9; ++f) {
        QJsonArray fila;
        for (int c = 0; c < 9; ++c) {
            QJsonObject celda;
            if (const int d = cifras[9 * f + c]) {
                celda["value"] = d;
                celda["given"] = true;
            }
            fila.append(celda);
        }
        grid.append(fila);
    }
    o["grid"] = grid;
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

Resultado<Enunciado> LeerEnlaceFPuzzles(std::string_view texto, std::optional<Mensaje>* aviso) {
    const size_t p = texto.find(kLoad);
    if (p == std::string_view::npos) return NoValido("El enlace de f-puzzles no lleva «load=».");
    // The base64 text, maybe percent-encoded, up to the next parameter; a '+' that became a
    // space on the way is put back.
    std::string datos;
    for (size_t i = p + kLoad.size(); i < texto.size() && texto[i] != '&' && texto[i] != '#'; ++i) {
        char c = texto[i];
        const size_t donde = i;
        if (c == '%' && i + 2 < texto.size() && Hex(texto[i + 1]) >= 0 && Hex(texto[i + 2]) >= 0) {
            c = static_cast<char>(16 * Hex(texto[i + 1]) + Hex(texto[i + 2]));
            i += 2;
        } else if (c == ' ') {
            c = '+';
        }
        if (!Base64(c)) return CaracterNoValido(texto, donde);
        datos += c;
    }
    if (datos.empty()) return NoValido("El enlace no lleva datos tras «load=».");
    const auto json = DescomprimirBase64(datos, kTamanoMaximoTexto);
    if (!json) return NoValido("Los datos del enlace tras «load=» no se pueden descomprimir.");
    auto r = LeerFPuzzles(QString::fromStdU16String(*json).toStdString(), aviso);
    if (!r && r.error().titulo == kTituloNoValido)
        return NoValido("En los datos del enlace: " + r.error().texto);
    return r;
}

Resultado<std::string> EscribirEnlaceFPuzzles(const Enunciado& e) {
    const auto json = EscribirFPuzzles(e);
    if (!json) return json;
    return std::string(kDireccion) +
           ComprimirBase64(QString::fromStdString(*json).toStdU16String());
}

} // namespace velmora::formatos
