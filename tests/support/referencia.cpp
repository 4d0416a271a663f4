#include "support/referencia.h"

namespace velmora::referencia {

namespace {

int CuadranteDe(int fila, int col) {
    return 3 * ((fila - 1) / 3) + (col - 1) / 3 + 1;
}

int NumeroDeCasilla(int fila, int col) {
    return 9 * (fila - 1) + (col - 1);
}

// The entry blocks d for segment s unless the reservation that marks it is s's own.
bool Bloquea(const UsoNumero& u, int s) {
    return u.Usado && u.SegReserva != s;
}

// Gives a digit back to a line unless a segment holds it reserved there.
void Liberar(UsoNumero& u) {
    if (u.SegReserva == -1) u.Usado = false;
}

} // namespace

Busqueda::Busqueda(const Tablero& t) {
    for (int k = 0; k < kCasillas; ++k) {
        Matriz[FilaDe(k)][ColDe(k)] = t.Matriz[k];
        CasillaSeg[k] = t.CasillaSeg[k];
    }
    for (int i = 0; i < kRegistros; ++i) {
        const velmora::Segmento& g = t.Segmentos[i];
        Segmentos[i].NumCasillas = g.NumCasillas;
        Segmentos[i].Suma = g.Suma;
        Segmentos[i].Unica = g.Unica;
        int posicion = 1;
        for (int d = 1; d <= 9; ++d)
            if (g.Combinacion & Bit(d))
                Segmentos[i].Combinacion[posicion++] = static_cast<uint8_t>(d);
    }
    for (int x = 1; x <= 9; ++x)
        for (int d = 1; d <= 9; ++d) {
            const velmora::UsoNumero f = t.Uso(Tabla::Filas, x, d);
            const velmora::UsoNumero c = t.Uso(Tabla::Columnas, x, d);
            const velmora::UsoNumero b = t.Uso(Tabla::Cuadrantes, x, d);
            Filas[x].Numero[d] = {f.Usado, f.SegReserva};
            Columnas[x].Numero[d] = {c.Usado, c.SegReserva};
            Cuadrantes[x].Numero[d] = {b.Usado, b.SegReserva};
        }
    NumFijas = static_cast<uint8_t>(t.NumFijas());
    for (int i = 1; i <= NumFijas; ++i)
        Fijas[i] = {t.Fijas(i).Fila, t.Fijas(i).Col};
}

Resultado Busqueda::Resolver() {
    Cancelado = false;
    SinSolucion = false;
    Movimientos = 0;
    return Seguir(1, 1);
}

Resultado Busqueda::Reanudar() {
    uint8_t fila = 10, col = 1;
    Retroceder(fila, col);
    if (SinSolucion) return {Final::SinSolucion, fila, col};
    return Seguir(fila, col);
}

Resultado Busqueda::Seguir(uint8_t fila, uint8_t col) {
    while (fila <= 9) {
        while (col <= 9) {
            if (ColocarNumero(fila, col)) {
                if (SinCandidato) {
                    Retroceder(fila, col);
                    if (SinSolucion) return {Final::SinSolucion, fila, col};
                    continue;
                }
                if (ProcesarEventos) ProcesarEventos();
                if (Cancelado) return {Final::Cancelado, fila, col};
            }
            col = col + 1;
            Movimientos = Movimientos + 1;
        }
        col = 1;
        fila = fila + 1;
    }
    return {Final::Resuelto, fila, col};
}

bool Busqueda::EsFija(uint8_t fila, uint8_t col) const {
    for (int i = 1; i <= NumFijas; ++i)
        if (Fijas[i].Fila == fila && Fijas[i].Col == col) return true;
    return false;
}

bool Busqueda::ColocarNumero(uint8_t fila, uint8_t col) {
    for (int i = 1; i <= NumFijas; ++i)
        if (Fijas[i].Fila == fila && Fijas[i].Col == col) return false;

    SinCandidato = false;
    const int b = CuadranteDe(fila, col);
    const int k = NumeroDeCasilla(fila, col);
    const int s = CasillaSeg[k];
    const uint8_t m = Matriz[fila][col];

    if (s >= 0 && Segmentos[s].Unica) {
        Segmento& g = Segmentos[s];
        for (int i = 1; i <= g.NumCasillas; ++i) {
            const uint8_t d = g.Combinacion[i];
            if (d <= m) continue;
            bool yaEsta = false;
            for (int j = 1; j <= g.NumCasillas; ++j)
                if (g.Numeros[j] == d) yaEsta = true;
            if (yaEsta) continue;
            if (Bloquea(Columnas[col].Numero[d], s) || Bloquea(Filas[fila].Numero[d], s) ||
                Bloquea(Cuadrantes[b].Numero[d], s))
                continue;

            Columnas[col].Numero[d].Usado = true;
            Filas[fila].Numero[d].Usado = true;
            Cuadrantes[b].Numero[d].Usado = true;
            if (m > 0) {
                Liberar(Columnas[col].Numero[m]);
                Liberar(Filas[fila].Numero[m]);
                Liberar(Cuadrantes[b].Numero[m]);
            }
            Matriz[fila][col] = d;
            for (int j = 1; j <= g.NumCasillas; ++j)
                if (g.Numeros[j] == 0) {
                    g.Numeros[j] = d;
                    break;
                }
            return true;
        }
        SinCandidato = true;
        return true;
    }

    for (int d = m + 1; d <= 9; ++d) {
        if (Columnas[col].Numero[d].Usado || Filas[fila].Numero[d].Usado ||
            Cuadrantes[b].Numero[d].Usado)
            continue;
        if (s >= 0) {
            bool yaEsta = false;
            for (int j = 1; j <= 16 && Segmentos[s].Numeros[j] != 0; ++j)
                if (Segmentos[s].Numeros[j] == d) yaEsta = true;
            if (yaEsta) continue;
        }
        if (!ComprobarSeg(static_cast<uint8_t>(d), k)) continue;

        Columnas[col].Numero[d].Usado = true;
        Filas[fila].Numero[d].Usado = true;
        Cuadrantes[b].Numero[d].Usado = true;
        if (m > 0) {
            // Here the digit given up is released whatever its reservation.
            Columnas[col].Numero[m].Usado = false;
            Filas[fila].Numero[m].Usado = false;
            Cuadrantes[b].Numero[m].Usado = false;
        }
        Matriz[fila][col] = static_cast<uint8_t>(d);
        return true;
    }
    SinCandidato = true;
    return true;
}

void Busqueda::Retroceder(uint8_t& fila, uint8_t& col) {
    for (;;) {
        // Undo the cell that failed, or the 9 just stepped back to; past the last cell there
        // is none.
        const uint8_t d = fila <= 9 ? Matriz[fila][col] : 0;
        if (d > 0) {
            const int b = CuadranteDe(fila, col);
            Liberar(Columnas[col].Numero[d]);
            Liberar(Filas[fila].Numero[d]);
            Liberar(Cuadrantes[b].Numero[d]);
            Matriz[fila][col] = 0;
        }
        do {
            if (col == 1) {
                col = 9;
                fila = fila - 1;
            } else {
                col = col - 1;
            }
            Movimientos = Movimientos + 1;
            if (fila == 0) {
                SinSolucion = true;
                return;
            }
            EliSegmento(Matriz[fila][col], NumeroDeCasilla(fila, col));
        } while (EsFija(fila, col));
        if (Matriz[fila][col] != 9) return;
    }
}

bool Busqueda::ComprobarSeg(uint8_t Valor, int pos) {
    const int s = CasillaSeg[pos];
    if (s < 0) return true;
    Segmento& g = Segmentos[s];

    int k = 0, P = 0;
    while (k < 16 && g.Numeros[k + 1] != 0) {
        P += g.Numeros[k + 1];
        k = k + 1;
    }

    bool acepta;
    if (P == 0) {
        acepta = g.NumCasillas == 1 ? Valor == g.Suma : Valor < g.Suma;
    } else {
        const int r = g.NumCasillas - k;
        acepta = r > 1 ? P + Valor <= g.Suma : P + Valor == g.Suma;
    }
    if (!acepta) return false;
    g.Numeros[k + 1] = Valor;
    return true;
}

void Busqueda::EliSegmento(uint8_t Valor, int pos) {
    const int s = CasillaSeg[pos];
    if (s < 0) return;
    Segmento& g = Segmentos[s];
    for (int j = 1; j <= 16 && g.Numeros[j] != 0; ++j) {
        if (g.Numeros[j] != Valor) continue;
        for (int i = j; i <= g.NumCasillas; ++i)
            g.Numeros[i] = g.Numeros[i + 1];
        return;
    }
}

} // namespace velmora::referencia
