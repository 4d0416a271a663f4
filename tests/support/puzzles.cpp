#include "support/puzzles.h"

#include <gtest/gtest.h>

#include <QDir>

#include "files/puzzle_xml.h"
#include "validation/validacion.h"

namespace velmora {

Enunciado Clasico(std::string_view celdas) {
    Enunciado e;
    e.killer = false;
    for (int k = 0; k < kCasillas; ++k) {
        if (celdas[k] == '0' || celdas[k] == '.') continue;
        e.fijas.set(k);
        e.textos[k] = std::string(1, celdas[k]);
    }
    return e;
}

Enunciado Killer(Tablero& t, std::string_view segmentos, std::initializer_list<const char*> sumas) {
    Enunciado e;
    t.ModoKiller = true;
    for (int k = 0; k < kCasillas; ++k) {
        const char c = segmentos[k];
        e.segmento[k] = static_cast<int8_t>(c >= 'a' && c <= 'z'   ? c - 'a'
                                            : c >= 'A' && c <= 'Z' ? c - 'A' + 26
                                                                   : -1);
        t.CasillaSeg[k] = e.segmento[k];
    }
    int i = 0;
    for (const char* s : sumas)
        e.sumas[i++] = s;
    return e;
}

Enunciado Cargar(Tablero& t, const QString& fichero) {
    const QString ruta =
        QDir::isAbsolutePath(fichero) ? fichero : QStringLiteral(VELMORA_TEST_DATA "/") + fichero;
    const Apertura a = AbrirPuzzle(ruta);
    EXPECT_TRUE(a.completo) << ruta.toStdString();
    t.NuevoSudoku();
    t.ModoKiller = a.enunciado.killer;
    for (int k = 0; k < kCasillas; ++k)
        t.CasillaSeg[k] = a.enunciado.segmento[k];
    return a.enunciado;
}

bool ValidarSegmentos(Tablero& t, const std::array<std::string, kSegmentos>& sumas, Plataforma& p) {
    const auto m = ValidarSegmentos(t, sumas);
    if (m) p.Mostrar(*m);
    return !m;
}

bool ComprobarRepetidos(Tablero& t, const std::array<std::string, kCasillas>& textos,
                        const std::bitset<kCasillas>& fijas, Plataforma& p) {
    const auto m = ComprobarRepetidos(t, textos, fijas);
    if (m) {
        p.Mostrar(*m);
        return false;
    }
    p.ProcesarEventos();
    return true;
}

std::string Marcas(std::initializer_list<std::pair<int, char>> marcas) {
    std::string s(kCasillas, '.');
    for (const auto& [k, c] : marcas)
        s[k] = c;
    return s;
}

std::string Rejilla(const Tablero& t) {
    std::string r;
    for (const uint8_t d : t.Matriz)
        r += d ? static_cast<char>('0' + d) : '.';
    return r;
}

} // namespace velmora
