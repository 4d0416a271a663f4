#pragma once
// Puzzles one per text line, for the verdict's benchmark, its generator and its tests.
//   Killer:  81 segment letters ('a'..'z', then 'A'..'M'; '.' for a cell in no segment), a
//            space, the sums from segment 'a' on separated by commas, then maybe a note.
//   classic: 81 characters, the digit of a given cell or '.', then maybe a note.
// The note, after a space, is free text (the generator writes the search's move count there).
// Empty lines and lines starting with '#' hold no puzzle.

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/enunciado.h"

namespace velmora::lineas {

constexpr char LetraSegmento(int i) {
    return static_cast<char>(i < 26 ? 'a' + i : 'A' + i - 26);
}

constexpr int SegmentoDeLetra(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= 'A' && c < 'A' + kSegmentos - 26) return c - 'A' + 26;
    return -1;
}

struct Linea {
    Enunciado e;
    std::string nota;
};

inline std::optional<Linea> Leer(std::string_view texto) {
    if (texto.size() < kCasillas || texto[0] == '#') return std::nullopt;
    const std::string_view celdas = texto.substr(0, kCasillas);
    std::string_view resto = texto.substr(kCasillas);
    if (!resto.empty() && resto[0] != ' ') return std::nullopt;
    if (!resto.empty()) resto.remove_prefix(1);
    Linea l;
    // A Killer's letters never include a digit; a classic grid's never a letter.
    l.e.killer =
        celdas.find_first_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLM") != std::string_view::npos;
    for (int k = 0; k < kCasillas; ++k) {
        const char c = celdas[k];
        if (l.e.killer) {
            l.e.segmento[k] = static_cast<int8_t>(SegmentoDeLetra(c));
        } else if (c >= '1' && c <= '9') {
            l.e.fijas.set(k);
            l.e.textos[k] = std::string(1, c);
        }
    }
    if (l.e.killer) {
        const size_t fin = resto.find(' ');
        std::string_view sumas = resto.substr(0, fin);
        resto = fin == std::string_view::npos ? std::string_view{} : resto.substr(fin + 1);
        for (int i = 0; !sumas.empty() && i < kSegmentos; ++i) {
            const size_t coma = sumas.find(',');
            l.e.sumas[i] = std::string(sumas.substr(0, coma));
            sumas = coma == std::string_view::npos ? std::string_view{} : sumas.substr(coma + 1);
        }
    }
    l.nota = std::string(resto);
    return l;
}

inline std::string Escribir(const Enunciado& e, std::string_view nota = {}) {
    std::string texto;
    for (int k = 0; k < kCasillas; ++k) {
        if (e.killer)
            texto += e.segmento[k] < 0 ? '.' : LetraSegmento(e.segmento[k]);
        else
            texto += e.fijas[k] ? e.textos[k].front() : '.';
    }
    if (e.killer) {
        int ultima = kSegmentos;
        while (ultima > 0 && e.sumas[ultima - 1].empty())
            --ultima;
        for (int i = 0; i < ultima; ++i) {
            texto += i ? ',' : ' ';
            texto += e.sumas[i];
        }
    }
    if (!nota.empty()) {
        texto += ' ';
        texto += nota;
    }
    return texto;
}

inline std::vector<Linea> LeerFichero(const std::string& ruta) {
    std::vector<Linea> puzzles;
    std::ifstream f(ruta);
    for (std::string texto; std::getline(f, texto);)
        if (auto l = Leer(texto)) puzzles.push_back(std::move(*l));
    return puzzles;
}

} // namespace velmora::lineas
