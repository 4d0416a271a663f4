#include <string>

#include "validation/validacion.h"

namespace velmora {

namespace {

Mensaje Repetido(int d, const char* donde, int x) {
    return {"El número " + std::to_string(d) + donde + std::to_string(x), "Número Repetido",
            Icono::Exclamacion};
}

} // namespace

std::optional<Mensaje> ComprobarRepetidos(Tablero& t,
                                          const std::array<std::string, kCasillas>& textos,
                                          const std::bitset<kCasillas>& fijas) {
    t.BorrarFijas();
    for (int k = 0; k < kCasillas; ++k) {
        if (!fijas[k]) continue;
        const int fila = FilaDe(k), col = ColDe(k), cuad = Cuadrante(fila, col);
        // A caption read from a file may hold anything; only a digit may index the tables.
        const int d = textos[k].size() == 1 ? LeerEntero(textos[k], 9) : -1;
        if (d < 1) {
            return Mensaje{"La casilla de la fila " + std::to_string(fila) + ", columna " +
                               std::to_string(col) + " debe contener un número del 1 al 9",
                           "Número incorrecto", Icono::Exclamacion};
        }
        if (t.Usado(Tabla::Filas, fila, d))
            return Repetido(d, " se encuentra repetido en la fila ", fila);
        if (t.Usado(Tabla::Columnas, col, d))
            return Repetido(d, " se encuentra repetido en la columna ", col);
        if (t.Usado(Tabla::Cuadrantes, cuad, d))
            return Repetido(d, " se encuentra repetido en el cuadrante ", cuad);
        t.Matriz[k] = static_cast<uint8_t>(d);
        t.AgregarFija(fila, col);
        t.MarcarUsado(Tabla::Filas, fila, d);
        t.MarcarUsado(Tabla::Columnas, col, d);
        t.MarcarUsado(Tabla::Cuadrantes, cuad, d);
    }
    return std::nullopt;
}

} // namespace velmora
