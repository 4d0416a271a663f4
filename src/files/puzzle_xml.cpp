#include "files/puzzle_xml.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include "model/entero.h"

namespace velmora {

namespace {

using Token = QXmlStreamReader::TokenType;

// Row and column from the first two attributes, whatever their names; -1 when either is
// missing or not a whole number 1..9.
int CasillaDe(const QXmlStreamAttributes& atributos) {
    if (atributos.size() < 2) return -1;
    const int fila = LeerEntero(atributos[0].value().toString().toStdString(), 9);
    const int col = LeerEntero(atributos[1].value().toString().toStdString(), 9);
    return fila >= 1 && col >= 1 ? Casilla(fila, col) : -1;
}

class Lector {
public:
    explicit Lector(const QByteArray& datos) : x_(datos) {}

    PuzzleLeido Leer() {
        PuzzleLeido r;
        while (!x_.atEnd() && x_.readNext() != Token::StartElement) {
        }
        if (!x_.isStartElement()) return {};
        r.clasico = x_.name() == u"SUDOKU_CLASIC";
        bool bien = true;
        for (Token t = SiguienteNodo(); t != Token::EndElement; t = SiguienteNodo()) {
            if (t == Token::Invalid) return {};
            if (!bien) {
                if (t == Token::StartElement) x_.skipCurrentElement();
            } else if (t != Token::StartElement) {
                bien = false; // an entry that is not an element
            } else {
                bien = r.clasico ? LeerFija(r) : LeerSegmento(r);
            }
        }
        // Nothing is applied from a document that is not well-formed to its end.
        while (!x_.atEnd())
            x_.readNext();
        if (x_.hasError()) return {};
        r.legible = true;
        r.completo = bien;
        return r;
    }

private:
    // The next child node of the current element; whitespace-only text does not count.
    Token SiguienteNodo() {
        Token t;
        do
            t = x_.readNext();
        while (t == Token::Characters && x_.isWhitespace());
        return t;
    }

    bool LeerSegmento(PuzzleLeido& r) {
        const QXmlStreamAttributes atributos = x_.attributes();
        if (r.segmentos.size() == kSegmentos || atributos.isEmpty()) {
            x_.skipCurrentElement();
            return false;
        }
        SegmentoLeido& s = r.segmentos.emplace_back();
        s.suma = atributos[0].value().toString();
        for (Token t = SiguienteNodo(); t != Token::EndElement; t = SiguienteNodo()) {
            if (t == Token::Invalid) return false;
            int k = -1;
            if (t == Token::StartElement) {
                k = CasillaDe(x_.attributes());
                x_.skipCurrentElement();
            }
            if (k < 0) {
                x_.skipCurrentElement(); // the rest of the entry
                return false;
            }
            s.casillas.push_back(k);
        }
        return true;
    }

    // The text inside the current element and all its descendants. QXmlStreamReader's own
    // readElementText recurses once per level and overflows the stack on deep nesting.
    QString TextoContenido() {
        QString texto;
        for (int profundidad = 1; profundidad > 0;) {
            switch (x_.readNext()) {
            case Token::StartElement:
                ++profundidad;
                break;
            case Token::EndElement:
                --profundidad;
                break;
            case Token::Characters:
                texto += x_.text();
                break;
            case Token::Invalid:
                return texto;
            default:
                break;
            }
        }
        return texto;
    }

    bool LeerFija(PuzzleLeido& r) {
        const int k = CasillaDe(x_.attributes());
        const QString texto = TextoContenido();
        if (k < 0) return false;
        r.fijas.push_back({k, texto});
        return true;
    }

    QXmlStreamReader x_;
};

QByteArray Numero(int n) {
    return QByteArray::number(n);
}

QByteArray LineaCasilla(int k) {
    return "<CASILLA FILA='" + Numero(FilaDe(k)) + "' COL='" + Numero(ColDe(k)) + "'/>\r\n";
}

} // namespace

PuzzleLeido LeerPuzzle(const QByteArray& datos) {
    if (datos.size() > kTamanoMaximoPuzzle) return {};
    return Lector(datos).Leer();
}

PuzzleLeido LeerPuzzle(QIODevice& origen) {
    return LeerPuzzle(origen.read(kTamanoMaximoPuzzle + 1));
}

PuzzleLeido LeerFicheroPuzzle(const QString& ruta) {
    // Only regular files: opening a pipe would wait for a writer forever.
    if (!QFileInfo(ruta).isFile()) return {};
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return LeerPuzzle(f);
}

Enunciado EnunciadoDe(const PuzzleLeido& l) {
    Enunciado e;
    e.killer = !l.clasico;
    for (size_t n = 0; n < l.segmentos.size(); ++n) {
        e.sumas[n] = l.segmentos[n].suma.toStdString();
        for (const int k : l.segmentos[n].casillas)
            e.segmento[k] = static_cast<int8_t>(n);
    }
    for (const FijaLeida& f : l.fijas) {
        e.fijas.set(f.casilla);
        e.textos[f.casilla] = f.texto.toStdString();
    }
    return e;
}

Apertura AbrirPuzzle(const QString& ruta) {
    const PuzzleLeido l = LeerFicheroPuzzle(ruta);
    if (!l.legible) return {};
    return {true, l.completo, EnunciadoDe(l)};
}

QByteArray TextoPuzzle(const Tablero& t) {
    QByteArray texto;
    if (t.ModoKiller) {
        texto += "<SUDOKU_KILLER>\r\n";
        for (int s = 0; s < kRegistros; ++s) {
            if (t.Segmentos[s].Suma == 0) continue;
            QByteArray casillas;
            for (int k = 0; k < kCasillas; ++k)
                if (t.CasillaSeg[k] == s) casillas += LineaCasilla(k);
            // A sum left over after its cells were freed would make the file fail to validate.
            if (casillas.isEmpty()) continue;
            texto += "<SEGMENTO VALOR='" + Numero(t.Segmentos[s].Suma) + "'>\r\n" + casillas +
                     "</SEGMENTO>\r\n";
        }
        texto += "</SUDOKU_KILLER>\r\n";
    } else {
        texto += "<SUDOKU_CLASIC>\r\n";
        for (int k = 0; k < kCasillas; ++k) {
            if (!t.EsFija(k)) continue;
            texto += "<FIJA FILA='" + Numero(FilaDe(k)) + "' COL='" + Numero(ColDe(k)) + "'>" +
                     Numero(t.Matriz[k]) + "</FIJA>\r\n";
        }
        texto += "</SUDOKU_CLASIC>\r\n";
    }
    return texto;
}

} // namespace velmora
