#include "lote/lote.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <algorithm>
#include <thread>

#include "lote/canal.h"
#include "support/azar.h"

namespace velmora::lote {
namespace {

TEST(Lote, PartirLinea) {
    const struct {
        std::string_view linea, puzzle, etiqueta;
    } casos[] = {
        {"8..3.. inkala  2012 \r", "8..3..", "inkala  2012"},
        {"\t8..3..", "8..3..", ""},
        {"\xEF\xBB\xBF"
         "3x3::k:1:2: a",
         "3x3::k:1:2:", "a"},
        {R"({"size":9, "title":"a} b", "grid":[[{}]]}  mi etiqueta)",
         R"({"size":9, "title":"a} b", "grid":[[{}]]})", "mi etiqueta"},
        {R"({"t":"\"}"} x)", R"({"t":"\"}"})", "x"},
        {R"({"size":9 sin cerrar)", R"({"size":9 sin cerrar)", ""},
        {"<SUDOKU_CLASIC><FIJA FILA='1' COL='1'>5</FIJA></SUDOKU_CLASIC> xml 1",
         "<SUDOKU_CLASIC><FIJA FILA='1' COL='1'>5</FIJA></SUDOKU_CLASIC>", "xml 1"},
        {"<?xml version='1.0'?> <!-- n --> <SUDOKU_KILLER/> e",
         "<?xml version='1.0'?> <!-- n --> <SUDOKU_KILLER/>", "e"},
        {"<SUDOKU_KILLER> sin cerrar", "<SUDOKU_KILLER> sin cerrar", ""},
        {"<", "<", ""},
    };
    for (const auto& c : casos) {
        const Partes p = PartirLinea(c.linea);
        EXPECT_EQ(p.puzzle, c.puzzle) << c.linea;
        EXPECT_EQ(p.etiqueta, c.etiqueta) << c.linea;
    }
    for (const std::string_view vacia : {"", "  \t", "#", "  # nota", "\r"})
        EXPECT_FALSE(TienePuzzle(vacia)) << vacia;
    EXPECT_TRUE(TienePuzzle(" 1.. #"));
}

TEST(Lote, JsonSiempreLegible) {
    const struct {
        std::string_view texto, json;
    } casos[] = {
        {"a\"b\\c\td\n\r", R"("a\"b\\c\td\n\r")"},
        {"\x01\x7F", R"("\u0001\u007f")"},
        {"ñ€😀", "\"ñ€😀\""},
        {"\xC0\xAF", R"("\ufffd\ufffd")"},                     // overlong
        {"\xED\xA0\x80", R"("\ufffd\ufffd\ufffd")"},           // a surrogate
        {"\xE2\x82", R"("\ufffd\ufffd")"},                     // cut short
        {"\xF4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"}, // past U+10FFFF
    };
    for (const auto& c : casos) {
        std::string s;
        AnadirJson(s, c.texto);
        EXPECT_EQ(s, c.json);
    }
    // Any bytes give a string a JSON parser takes, and valid UTF-8 comes back unchanged.
    Azar azar(22);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes(azar.Hasta(12), '\0');
        for (char& b : bytes)
            b = static_cast<char>(azar.Hasta(2) ? azar.Hasta(256) : 'a' + azar.Hasta(26));
        std::string s = "[";
        AnadirJson(s, bytes);
        s += "]";
        QJsonParseError error;
        const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(s), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << s;
        const QString leido = doc.array()[0].toString();
        if (QString::fromUtf8(bytes).toUtf8().toStdString() == bytes &&
            bytes.find('\0') == std::string::npos) {
            EXPECT_EQ(leido.toStdString(), bytes);
        }
    }
}

TEST(Lote, Formatear) {
    const Campos campos = {{"estado", "a\tb"}, {"n", "7", true}, {"c", "x\ny"}};
    EXPECT_EQ(Formatear(3, "mi\tetiqueta", campos, false), "3\tmi etiqueta\ta b\t7\tx y");
    EXPECT_EQ(Formatear(3, "é", campos, true),
              R"({"linea":3,"etiqueta":"é","estado":"a\tb","n":7,"c":"x\ny"})");
}

// The lines written to a pipe and read back.
std::vector<std::pair<int64_t, std::string>> Lineas(const std::string& texto, size_t maximo) {
    int tubo[2];
    EXPECT_EQ(pipe(tubo), 0);
    std::thread escritor([&] {
        EXPECT_EQ(write(tubo[1], texto.data(), texto.size()), static_cast<ssize_t>(texto.size()));
        close(tubo[1]);
    });
    LectorLineas lector(tubo[0], maximo);
    std::vector<std::pair<int64_t, std::string>> lineas;
    std::string linea;
    int64_t numero;
    while (lector.Siguiente(linea, numero))
        lineas.emplace_back(numero, linea);
    escritor.join();
    EXPECT_FALSE(lector.Error());
    EXPECT_EQ(lector.Bytes(), static_cast<int64_t>(texto.size()));
    close(tubo[0]);
    return lineas;
}

TEST(Lote, LectorLineas) {
    using V = std::vector<std::pair<int64_t, std::string>>;
    EXPECT_EQ(Lineas("a\r\nb\n\nc", 100), (V{{1, "a"}, {2, "b"}, {3, ""}, {4, "c"}}));
    EXPECT_EQ(Lineas("", 100), V{});
    EXPECT_EQ(Lineas("x\n", 100), (V{{1, "x"}}));
    // A long line is cut, and the next one is whole; across the reader's blocks too.
    const std::string larga(200000, 'z');
    EXPECT_EQ(Lineas(larga + "\nfin\n", 10), (V{{1, "zzzzzzzzzz"}, {2, "fin"}}));
    EXPECT_EQ(Lineas(larga + "\n", 1 << 20), (V{{1, larga}}));
}

const Juez kComprobar = [](const Enunciado& e, Tablero&, std::stop_token) {
    return Campos{{"estado", "válido"}, {"tipo", e.killer ? "killer" : "clásico"}};
};

TEST(Lote, EvaluarLinea) {
    const std::string clasico = "5" + std::string(80, '.');
    const std::string unaJaula = std::string(80, '0') + "5";
    const std::optional<Formato> sin; // detected
    const struct {
        std::string linea;
        std::optional<Formato> formato;
        bool json;
        std::string salida;
        bool rechazada;
    } casos[] = {
        {clasico + " uno", sin, false, "4\tuno\tválido\tclásico", false},
        {clasico, sin, true, R"({"linea":4,"etiqueta":"","estado":"válido","tipo":"clásico"})",
         false},
        {unaJaula + " ambigua", sin, false, "4\tambigua\tválido\tclásico", false},
        {unaJaula + " ambigua", Formato::KillerCorto, false, "4\tambigua\tválido\tkiller", false},
        {"55" + std::string(79, '.') + " repetido", sin, false,
         "4\trepetido\trechazado\tNúmero Repetido: El número 5 se encuentra repetido en la fila 1",
         true},
        {"x", sin, true,
         R"({"linea":4,"etiqueta":"","estado":"rechazado","mensaje":"Texto no válido: Carácter no válido «x» en la posición 1."})",
         true},
        {clasico + " e", Formato::KillerLargo, false,
         "4\te\trechazado\tTexto no válido: La cadena Killer larga debe empezar por «3x3:».", true},
    };
    for (const auto& c : casos) {
        Salida s;
        EvaluarLinea(kComprobar, {c.formato, c.json}, 4, c.linea, {}, s);
        EXPECT_EQ(s.linea, c.salida) << c.linea;
        EXPECT_EQ(s.rechazada, c.rechazada) << c.linea;
        EXPECT_TRUE(s.aviso.empty());
    }
    // A Killer's given outside its cages: a one-cell cage, with a note, also in the JSON.
    std::string grid = R"([[{"value":5,"given":true})";
    for (int k = 1; k < kCasillas; ++k)
        grid += k % 9 ? ",{}" : "],[{}";
    grid += "]]";
    Salida s;
    EvaluarLinea(
        kComprobar, {{}, true}, 1,
        R"({"size":9,"killercage":[{"cells":["R9C9"],"value":"4"}],"grid":)" + grid + "} f", {}, s);
    EXPECT_FALSE(s.rechazada);
    EXPECT_EQ(s.aviso, "Cifras dadas en un Killer: Las cifras dadas fuera de los segmentos se "
                       "leen como segmentos de una casilla con esa suma: R1C1.");
    EXPECT_EQ(s.linea, R"({"linea":1,"etiqueta":"f","estado":"válido","tipo":"killer","aviso":")" +
                           s.aviso + "\"}");
}

// A canal over `n` numbers whose work takes uneven time: what it writes, in order.
struct Corrida {
    std::vector<std::string> escritas;
    int64_t maximoEnVuelo = 0;
    int64_t leidas = 0;
    bool bien = true;
};

Corrida Correr(int hilos, size_t ventana, int n, int fallaEn = -1) {
    Corrida r;
    int64_t enVuelo = 0;
    Canal c;
    c.hilos = hilos;
    c.ventana = ventana;
    c.leer = [&](Tarea& t) {
        if (r.leidas == n) return false;
        t.numero = ++r.leidas;
        t.entrada = std::to_string(t.numero);
        r.maximoEnVuelo = std::max(r.maximoEnVuelo, ++enVuelo);
        return true;
    };
    c.trabajar = [](Tarea& t, std::stop_token) {
        // Uneven work, so that later lines often finish first.
        volatile uint64_t x = 0;
        for (int64_t i = 0; i < (t.numero * 7919 % 13) * 2000; ++i)
            x = x + static_cast<uint64_t>(i);
        t.salida.linea.assign("r").append(t.entrada);
    };
    c.escribir = [&](const Tarea& t) {
        --enVuelo;
        r.escritas.push_back(t.salida.linea);
        return static_cast<int>(r.escritas.size()) != fallaEn;
    };
    r.bien = Procesar(c);
    return r;
}

TEST(Lote, CanalEnOrdenConCualquierNumeroDeHilos) {
    std::vector<std::string> esperado;
    for (int i = 1; i <= 3000; ++i)
        esperado.push_back(std::string("r").append(std::to_string(i)));
    for (const int hilos : {1, 2, 8}) {
        for (const size_t ventana : {1, 7, 64}) {
            const Corrida r = Correr(hilos, ventana, 3000);
            EXPECT_TRUE(r.bien);
            EXPECT_EQ(r.escritas, esperado) << hilos << " hilos, ventana " << ventana;
            EXPECT_LE(r.maximoEnVuelo, static_cast<int64_t>(ventana));
        }
    }
    EXPECT_TRUE(Correr(4, 16, 0).escritas.empty());
}

TEST(Lote, CanalSeDetieneSiNoPuedeEscribir) {
    for (const int hilos : {1, 3}) {
        const Corrida r = Correr(hilos, 16, 3000, 10);
        EXPECT_FALSE(r.bien);
        EXPECT_EQ(r.escritas.size(), 10u);
        EXPECT_LE(r.leidas, 10 + 16);
    }
}

} // namespace
} // namespace velmora::lote
