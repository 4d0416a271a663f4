#include <bit>
#include <string>

#include "validation/validacion.h"

namespace velmora {

namespace {

Mensaje Fallo(std::string texto, int i) {
    return {std::move(texto), "Fallo en segmento " + std::to_string(i + 1), Icono::Exclamacion};
}

// The only set of n distinct digits adding up to suma, 0 when there are several, -1 when none.
int CombinacionUnica(int n, int suma) {
    int encontrada = -1;
    for (unsigned c = 2; c <= kDigitos; c += 2) { // every set of digits 1..9
        if (std::popcount(c) != n || SumaDigitos(c) != suma) continue;
        if (encontrada >= 0) return 0;
        encontrada = static_cast<int>(c);
    }
    return encontrada;
}

void ReservarSegmento(Tablero& t, int i) {
    int primera = -1;
    bool unaFila = true, unaCol = true, unCuad = true;
    for (int k = 0; k < kCasillas; ++k) {
        if (t.CasillaSeg[k] != i) continue;
        if (primera < 0) {
            primera = k;
            continue;
        }
        const int f0 = FilaDe(primera), c0 = ColDe(primera), f = FilaDe(k), c = ColDe(k);
        unaFila = unaFila && f == f0;
        unaCol = unaCol && c == c0;
        unCuad = unCuad && Cuadrante(f, c) == Cuadrante(f0, c0);
    }
    if (primera < 0) return; // a stale sum without cells reserves nothing
    const int f = FilaDe(primera), c = ColDe(primera);
    const struct {
        bool aplica;
        Tabla tabla;
        int x;
    } lineas[] = {{unaFila, Tabla::Filas, f},
                  {unaCol, Tabla::Columnas, c},
                  {unCuad, Tabla::Cuadrantes, Cuadrante(f, c)}};
    for (const auto& l : lineas)
        for (int d = 1; d <= 9; ++d)
            if (l.aplica && (t.Segmentos[i].Combinacion & Bit(d))) t.Reservar(l.tabla, l.x, d, i);
}

} // namespace

std::optional<Mensaje> ValidarSegmentos(Tablero& t,
                                        const std::array<std::string, kSegmentos>& sumas) {
    std::array<int, kRegistros> casillas{};
    for (const int s : t.CasillaSeg)
        if (s >= 0 && s < kRegistros) ++casillas[s];

    int totalCasillas = 0, totalSumas = 0;
    for (int i = 0; i < kSegmentos; ++i) {
        const int n = casillas[i];
        if (sumas[i].empty()) {
            if (n > 0) return Fallo("Todos los segmentos deben tener la suma total introducida", i);
            continue;
        }
        if (n == 0)
            return Fallo("No puede haber segmentos con la suma total indicada, pero sin casillas "
                         "marcadas en la cuadrícula",
                         i);
        if (n > 9) return Fallo("El máximo número de casillas por segmento es 9.", i);
        const int v = LeerEntero(sumas[i], 255);
        if (v < 0) return Fallo("La suma total debe ser un número entero entre 0 y 255", i);
        const std::string enUn = "En un segmento de " + std::to_string(n);
        if (v < SumaMinima(n))
            return Fallo(enUn + " casillas la suma total debe ser como mínimo de " +
                             std::to_string(SumaMinima(n)),
                         i);
        if (v > SumaMaxima(n))
            return Fallo(enUn + " casillas la suma total debe ser como máximo de " +
                             std::to_string(SumaMaxima(n)),
                         i);
        t.Segmentos[i].Suma = static_cast<uint8_t>(v);
        t.Segmentos[i].NumCasillas = static_cast<uint8_t>(n);
        totalCasillas += n;
        totalSumas += v;
    }

    if (totalCasillas == kCasillas && totalSumas != 405) {
        return Mensaje{"Si se utilizan todas las casillas, la suma total de todos los segmentos "
                       "debe ser 405 (45 x 9)",
                       "Los segmentos suman " + std::to_string(totalSumas), Icono::Exclamacion};
    }

    for (int i = 0; i < kSegmentos; ++i) {
        Segmento& g = t.Segmentos[i];
        if (g.Suma == 0) continue;
        const int c = CombinacionUnica(g.NumCasillas, g.Suma);
        if (c < 0) continue;
        g.Unica = c > 0;
        g.Combinacion = static_cast<uint16_t>(c);
    }

    for (int i = 0; i < kSegmentos; ++i)
        if (t.Segmentos[i].Unica) ReservarSegmento(t, i);
    return std::nullopt;
}

std::optional<Mensaje> Validar(Tablero& t, const Enunciado& e) {
    t.ModoKiller = e.killer;
    for (int k = 0; k < kCasillas; ++k)
        t.CasillaSeg[k] = e.segmento[k];
    return e.killer ? ValidarSegmentos(t, e.sumas) : ComprobarRepetidos(t, e.textos, e.fijas);
}

} // namespace velmora
