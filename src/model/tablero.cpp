#include "model/tablero.h"

namespace velmora {

std::string TextoRejilla(const std::array<uint8_t, kCasillas>& matriz, std::string_view finLinea) {
    std::string s;
    for (int k = 0; k < kCasillas; ++k) {
        s += matriz[k] ? static_cast<char>('0' + matriz[k]) : '.';
        if (k % 9 == 8) s += finLinea;
    }
    return s;
}

Tablero::Tablero() {
    CasillaSeg.fill(-1);
    for (auto& linea : segReserva_)
        linea.fill(-1);
}

UsoNumero Tablero::Uso(Tabla tabla, int x, int d) const {
    const int l = Linea(tabla, x);
    return {static_cast<bool>(usado_[l] & Bit(d)), segReserva_[l][d]};
}

void Tablero::Reservar(Tabla tabla, int x, int d, int seg) {
    const int l = Linea(tabla, x);
    const int t = static_cast<int>(tabla);
    // The later segment takes the reservation over.
    if (const int antes = segReserva_[l][d]; antes >= 0) Segmentos[antes].reserva[t] &= ~Bit(d);
    usado_[l] |= Bit(d);
    reservado_[l] |= Bit(d);
    segReserva_[l][d] = static_cast<int8_t>(seg);
    Segmentos[seg].reserva[t] |= Bit(d);
}

void Tablero::AgregarFija(int fila, int col) {
    fijas_[numFijas_++] = {static_cast<uint8_t>(fila), static_cast<uint8_t>(col)};
    esFija_.set(Casilla(fila, col));
}

void Tablero::BorrarFijas() {
    numFijas_ = 0;
    esFija_.reset();
}

void Tablero::VaciarCuadricula() {
    usado_.fill(0);
    reservado_.fill(0);
    for (auto& linea : segReserva_)
        linea.fill(-1);
    Matriz.fill(0);
    for (Segmento& g : Segmentos) {
        g.Unica = false;
        g.Numeros = 0;
        g.cuenta = 0;
        g.parcial = 0;
        g.Combinacion = 0;
        g.reserva = {};
    }
}

void Tablero::NuevoSudoku() {
    VaciarCuadricula();
    for (int i = 0; i < kSegmentos; ++i) {
        Segmentos[i].NumCasillas = 0;
        Segmentos[i].Suma = 0;
    }
    CasillaSeg.fill(-1);
    BorrarFijas();
}

bool Tablero::ComprobarSeg(int valor, int pos) {
    const int s = CasillaSeg[pos];
    if (s < 0) return true;
    Segmento& g = Segmentos[s];
    if (valor < 1 || valor > 9 || !(AdmitidosPorSuma(g) & Bit(valor))) return false;
    Anotar(g, valor);
    return true;
}

void Tablero::Retroceder(uint8_t& fila, uint8_t& col) {
    int k = Casilla(fila, col);
    if (RetrocederDesde(k)) {
        fila = static_cast<uint8_t>(FilaDe(k));
        col = static_cast<uint8_t>(ColDe(k));
    } else {
        fila = 0;
        col = 9;
    }
}

} // namespace velmora
