// Playing a puzzle in the window: entering and leaving play, entry on the cursor cell, the
// helps, the clock, the finish and the game kept between runs. The rules are in src/juego.

#include <chrono>

#include "juego/estado.h"
#include "solver/combinaciones.h"
#include "ui/form1.h"

namespace velmora {

namespace {

constexpr std::string_view kPunto = " · ";
constexpr std::string_view kAvisoPartida =
    "Hay una partida sin terminar: Archivo > Continuar partida";
constexpr std::string_view kPartidaDanada =
    "La partida guardada está dañada o no es de Velmora; no se tiene en cuenta.";

int64_t RelojFijo() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray TextoAyudas(const Form1::Ayudas& a) {
    QByteArray t;
    t += a.choques ? '1' : '0';
    t += a.jaulas ? '1' : '0';
    t += a.cuentas ? '1' : '0';
    return t;
}

} // namespace

void Form1::CargarAyudas() {
    if (ayudasLeidas_) return;
    ayudasLeidas_ = true;
    const QByteArray t = Carpeta().AjustesJuego();
    // Anything but three 0/1 flags keeps the defaults.
    if (t.size() != 3 || t.count('0') + t.count('1') != 3) return;
    ayudas_ = {t[0] == '1', t[1] == '1', t[2] == '1'};
}

void Form1::CambiarAyudas(const Ayudas& a) {
    CargarAyudas();
    if (a == ayudas_) return;
    ayudas_ = a;
    Carpeta().GuardarAjustesJuego(TextoAyudas(a));
}

void Form1::Jugar() {
    if (Resolviendo() || Jugando()) return;
    const Veredicto v = Dictaminar(true);
    if (v.soluciones != 1) return; // F7's messages said why
    Partida p;
    p.enunciado = LeerEnunciado();
    p.solucion = v.primera;
    EmpezarJuego(std::move(p));
}

void Form1::EmpezarJuego(Partida p) {
    CargarAyudas();
    if (!Reloj) Reloj = RelojFijo;
    cursorAntes_ = Cursor;
    if (Cursor < 0) Cursor = 0;
    Marcadas.reset();
    terminado_ = lapiz_ = pausa_ = false;
    pista_.reset();
    mensajeJuego_.clear();
    aviso_.clear();
    historialJuego_.Empezar(p);
    cronometro_.Fijar(p.milisegundos);
    juego_ = std::move(p);
    Habilitar(Herramienta::Resolver, false);
    ActualizarReloj();
}

void Form1::DejarDeJugar() {
    if (!Jugando()) return;
    juego_.reset();
    cronometro_.Fijar(0);
    terminado_ = lapiz_ = pausa_ = false;
    pista_.reset();
    mensajeJuego_.clear();
    Marcadas.reset();
    Cursor = cursorAntes_;
    if (!Resolviendo()) Habilitar(Herramienta::Resolver, true);
}

void Form1::Vaciar() {
    if (!Jugando()) {
        VaciarCuadricula();
        return;
    }
    if (terminado_) return;
    if (!plataforma_.MostrarMensajeCon(
            {"¿Borrar todas las cifras y marcas de la partida?", "Vaciar", Icono::Exclamacion},
            "Borrar"))
        return;
    if (VaciarJugadas(*juego_)) TrasJugada();
}

void Form1::TrasJugada() {
    Marcadas.reset();
    pista_.reset();
    mensajeJuego_.clear();
    historialJuego_.Anotar(*juego_);
    if (Terminada(*juego_)) Terminar();
}

void Form1::JugarCifra(int d, bool marca) {
    if (!Jugando() || terminado_ || pausa_ || Cursor < 0) return;
    Partida& p = *juego_;
    const bool cambio = marca || lapiz_ ? AlternarMarca(p, Cursor, d)
                                        : (p.cifras[Cursor] == d ? BorrarCasilla(p, Cursor)
                                                                 : PonerCifra(p, Cursor, d));
    if (cambio) TrasJugada();
}

void Form1::BorrarJugada() {
    if (!Jugando() || terminado_ || pausa_ || Cursor < 0) return;
    if (BorrarCasilla(*juego_, Cursor)) TrasJugada();
}

void Form1::PonerCandidatos() {
    if (!Jugando() || terminado_ || pausa_) return;
    if (CandidatosAutomaticos(*juego_)) TrasJugada();
}

void Form1::ComprobarJuego() {
    if (!Jugando() || terminado_ || pausa_) return;
    const auto mal = Equivocadas(*juego_);
    Marcadas = mal;
    const size_t n = mal.count();
    mensajeJuego_ = n == 0   ? "Ninguna cifra está mal."
                    : n == 1 ? "1 cifra está mal; está marcada."
                             : std::to_string(n) + " cifras están mal; están marcadas.";
}

std::optional<Pista> PistaDeLaLogica(const Partida& p) {
    Candidatos c(p.enunciado);
    if (!c.Valido()) return std::nullopt;
    c.FijarSolucion(p.solucion, true);
    const Lapiz marcas = MarcasParaPista(p);
    for (int k = 0; k < kCasillas; ++k)
        if (p.cifras[k]) c.Colocar(k, p.cifras[k]);
    for (int k = 0; k < kCasillas; ++k)
        if (marcas[k]) c.Restringir(k, marcas[k]);
    const std::optional<Paso> paso = SiguientePaso(c);
    if (!paso) return std::nullopt;
    Pista h{paso->frase, {}, {}, {}};
    for (const auto& celdas : {paso->origen, paso->cambiadas})
        for (const uint8_t k : celdas)
            h.casillas.set(k);
    for (const auto& [k, d] : paso->colocadas)
        h.colocadas.emplace_back(k, d);
    for (const auto& [k, d] : paso->eliminadas)
        h.eliminadas.emplace_back(k, Bit(d));
    return h;
}

std::optional<std::string> CalificacionDeLaLogica(const Enunciado& e, std::stop_token parar) {
    const Calificacion c = Resolver(e, std::move(parar));
    if (!c.resuelto) return std::nullopt;
    return std::string(NombreNivel(c.nivel)) + " (puntuación " + std::to_string(c.puntuacion) + ")";
}

void Form1::PedirPista() {
    if (!Jugando() || terminado_ || pausa_) return;
    if (pista_) {
        const Pista p = *pista_;
        if (AplicarPista(*juego_, p)) TrasJugada();
        pista_.reset();
        return;
    }
    Marcadas.reset();
    if (!BuscarPista) {
        mensajeJuego_ = "Las pistas aún no están disponibles.";
        return;
    }
    // A step reasoned from a wrong digit would mislead: those come first.
    if (const auto mal = Equivocadas(*juego_); mal.any()) {
        Marcadas = mal;
        mensajeJuego_ = mal.count() == 1 ? "Antes de la pista: 1 cifra está mal; está marcada."
                                         : "Antes de la pista: " + std::to_string(mal.count()) +
                                               " cifras están mal; están marcadas.";
        return;
    }
    const Partida partida = *juego_;
    std::optional<Pista> hallada;
    if (!resolucion_.EnSegundoPlano(
            {"Buscando una pista…", "", ""},
            [&](std::stop_token, std::atomic<int64_t>&) { hallada = BuscarPista(partida); }))
        return;
    pista_ = std::move(hallada);
    mensajeJuego_ = pista_ ? pista_->frase + " (F8 la aplica)" : "No se encuentra ninguna pista.";
}

void Form1::Terminar() {
    terminado_ = true;
    lapiz_ = false;
    ActualizarReloj();
    juego_->milisegundos = cronometro_.Milisegundos();
    BorrarPartida(plataforma_.CarpetaConfiguracion());
    std::optional<std::string> nota;
    if (CalificarPartida) {
        const Enunciado e = juego_->enunciado;
        resolucion_.EnSegundoPlano({"Calificando…", "paso", "pasos"},
                                   [&](std::stop_token parar, std::atomic<int64_t>&) {
                                       nota = CalificarPartida(e, std::move(parar));
                                   });
        Habilitar(Herramienta::Resolver, false);
    }
    const int pistas = juego_->pistas;
    std::string texto = "¡Enhorabuena! Has resuelto el sudoku en " +
                        TextoTiempo(juego_->milisegundos) + " con " +
                        (pistas == 0   ? std::string("ninguna pista")
                         : pistas == 1 ? std::string("1 pista")
                                       : std::to_string(pistas) + " pistas") +
                        ".";
    if (nota) texto += "\nDificultad: " + *nota + ".";
    mensajeJuego_ = "Resuelto en " + TextoTiempo(juego_->milisegundos);
    plataforma_.MostrarMensaje(texto, "Partida terminada", Icono::Informacion);
}

void Form1::AlternarPausa() {
    if (!Jugando() || terminado_) return;
    pausa_ = !pausa_;
    ActualizarReloj();
}

void Form1::VentanaActiva(bool activa, bool ausente) {
    activa_ = activa;
    ausente_ = ausente;
    ActualizarReloj();
}

void Form1::ActualizarReloj() {
    if (Jugando() && !terminado_ && !pausa_ && activa_)
        cronometro_.Arrancar();
    else
        cronometro_.Parar();
}

std::array<VistaJuego, kCasillas> Form1::Vistas() const {
    std::array<VistaJuego, kCasillas> vistas{};
    if (!Jugando()) return vistas;
    if (pausa_ || (ausente_ && !terminado_)) {
        for (VistaJuego& v : vistas)
            v.oculta = true;
        return vistas;
    }
    const Partida& p = *juego_;
    // Once for the grid: each is a pass over every pair of cells.
    const auto choques = ayudas_.choques ? Choques(p) : std::bitset<kCasillas>();
    const auto jaulas = ayudas_.jaulas ? JaulasMal(p) : std::bitset<kSegmentos>();
    for (int k = 0; k < kCasillas; ++k) {
        VistaJuego& v = vistas[k];
        v.cifra = p.cifras[k];
        v.marcas = p.marcas[k];
        v.pista = pista_ && pista_->casillas[k];
        v.roja = choques[k];
        const int s = p.enunciado.killer ? p.enunciado.segmento[k] : -1;
        if (s < 0 || !jaulas[s]) continue;
        const int f = FilaDe(k), c = ColDe(k);
        const auto otra = [&](int ff, int cc) {
            return ff < 1 || ff > 9 || cc < 1 || cc > 9 ||
                   p.enunciado.segmento[Casilla(ff, cc)] != s;
        };
        v.bordesMal =
            static_cast<uint8_t>((otra(f - 1, c) ? kArriba : 0) | (otra(f, c + 1) ? kDerecha : 0) |
                                 (otra(f + 1, c) ? kAbajo : 0) | (otra(f, c - 1) ? kIzquierda : 0));
    }
    return vistas;
}

std::string Form1::TextoJuego() const {
    std::string texto = TextoTiempo(cronometro_.Milisegundos());
    if (pausa_) return texto + std::string(kPunto) + "En pausa (P para seguir)";
    if (lapiz_) texto += std::string(kPunto) + "Lápiz";
    if (!mensajeJuego_.empty()) return texto + std::string(kPunto) + mensajeJuego_;
    if (!ayudas_.cuentas || Cursor < 0) return texto;
    const int f = FilaDe(Cursor), c = ColDe(Cursor);
    texto += std::string(kPunto) + "Fila " + std::to_string(f) + ", columna " + std::to_string(c) +
             ", cuadro " + std::to_string(Cuadrante(f, c));
    const CuentaJaula j = CuentasDeJaula(*juego_, Cursor);
    if (j.segmento < 0) return texto;
    texto += std::string(kPunto) + "Segmento " + std::to_string(j.segmento + 1) + ": ";
    if (j.suma < 0) return texto + "sin suma";
    texto += "suma " + std::to_string(j.suma) + ", faltan " + std::to_string(j.suma - j.puesta) +
             " en " + std::to_string(j.vacias) + (j.vacias == 1 ? " casilla" : " casillas");
    if (j.vacias == 0) return texto;
    if (j.posibles.empty()) return texto + ", ninguna combinación";
    constexpr size_t kMostradas = 4;
    texto += ", ";
    if (j.posibles.size() > kMostradas)
        texto += std::to_string(j.posibles.size()) + " combinaciones: ";
    for (size_t i = 0; i < j.posibles.size() && i < kMostradas; ++i)
        texto += (i ? ", " : "") + TextoCombinacion(j.posibles[i]);
    if (j.posibles.size() > kMostradas) texto += "…";
    return texto;
}

void Form1::AvisarPartida() {
    const PartidaGuardada g = AbrirPartida(plataforma_.CarpetaConfiguracion());
    if (g.hay) aviso_ = g.partida ? kAvisoPartida : kPartidaDanada;
}

bool Form1::HayPartida() {
    return AbrirPartida(plataforma_.CarpetaConfiguracion()).partida.has_value();
}

bool Form1::ContinuarPartida() {
    if (Resolviendo()) return false;
    const PartidaGuardada g = AbrirPartida(plataforma_.CarpetaConfiguracion());
    if (!g.partida) {
        plataforma_.MostrarMensaje(g.hay ? kPartidaDanada : "No hay ninguna partida guardada.",
                                   "Continuar partida", Icono::Exclamacion);
        return false;
    }
    PintarEnunciado(g.partida->enunciado);
    EmpezarJuego(*g.partida);
    return true;
}

} // namespace velmora
