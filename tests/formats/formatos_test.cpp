#include "formats/formatos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <functional>
#include <map>

#include "files/puzzle_xml.h"
#include "formats/lz_string.h"
#include "support/puzzles.h"

namespace velmora {

void PrintTo(const ErrorFormato& e, std::ostream* os) {
    *os << e.titulo << ": " << e.texto;
}

void PrintTo(const Enunciado& e, std::ostream* os) {
    const auto texto = EscribirTexto(e, e.killer ? Formato::KillerLargo : Formato::Clasico);
    *os << (texto ? *texto : texto.error().texto);
}

namespace {

std::string Ceros(std::initializer_list<std::pair<int, char>> marcas) {
    std::string s = Marcas(marcas);
    std::replace(s.begin(), s.end(), '.', '0');
    return s;
}

// The long Killer string of the numbers f(0) ... f(cuantos - 1).
std::string LargoDe(const std::function<int(int)>& f, int cuantos = kCasillas) {
    std::string s = "3x3::k:";
    for (int k = 0; k < cuantos; ++k) {
        s += k ? ":" : "";
        s += std::to_string(f(k));
    }
    return s;
}
std::string Largo(std::map<int, int> numeros, int cuantos = kCasillas) {
    return LargoDe([&](int k) { return numeros[k]; }, cuantos);
}

std::string Grid(const std::string& celda44 = "{}") {
    std::string s;
    for (int k = 0; k < kCasillas; ++k)
        s.append(k % 9 ? "," : k ? "],[" : "[[").append(k == 40 ? celda44 : "{}");
    return s + "]]";
}

std::string Json(const std::string& resto, const std::string& celda44 = "{}") {
    return R"({"size":9,"grid":)" + Grid(celda44) + resto + "}";
}

// A Killer puzzle with a cage in a row, one along a diagonal and a single cell, and a classic one.
const Enunciado kKiller =
    Killer(Marcas({{0, 'a'}, {1, 'a'}, {10, 'b'}, {20, 'b'}, {80, 'c'}}), {"3", "10", "9"});
const Enunciado kClasico = Clasico(Marcas({{0, '5'}, {40, '1'}, {80, '9'}}));

// The JSON's compressed form computed with the JavaScript library.
constexpr std::string_view kEnlaceKiller =
    "https://www.f-puzzles.com/?load="
    "N4Ig5gTglgJiBcBtRwC+AaNmNdz/2AuuigXtheWsaZWfXTVQ80Sax/Uyz4+75za1BnbnXGjiIANZQANnICmEAMYBDMI"
    "oQoQKxQoDO2kACUAjAGEzIdKcsAmEFIBuauQFct8EAGYQOXX05IyRTewtHWxMfCz8XN08EEDMABn9MQMNjEwBOCxynW1"
    "cPLxAC1CkDKAAvLxzUIA=";
constexpr std::string_view kEnlaceClasico =
    "https://www.f-puzzles.com/?load="
    "N4Ig5gTglgJiBcBtRoxQG4FMB2CAuEArpgDQjoCGANsQgKwC+JwTLzrH7XLAuiSpzZDBIvgO4iJEscKmz5DGZKHgMOfE"
    "VLlqteAEZlHJXMPT+CkyeMWbR86dvNVWXPALEylGpgQBORXwgAM5QAF4+8P5AA==";

TEST(Formatos, EscribeLasCadenasConocidas) {
    const struct {
        const Enunciado& e;
        Formato f;
        std::string texto;
    } casos[] = {
        {kClasico, Formato::Clasico, Marcas({{0, '5'}, {40, '1'}, {80, '9'}})},
        {kKiller, Formato::KillerCorto,
         Ceros({{0, '3'}, {1, '<'}, {10, 'A'}, {20, '`'}, {80, '9'}})},
        {kKiller, Formato::KillerLargo,
         Largo({{0, 769}, {1, 769}, {10, 2562}, {20, 2562}, {80, 2307}}) + ":"},
        {kKiller, Formato::FPuzzles,
         R"({"grid":)" + Grid() +
             R"(,"killercage":[{"cells":["R1C1","R1C2"],"value":"3"},)"
             R"({"cells":["R2C2","R3C3"],"value":"10"},{"cells":["R9C9"],"value":"9"}],"size":9})"},
        {kKiller, Formato::EnlaceFPuzzles, std::string(kEnlaceKiller)},
        {kClasico, Formato::EnlaceFPuzzles, std::string(kEnlaceClasico)},
    };
    for (const auto& c : casos) {
        const auto texto = EscribirTexto(c.e, c.f);
        ASSERT_TRUE(texto) << texto.error().texto;
        EXPECT_EQ(*texto, c.texto) << NombreFormato(c.f);
        const auto leido = LeerTexto(c.texto);
        EXPECT_TRUE(leido && *leido == c.e) << NombreFormato(c.f);
        EXPECT_EQ(DetectarFormato(c.texto), c.f);
    }
}

TEST(Formatos, LeeLasCadenasConocidas) {
    // A setter's link: title, author, pencil marks, an entered digit that is no given, a rule
    // switched off, an empty rule list, a box given as its own region, cells out of order.
    constexpr std::string_view kEnlaceAjeno =
        "https://www.f-puzzles.com/?load="
        "N4IgzglgXgpiBcBOANCALhNAbO8QCkBDAVy0LBFRLQAsB7AJwRAEEA7QykB0mMGNMwDSELDgYACNowC2hLADouA"
        "cwYQAJggDaW0ADd5xXAGZUAYxhs0MBgAVLZ0QFlCDANYV4WgIzIATAC6AL7IwCFhoeFRkTFhAci60RHJSanxibGpmZ"
        "npKdl5BUG5WcncMMoQdGwIACwlUcX59TkJhU1NjW1dDa3N3ZEB8SDqEITKVfIAtAgAZvL8VAwMdADu2kNuouJmY7i6"
        "IBZinlogAEqIAMKIXKcAHFcgQwZYRszeAOxcdMTYEGwwF2YAGIAAxg8EgcIHGBHbTcbxmPyPVDPV54T5FIJAA&"
        "otro=1";
    const struct {
        std::string texto;
        Enunciado e;
        Formato f;
    } casos[] = {
        {"  500 000 000\n000|000|000\n000 000 000\n------+-------+------\n000 000 000\n"
         "000 010 000\n000 000 000\n000 000 000\n000 000 000\n000 000 009\n\n",
         kClasico, Formato::Clasico},
        {Ceros({}), Clasico(Marcas({})), Formato::Clasico}, // not an empty Killer string
        // The root need not come first; arrows of every direction; the largest sums.
        {"00v0,00000.v,0000000j<000000'0`00000000000000000000000000000Z0000000>^00000000000",
         Killer("..a.a.....aaa.......aa......a.a.............................b.......bb...........",
                {"45", "35"}),
         Formato::KillerCorto},
        {Largo({{0, 769}, {1, 769}, {2, 7}, {10, 2562}, {20, 2562}, {80, 2307}}) + ":", kKiller,
         Formato::KillerLargo},
        {Json(
             R"(,"title":"x","killercage":[{"cells":["R9C9"],"value":"9"},)"
             R"({"cells":["R2C2","R3C3","r2c2"],"value":10},{"cells":["R1C2","R1C1"],"value":"03"}])"),
         kKiller, Formato::FPuzzles},
        {Json("", R"({"value":1,"given":true})") + "\n", Clasico(Marcas({{40, '1'}})),
         Formato::FPuzzles},
        {std::string(kEnlaceAjeno), Killer(Marcas({{1, 'a'}, {71, 'b'}, {80, 'b'}}), {"7", "17"}),
         Formato::EnlaceFPuzzles},
        {Largo({}), Killer(Marcas({}), {}), Formato::KillerLargo},
        {Json(R"(,"killercage":[])"), Killer(Marcas({}), {}), Formato::FPuzzles},
        {"\xEF\xBB\xBF <SUDOKU_CLASIC><FIJA FILA='5' COL='5'>1</FIJA></SUDOKU_CLASIC>",
         Clasico(Marcas({{40, '1'}})), Formato::Xml},
        {std::string("\xFF\xFE<\0a\0/\0>\0", 10), Killer(Marcas({}), {}), Formato::Xml}, // UTF-16
    };
    for (const auto& c : casos) {
        const auto e = LeerTexto(c.texto);
        ASSERT_TRUE(e) << c.texto << "\n" << e.error().texto;
        EXPECT_EQ(*e, c.e) << c.texto;
        EXPECT_EQ(DetectarFormato(c.texto), c.f) << c.texto;
    }
    EXPECT_EQ(DetectarFormato(" \n"), std::nullopt);
}

// What peers publish beside the rules: display settings, solutions, a Killer's givens outside
// its cages (one-cell cages, with a note), a long string without its trailing colon.
TEST(Formatos, LeeLoQuePublicanOtros) {
    const std::string jaula = R"(,"killercage":[{"cells":["R1C1","R1C2"],"value":"3"}])";
    const std::string ajustes = R"(,"disabledlogic":["Simple Coloring"],)"
                                R"("truecandidatesoptions":["colored"],"solution":[1,2])";
    const struct {
        std::string texto;
        Enunciado e;
        std::string aviso;
    } casos[] = {
        {Json(jaula + ajustes), Killer(Marcas({{0, 'a'}, {1, 'a'}}), {"3"}), ""},
        {Json(jaula, R"({"value":7,"given":true})"),
         Killer(Marcas({{0, 'a'}, {1, 'a'}, {40, 'b'}}), {"3", "7"}),
         "Las cifras dadas fuera de los segmentos se leen como segmentos de una casilla con esa "
         "suma: R5C5."},
        {Largo({{0, 769}, {1, 769}}), Killer(Marcas({{0, 'a'}, {1, 'a'}}), {"3"}), ""},
        {Largo({{0, 769}, {1, 769}}) + ":", Killer(Marcas({{0, 'a'}, {1, 'a'}}), {"3"}), ""},
    };
    for (const auto& c : casos) {
        const auto l = LeerTextoConAviso(c.texto);
        ASSERT_TRUE(l) << c.texto << "\n" << l.error().texto;
        EXPECT_EQ(l->enunciado, c.e) << c.texto;
        EXPECT_EQ(l->aviso ? l->aviso->texto : "", c.aviso) << c.texto;
        const auto e = LeerTexto(c.texto);
        EXPECT_TRUE(e && *e == c.e);
    }
    // The same through the link, which carries the note too.
    const auto enlace = LeerTextoConAviso(
        "?load=" + ComprimirBase64(QString::fromStdString(casos[1].texto).toStdU16String()));
    ASSERT_TRUE(enlace);
    EXPECT_EQ(enlace->enunciado, casos[1].e);
    EXPECT_EQ(enlace->aviso->texto, casos[1].aviso);
    // Only the 81 one-digit cages of a Killer short string look like a classic line: the
    // format named reads them as cages.
    const std::string unas = std::string(80, '0') + "5";
    EXPECT_EQ(*LeerTexto(unas), Clasico(Marcas({{80, '5'}})));
    EXPECT_EQ(LeerTextoConAviso(unas, Formato::KillerCorto)->enunciado,
              Killer(Marcas({{80, 'a'}}), {"5"}));
}

TEST(Formatos, Nombres) {
    for (const Formato f : kFormatos) {
        EXPECT_EQ(FormatoDeNombre(NombreFormato(f)), f);
        EXPECT_FALSE(DescripcionFormato(f).empty());
    }
    EXPECT_EQ(FormatoDeNombre("killer"), std::nullopt);
}

// Every Killer format and both f-puzzles forms carry the puzzle back; only the classic line
// and XML carry classic ones too.
TEST(Formatos, IdaYVueltaDeLosFicherosDePrueba) {
    int idas = 0;
    for (const QFileInfo& fichero : QDir(VELMORA_TEST_DATA).entryInfoList({"*.xml"}) +
                                        QDir(VELMORA_EXAMPLES).entryInfoList({"*.xml"})) {
        const Apertura a = AbrirPuzzle(fichero.filePath());
        if (!a.completo || !EscribirTexto(a.enunciado, Formato::Xml)) continue;
        for (const Formato f : kFormatos) {
            const auto texto = EscribirTexto(a.enunciado, f);
            const bool cabe = f == Formato::Xml || f == Formato::FPuzzles ||
                              f == Formato::EnlaceFPuzzles ||
                              a.enunciado.killer != (f == Formato::Clasico);
            ASSERT_EQ(static_cast<bool>(texto), cabe)
                << fichero.fileName().toStdString() << " " << NombreFormato(f);
            if (!texto) continue;
            const auto leido = LeerTexto(*texto);
            ASSERT_TRUE(leido) << *texto;
            EXPECT_EQ(Canonico(*leido), Canonico(a.enunciado))
                << fichero.fileName().toStdString() << " " << NombreFormato(f);
            ++idas;
        }
    }
    EXPECT_GE(idas, 20);
}

TEST(Formatos, Canonico) {
    Enunciado e = Killer(Marcas({{5, 'a'}, {3, 'e'}, {70, 'z'}}), {"007", "", "", "", "4", "x"});
    e.fijas.set(1);     // a leftover of the other mode
    e.segmento[9] = 39; // no segment of the palette
    EXPECT_EQ(Canonico(e), Killer(Marcas({{3, 'a'}, {5, 'b'}, {70, 'c'}}), {"4", "7"}));
    const auto texto = EscribirTexto(Killer(Marcas({{5, 'a'}, {3, 'e'}}), {"7", "", "", "", "4"}),
                                     Formato::KillerLargo);
    EXPECT_EQ(*LeerTexto(*texto), Killer(Marcas({{3, 'a'}, {5, 'b'}}), {"4", "7"}));
}

const std::string kNoValido = "Texto no válido";
const std::string kVariante = "Variante no admitida";

TEST(Formatos, LecturasRechazadas) {
    std::string cuarenta(kCasillas, '0');
    for (int k = 0; k < 80; k += 2)
        cuarenta[k] = 'A';
    const std::string demasiados = "El sudoku tiene 40 segmentos y Velmora admite 39 como máximo.";
    std::string jaulas;
    for (int k = 0; k < 40; ++k) {
        if (k) jaulas += ',';
        jaulas += R"({"cells":["R)" + std::to_string(k / 9 + 1) + "C" + std::to_string(k % 9 + 1) +
                  R"("],"value":"5"})";
    }
    const struct {
        std::string texto;
        std::string error;
        std::string titulo = kNoValido;
    } casos[] = {
        {" \n", "El texto está vacío."},
        {"hola mundo",
         "El texto no está en ninguno de los formatos que Velmora lee: XML de Velmora, línea "
         "clásica, cadena Killer corta o larga, JSON o enlace de f-puzzles.",
         "Formato no reconocido"},
        {std::string(kTamanoMaximoTexto + 1, '.'),
         "El texto es demasiado largo: tiene más de 1024 KB."},
        {"<SUDOKU_CLASIC>", std::string(kTextoErrorAbrir), std::string(kTituloFichero)},
        // Classic line.
        {"123", "Faltan casillas: el texto tiene 3 y una línea clásica tiene 81."},
        {std::string(82, '.'),
         "Sobran casillas: la casilla 82 está en la posición 82; una línea clásica tiene 81."},
        {"123456789\n12345678x\n", "Carácter no válido «x» en la línea 2, columna 9."},
        {"123 456 789\n\t1234ñ6789", "Carácter no válido «ñ» en la línea 2, columna 6."},
        // Killer short string.
        {Ceros({{36, '#'}}), "Carácter no válido «#» en la posición 37."},
        {"3<", "La cadena Killer corta debe tener 81 caracteres y tiene 2."},
        {Ceros({{8, '>'}}),
         "La flecha «>» de la posición 9 (fila 1, columna 9) sale de la cuadrícula."},
        {Ceros({{72, ','}}),
         "La flecha «,» de la posición 73 (fila 9, columna 1) sale de la cuadrícula."},
        {Ceros({{0, '>'}, {1, '<'}}),
         "Las flechas forman un círculo en la posición 1 (fila 1, columna 1)."},
        {Ceros({{0, '5'}, {1, 'v'}, {10, '^'}}),
         "Las flechas forman un círculo en la posición 2 (fila 1, columna 2)."},
        {Ceros({{2, '<'}, {3, '<'}}),
         "La flecha de la posición 3 (fila 1, columna 3) lleva a una casilla sin segmento, en la "
         "posición 2 (fila 1, columna 2)."},
        {cuarenta, demasiados, "Demasiados segmentos"},
        // Killer long string.
        {"2x3::k:1",
         "Velmora solo lee sudokus de 9 × 9 casillas en cajas de 3 × 3; la cadena es de "
         "tipo «2x3».",
         kVariante},
        {"3x3:d:k:1",
         "La cadena es de un sudoku diagonal (marca «d»): Velmora no tiene la regla de las "
         "diagonales.",
         kVariante},
        {"3x3:q:k:1", "La cadena lleva marcas que Velmora no conoce: «q».", kVariante},
        {"3x3:k:1", "Falta «:k:» tras las marcas, en la posición 6."},
        {"3x3::k:1:abc",
         "Número no válido «abc» en la posición 10: cada casilla lleva suma × 256 + "
         "identificador, hasta 65535."},
        {"3x3::k:1:65536", "Número no válido «65536» en la posición 10: cada casilla lleva suma × "
                           "256 + identificador, hasta 65535."},
        {"3x3::k:1::2", "Falta un número en la posición 10."},
        {Largo({}, 80), "Faltan números: la cadena tiene 80 y la cadena Killer larga lleva 81."},
        {Largo({}, 82), "Sobran números: el 82 está en la posición 170; la cadena Killer larga "
                        "lleva 81."},
        {Largo({{3, 769}, {40, 1025}}),
         "Los números 4 y 41 tienen el mismo segmento (1) con sumas distintas."},
        {LargoDe([](int k) { return k < 40 ? 256 + k : 0; }), demasiados, "Demasiados segmentos"},
        // f-puzzles JSON.
        {"{\"size\":9,\n \"grid\" 1}",
         "JSON no válido en la línea 2, columna 10: falta «:» tras un nombre."},
        {"{\"size\":9,", "JSON no válido en la posición 11: falta cerrar un objeto con «}»."},
        {"{}", "Falta el tamaño «size» del sudoku."},
        {R"({"size":6})", "Velmora solo lee sudokus de 9 × 9 casillas; el JSON es de tamaño 6.",
         kVariante},
        {R"({"size":9,"grid":[]})", "«grid» debe ser una lista de 9 filas de 9 casillas."},
        {Json(R"(,"diagonal+":true,"diagonal-":false,"arrow":[{"cells":["R1C1"]}],"odd":[])"),
         "El sudoku lleva reglas que Velmora no tiene: arrow, diagonal+.", kVariante},
        {Json("", R"({"region":0})"), "El sudoku lleva reglas que Velmora no tiene: region.",
         kVariante},
        {Json("", R"({"value":10,"given":true})"),
         "La casilla dada de la fila 5, columna 5 no tiene una cifra del 1 al 9."},
        {Json(R"(,"killercage":{})"), "«killercage» debe ser una lista de segmentos."},
        {Json(R"(,"killercage":[{"value":"3"}])"),
         "Falta la lista «cells» de casillas en el segmento 1 de «killercage»."},
        {Json(R"(,"killercage":[{"cells":["R1C1"]},{"cells":["R0C1"]}])"),
         "Casilla no válida «R0C1» en el segmento 2 de «killercage»: se esperaba «R1C1» … «R9C9»."},
        {Json(R"(,"killercage":[{"cells":["R1C1"]},{"cells":["R2C1","R1C1"]}])"),
         "La casilla R1C1 está en el segmento 1 de «killercage» y en el 2."},
        {Json(R"(,"killercage":[{"cells":["R1C1"],"value":"tres"}])"),
         "La suma del segmento 1 de «killercage» debe ser un número entero entre 0 y 255."},
        {Json(R"(,"killercage":[{"cells":["R1C1"],"value":"5"},{"cells":["R5C5"],"value":"1"}])",
              R"({"value":1,"given":true})"),
         "Velmora no tiene segmentos con cifras dadas: la casilla R5C5 tiene un 1 y está en el "
         "segmento 2 de «killercage».",
         kVariante},
        {Json(R"(,"cage":[{"cells":["R1C1"],"value":"x"}],"disabledlogic":["a"])"),
         "El sudoku lleva reglas que Velmora no tiene: cage.", kVariante},
        // 39 cages and one given outside them.
        {Json(R"(,"killercage":[)" + jaulas.substr(jaulas.find("},{") + 2) + "]",
              R"({"value":1,"given":true})"),
         demasiados, "Demasiados segmentos"},
        {Json(R"(,"killercage":[)" + jaulas + "]"), demasiados, "Demasiados segmentos"},
        // f-puzzles link.
        {"https://www.f-puzzles.com/?load=", "El enlace no lleva datos tras «load=»."},
        {"?load=N4Ig!", "Carácter no válido «!» en la posición 11."},
        {"?load=AAAA", "Los datos del enlace tras «load=» no se pueden descomprimir."},
        {"?load=NoXSA===",
         "En los datos del enlace: El JSON de f-puzzles debe ser un objeto «{…}»."},
        {"?load=N4IgzglgXgpiBcBOANCA5gJwgEwQbQF1UBrCAGzJgwGMBDNOeQgXyA%3D%3D",
         "En los datos del enlace: «grid» debe ser una lista de 9 filas de 9 casillas."},
    };
    for (const auto& c : casos) {
        const auto e = LeerTexto(c.texto);
        ASSERT_FALSE(e) << c.texto;
        EXPECT_EQ(e.error(), (ErrorFormato{c.error, c.titulo})) << c.texto.substr(0, 200);
    }
}

TEST(Formatos, EscriturasRechazadas) {
    const std::string clasico = "Un sudoku clásico no se puede escribir como cadena Killer: solo "
                                "lleva segmentos con su suma.";
    const struct {
        Enunciado e;
        Formato f;
        std::string error;
        std::string titulo = "Formato no adecuado";
    } casos[] = {
        {kKiller, Formato::Clasico,
         "Un sudoku Killer no se puede escribir como línea clásica: solo lleva cifras dadas."},
        {kClasico, Formato::KillerCorto, clasico},
        {kClasico, Formato::KillerLargo, clasico},
        {Killer(Marcas({{0, 'a'}, {1, 'a'}, {40, 'b'}, {42, 'b'}}), {"3", "4"}),
         Formato::KillerCorto,
         "Las casillas del segmento 2 no están unidas: la cadena Killer corta solo lleva segmentos "
         "cuyas casillas se tocan, también en diagonal.",
         "Segmento no contiguo"},
        // The validation's own messages, for every format.
        {Killer(Marcas({{0, 'a'}}), {"x"}), Formato::FPuzzles,
         "La suma total debe ser un número entero entre 0 y 255", "Fallo en segmento 1"},
        {Killer(Marcas({{0, 'a'}, {1, 'b'}}), {"3", ""}), Formato::KillerLargo,
         "Todos los segmentos deben tener la suma total introducida", "Fallo en segmento 2"},
        {Clasico(Marcas({{0, '5'}, {7, '5'}})), Formato::EnlaceFPuzzles,
         "El número 5 se encuentra repetido en la fila 1", "Número Repetido"},
        {Clasico(Marcas({{0, '5'}, {7, '5'}})), Formato::Xml,
         "El número 5 se encuentra repetido en la fila 1", "Número Repetido"},
    };
    for (const auto& c : casos) {
        const auto texto = EscribirTexto(c.e, c.f);
        ASSERT_FALSE(texto) << NombreFormato(c.f);
        EXPECT_EQ(texto.error(), (ErrorFormato{c.error, c.titulo}));
        EXPECT_EQ(texto.error().AMensaje().icono, Icono::Exclamacion);
    }
    // The formats that carry any segment.
    const Enunciado suelto = casos[3].e;
    for (const Formato f :
         {Formato::KillerLargo, Formato::FPuzzles, Formato::EnlaceFPuzzles, Formato::Xml})
        EXPECT_EQ(*LeerTexto(*EscribirTexto(suelto, f)), suelto);
}

} // namespace
} // namespace velmora
