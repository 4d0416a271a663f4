#include "juego/reglas.h"

#include <algorithm>
#include <bit>

#include "model/entero.h"
#include "solver/combinaciones.h"

namespace velmora {

namespace {

uint16_t UnBit(int d) {
    return static_cast<uint16_t>(1u << d);
}

// Whether two different cells share a row, column, box or cage.
bool Vecinas(const Partida& p, int a, int b) {
    if (a == b) return false;
    const int fa = FilaDe(a), ca = ColDe(a), fb = FilaDe(b), cb = ColDe(b);
    if (fa == fb || ca == cb || Cuadrante(fa, ca) == Cuadrante(fb, cb)) return true;
    const int s = p.enunciado.segmento[a];
    return p.enunciado.killer && s >= 0 && s == p.enunciado.segmento[b];
}

int JaulaDe(const Partida& p, int k) {
    return p.enunciado.killer ? p.enunciado.segmento[k] : -1;
}

} // namespace

bool EsDada(const Partida& p, int k) {
    return p.enunciado.fijas[k];
}

int CifraEn(const Partida& p, int k) {
    return EsDada(p, k) ? Dada(p.enunciado, k) : p.cifras[k];
}

bool PonerCifra(Partida& p, int k, int d) {
    if (k < 0 || k >= kCasillas || d < 1 || d > 9 || EsDada(p, k)) return false;
    if (p.cifras[k] == d && p.marcas[k] == 0) return false;
    p.cifras[k] = static_cast<uint8_t>(d);
    p.marcas[k] = 0;
    for (int j = 0; j < kCasillas; ++j)
        if (Vecinas(p, k, j)) p.marcas[j] = static_cast<uint16_t>(p.marcas[j] & ~UnBit(d));
    return true;
}

bool AlternarMarca(Partida& p, int k, int d) {
    if (k < 0 || k >= kCasillas || d < 1 || d > 9 || EsDada(p, k) || p.cifras[k] != 0) return false;
    p.marcas[k] = static_cast<uint16_t>(p.marcas[k] ^ UnBit(d));
    return true;
}

bool BorrarCasilla(Partida& p, int k) {
    if (k < 0 || k >= kCasillas || EsDada(p, k)) return false;
    if (p.cifras[k] == 0 && p.marcas[k] == 0) return false;
    p.cifras[k] = 0;
    p.marcas[k] = 0;
    return true;
}

bool VaciarJugadas(Partida& p) {
    const Partida antes = p;
    p.cifras = {};
    p.marcas = {};
    return !(p == antes);
}

int SumaJaula(const Partida& p, int segmento) {
    if (!p.enunciado.killer || segmento < 0 || segmento >= kSegmentos) return -1;
    return LeerEntero(p.enunciado.sumas[segmento], 45);
}

Lapiz CandidatosDe(const Partida& p) {
    Lapiz m{};
    std::array<uint16_t, kSegmentos> sets{}; // digits the cage's sum still allows
    for (int s = 0; s < kSegmentos; ++s)
        sets[s] = kTodasLasMarcas;
    if (p.enunciado.killer)
        for (int k = 0; k < kCasillas; ++k)
            if (const int s = JaulaDe(p, k); s >= 0 && sets[s] == kTodasLasMarcas) {
                const CuentaJaula c = CuentasDeJaula(p, k);
                if (c.suma < 0) continue;
                uint16_t u = 0;
                for (const uint16_t x : c.posibles)
                    u = static_cast<uint16_t>(u | x);
                sets[s] = u;
            }
    for (int k = 0; k < kCasillas; ++k) {
        if (CifraEn(p, k) != 0) continue;
        uint16_t libre = kTodasLasMarcas;
        if (const int s = JaulaDe(p, k); s >= 0) libre &= sets[s];
        for (int j = 0; j < kCasillas; ++j)
            if (const int d = CifraEn(p, j); d != 0 && Vecinas(p, k, j))
                libre = static_cast<uint16_t>(libre & ~UnBit(d));
        m[k] = libre;
    }
    return m;
}

bool CandidatosAutomaticos(Partida& p) {
    const Lapiz m = CandidatosDe(p);
    if (m == p.marcas) return false;
    p.marcas = m;
    return true;
}

std::bitset<kCasillas> Choques(const Partida& p) {
    std::bitset<kCasillas> r;
    for (int a = 0; a < kCasillas; ++a) {
        const int d = CifraEn(p, a);
        if (d == 0) continue;
        for (int b = a + 1; b < kCasillas; ++b)
            if (CifraEn(p, b) == d && Vecinas(p, a, b)) r.set(a), r.set(b);
    }
    return r;
}

std::bitset<kSegmentos> JaulasMal(const Partida& p) {
    std::bitset<kSegmentos> r;
    if (!p.enunciado.killer) return r;
    std::array<int, kSegmentos> puesta{}, vacias{};
    for (int k = 0; k < kCasillas; ++k)
        if (const int s = JaulaDe(p, k); s >= 0) {
            puesta[s] += CifraEn(p, k);
            vacias[s] += CifraEn(p, k) == 0;
        }
    for (int s = 0; s < kSegmentos; ++s) {
        const int suma = SumaJaula(p, s);
        if (suma < 0) continue;
        if (puesta[s] > suma || (vacias[s] == 0 && puesta[s] != suma && puesta[s] > 0)) r.set(s);
    }
    return r;
}

CuentaJaula CuentasDeJaula(const Partida& p, int k) {
    CuentaJaula c;
    if (k < 0 || k >= kCasillas || JaulaDe(p, k) < 0) return c;
    c.segmento = JaulaDe(p, k);
    c.suma = SumaJaula(p, c.segmento);
    uint16_t vistas = 0;
    bool repetida = false;
    for (int j = 0; j < kCasillas; ++j) {
        if (JaulaDe(p, j) != c.segmento) continue;
        ++c.casillas;
        const int d = CifraEn(p, j);
        c.puesta += d;
        c.vacias += d == 0;
        if (d != 0) {
            repetida |= (vistas & UnBit(d)) != 0;
            vistas = static_cast<uint16_t>(vistas | UnBit(d));
        }
    }
    if (c.suma < 0 || repetida) return c;
    for (const uint16_t x : Combinaciones(c.casillas, c.suma))
        if ((x & vistas) == vistas) c.posibles.push_back(x);
    return c;
}

std::bitset<kCasillas> Equivocadas(const Partida& p) {
    std::bitset<kCasillas> r;
    for (int k = 0; k < kCasillas; ++k)
        if (!EsDada(p, k) && p.cifras[k] != 0 && p.cifras[k] != p.solucion[k]) r.set(k);
    return r;
}

bool Terminada(const Partida& p) {
    for (int k = 0; k < kCasillas; ++k)
        if (CifraEn(p, k) != p.solucion[k]) return false;
    return true;
}

Lapiz MarcasParaPista(const Partida& p) {
    Lapiz m{};
    for (int k = 0; k < kCasillas; ++k) {
        if (CifraEn(p, k) != 0) continue;
        const bool sirve = p.marcas[k] != 0 && (p.marcas[k] & UnBit(p.solucion[k])) != 0;
        m[k] = sirve ? p.marcas[k] : kTodasLasMarcas;
    }
    return m;
}

bool AplicarPista(Partida& p, const Pista& pista) {
    const Partida antes = p;
    const Lapiz candidatos = CandidatosDe(p);
    for (const auto& [k, mascara] : pista.eliminadas) {
        if (k < 0 || k >= kCasillas || CifraEn(p, k) != 0) continue;
        if (p.marcas[k] == 0) p.marcas[k] = candidatos[k];
        p.marcas[k] = static_cast<uint16_t>(p.marcas[k] & ~mascara);
    }
    for (const auto& [k, d] : pista.colocadas)
        if (k >= 0 && k < kCasillas && CifraEn(p, k) == 0) PonerCifra(p, k, d);
    if (p == antes) return false;
    ++p.pistas;
    return true;
}

std::string TextoTiempo(int64_t ms) {
    const int64_t s = std::max<int64_t>(ms, 0) / 1000;
    std::string texto;
    const auto dos = [&texto](int64_t n) {
        texto += static_cast<char>('0' + n / 10);
        texto += static_cast<char>('0' + n % 10);
    };
    if (s >= 3600) {
        texto = std::to_string(s / 3600);
        texto += ':';
    }
    dos(s / 60 % 60);
    texto += ':';
    dos(s % 60);
    return texto;
}

void Cronometro::Fijar(int64_t ms) {
    acumulado_ = ms;
    desde_.reset();
}

void Cronometro::Arrancar() {
    if (!desde_) desde_ = reloj_();
}

void Cronometro::Parar() {
    acumulado_ = Milisegundos();
    desde_.reset();
}

int64_t Cronometro::Milisegundos() const {
    // A clock going back (a changed system time) adds nothing.
    return acumulado_ + (desde_ ? std::max<int64_t>(reloj_() - *desde_, 0) : 0);
}

void HistorialJuego::Empezar(const Partida& p) {
    actual_ = {p.cifras, p.marcas};
    atras_.clear();
    adelante_.clear();
}

bool HistorialJuego::Anotar(const Partida& p) {
    const Jugada j{p.cifras, p.marcas};
    if (j == actual_) return false;
    atras_.push_back(actual_);
    if (atras_.size() > kPasos) atras_.pop_front();
    adelante_.clear();
    actual_ = j;
    return true;
}

bool HistorialJuego::Deshacer(Partida& p) {
    Anotar(p);
    if (atras_.empty()) return false;
    adelante_.push_back(actual_);
    actual_ = atras_.back();
    atras_.pop_back();
    p.cifras = actual_.cifras;
    p.marcas = actual_.marcas;
    return true;
}

bool HistorialJuego::Rehacer(Partida& p) {
    Anotar(p);
    if (adelante_.empty()) return false;
    atras_.push_back(actual_);
    actual_ = adelante_.back();
    adelante_.pop_back();
    p.cifras = actual_.cifras;
    p.marcas = actual_.marcas;
    return true;
}

} // namespace velmora
