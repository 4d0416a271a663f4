#pragma once
// The main window without widgets: its controls as plain data, the puzzle being drawn and the
// handlers. The Qt window renders this state and forwards events here. The rooms: the controls
// (controles.h), the drawing state (edicion.h, form1_edicion.cpp), the solve (resolucion.h) and
// the files (form1_ficheros.cpp).

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/carpeta.h"
#include "formats/formatos.h"
#include "juego/reglas.h"
#include "logica/logica.h"
#include "model/enunciado.h"
#include "model/tablero.h"
#include "solver/veredicto.h"
#include "ui/controles.h"
#include "ui/edicion.h"
#include "ui/historial.h"
#include "ui/plataforma_ventana.h"
#include "ui/resolucion.h"
#include "ui/vista_juego.h"

namespace velmora {

inline constexpr std::string_view kFiltroFicheros =
    "Archivos XML Sudoku|*.xml|Todos los archivos|*.*";

// The step solver's next step on a game (from its digits and the marks it may trust), and a
// puzzle's grade as "Difícil (puntuación 236)": what play asks for its hints and its finish.
std::optional<Pista> PistaDeLaLogica(const Partida& p);
std::optional<std::string> CalificacionDeLaLogica(const Enunciado& e, std::stop_token parar);

class Form1 : public Controles, public Edicion {
public:
    explicit Form1(PlataformaVentana& plataforma);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The board: the cell-to-segment map as drawn, and the state of the last solve.
    Tablero Tab;

    bool Resolviendo() const { return resolucion_.Resolviendo(); }

    // ---- Window events --------------------------------------------------------------------
    void Form_Load();
    // The first time the window becomes active.
    void Form_Activate();
    bool PuedeCerrar() { return resolucion_.PuedeCerrar(); }
    bool CierrePendiente() const { return resolucion_.CierrePendiente(); }

    // ---- Toolbar, modes, reset, solve -----------------------------------------------------
    void EjecutarHerramienta(std::string_view id);
    void ActivarModoKiller();
    void ActivarModoNormal();
    void DeshabilitarHerramientas();
    void HabilitarHerramientas();
    void CancelarResolucion();
    void NuevoSudoku();
    void VaciarCuadricula();
    void ResolverSudoku() { resolucion_.Resolver(); }
    void MostrarMatriz() { MostrarRejilla(Tab.Matriz); }

    // ---- Segment entry --------------------------------------------------------------------
    void S_Click(int i);
    void LbN_Click(int i);
    void T_GotFocus(int i);
    // Returns the character code to keep, 0 to discard the key.
    int T_KeyPress(int i, int codigo);
    // The text of T(i) changed in the box (typed or pasted).
    void T_Change(int i, std::string texto);
    void LbDel_Click();
    void lb_Click(int i);

    // ---- Digit entry ----------------------------------------------------------------------
    void N_Click(int i);

    // ---- Keyboard drawing (teclado.cpp) ---------------------------------------------------
    // Arrows move the cursor cell; the first one shows it where it is. Space acts on the cursor
    // cell as a click does, Delete frees it, digits 1-9 pick the pad's digit in Normal mode.
    void MoverCursor(int dfila, int dcol);
    void PulsarEspacio();
    void LiberarCursor();
    void ElegirCifra(int d);

    // ---- Files ----------------------------------------------------------------------------
    void AbrirFichero();
    void GuardarFichero();
    // A file given on the command line or dropped on the window: an XML puzzle file opens as
    // "Abrir" opens the chosen one, any other file is read as text in one of the formats.
    void AbrirRuta(const QString& ruta);

    // ---- Work kept between runs (sesion.cpp) ----------------------------------------------
    // At close: a puzzle that differs from the last one opened or saved (and is not empty) is
    // kept in the per-user configuration folder; one that is in a file now is no longer kept.
    void GuardarAlCerrar();
    // Whether a kept puzzle is there, and reopening it (one undo step); false when none is.
    bool HaySinGuardar();
    bool RecuperarSinGuardar();
    // At start-up: the status bar says that a kept puzzle is there, until the first change.
    void AvisarSinGuardar();
    // The files last opened or saved, newest first; opening one of them. A missing one is taken
    // out of the list, with a message.
    QStringList Recientes();
    void AbrirReciente(const QString& ruta);

    // ---- Interchange (intercambio.cpp) ----------------------------------------------------
    // A puzzle in any text format: painted as an opened file is; on a bad text the message,
    // and the board stays as it was.
    bool ImportarTexto(std::string_view texto);
    // The same without a message box: the refusal's message, for a dialog to show in place.
    // Either way the cells the message names are outlined.
    std::optional<Mensaje> ProbarTexto(std::string_view texto);
    // The puzzle in a format, or why it cannot be written so.
    Resultado<std::string> Exportar(Formato f) { return EscribirTexto(LeerEnunciado(), f); }
    // What "Copiar" puts on the clipboard: the classic line or the Killer short string, and
    // the f-puzzles link when the puzzle fits it (else empty); nothing, and the message shown,
    // when the puzzle cannot be written.
    struct Copia {
        std::string texto, enlace;
    };
    std::optional<Copia> Copiar();
    // The digits the grid shows in cells that are not given: a solution found, or nothing.
    std::optional<std::array<uint8_t, kCasillas>> SolucionMostrada();

    // ---- The puzzle -----------------------------------------------------------------------
    // The puzzle as the controls hold it, and the controls showing a puzzle: the board emptied
    // in the puzzle's mode, then its segments and givens painted.
    Enunciado LeerEnunciado();
    void PintarEnunciado(const Enunciado& e);
    // Validates the puzzle of the current mode into the board; shows the failure and outlines
    // the cells it names until the next change.
    bool Validar();

    // ---- Authoring (autoria.cpp) ----------------------------------------------------------
    // Notes the puzzle as it is now: a change is one undo step. The window calls it before and
    // after every handler but the typing in a sum box, and when a sum box loses the keyboard,
    // so that the typing of one sum is one step.
    void AnotarCambio();
    void Deshacer();
    void Rehacer();
    bool PuedeDeshacer() const {
        return !Resolviendo() && (Jugando() ? !terminado_ && historialJuego_.PuedeDeshacer()
                                            : historial_.PuedeDeshacer());
    }
    bool PuedeRehacer() const {
        return !Resolviendo() && (Jugando() ? !terminado_ && historialJuego_.PuedeRehacer()
                                            : historial_.PuedeRehacer());
    }
    // "Comprobar solución única": validates as a solve does, then decides off the window's
    // thread (cancelled as a solve is) whether the puzzle has no solution, one or more; shows
    // the solution found and marks where two of them differ, then says so.
    void ComprobarUnica();
    // With two solutions found, the grid switches between them ("Otra solución").
    bool HayOtraSolucion() const;
    void OtraSolucion();
    // ---- Reasoning (dificultad.cpp) --------------------------------------------------------
    // "Dificultad…": validates, checks the solution is unique, then grades the puzzle by the
    // steps a person needs. False when refused or cancelled; the grade stays for the panel.
    bool Calificar();
    const std::optional<Calificacion>& UltimaCalificacion() const { return calificacion_; }
    // "Dificultad: Moderado (puntuación 123)", empty before a grade.
    std::string TextoCalificacion() const;
    // Outlines the cells and cages of step i of the last grade (none for -1).
    void ResaltarPaso(int i);
    // "Pista" outside play: the next step from the givens, said in the status bar with its cells
    // outlined.
    void DarPista();

    // ---- New puzzles (generar.cpp) ---------------------------------------------------------
    // "Nuevo aleatorio…": a new puzzle made off the window's thread (cancelled as a solve is),
    // opened as a file is: one undo step, the mode switched as needed, its grade in the status
    // bar. False when cancelled or when the level was not reached (said in a message).
    struct PeticionAleatoria {
        bool killer = true;
        Nivel nivel = Nivel::Moderado;
        bool simetria = true; // classic givens in 180° pairs
        uint64_t semilla = 0;
    };
    bool NuevoAleatorio(const PeticionAleatoria& p);

    // The verdict F7 runs; tests put a slower one in its place.
    std::function<Veredicto(const Reglas&, const Parada&)> Juez =
        [](const Reglas& r, const Parada& p) { return Juzgar(r, p); };
    // The status bar: the picked segment and its digit sets, the totals, or the last outcome.
    std::string TextoEstado(std::string_view separador);

    // ---- Play (juego.cpp) -----------------------------------------------------------------
    // "Jugar": on a puzzle with exactly one solution (decided as F7 does, whose messages say why
    // not otherwise) the player fills the grid. Drawing is off meanwhile; Nuevo, Abrir, a mode
    // switch or any other puzzle painted leave it, as "Dejar de jugar" does.
    void Jugar();
    void DejarDeJugar();
    bool Jugando() const { return juego_.has_value(); }
    bool JuegoTerminado() const { return terminado_; }
    const std::optional<Partida>& Juego() const { return juego_; }
    // Entry on the cursor cell: a digit (a mark with the pencil on or `marca`), clearing.
    void JugarCifra(int d, bool marca = false);
    void BorrarJugada();
    void AlternarLapiz() { lapiz_ = Jugando() && !lapiz_; }
    bool Lapiz() const { return lapiz_; }
    void PonerCandidatos();
    // "Comprobar": how many digits are wrong, outlined; the solution stays unshown.
    void ComprobarJuego();
    // "Pista": the first press names the next step and outlines its cells, the second applies
    // it. The step comes from BuscarPista, off the window's thread; without one, the status bar
    // says hints are not there.
    void PedirPista();
    std::function<std::optional<Pista>(const Partida&)> BuscarPista = PistaDeLaLogica;
    // The puzzle's grade for the finish message ("Difícil"); none when unset or stopped.
    std::function<std::optional<std::string>(const Enunciado&, std::stop_token)> CalificarPartida =
        CalificacionDeLaLogica;
    // The clock: paused with "Pausa", or while the window is inactive or minimised. The grid is
    // hidden with "Pausa" and while the user is in another program (`ausente`); a box of this
    // program over the window hides nothing, so the window behind it shows that moment.
    void AlternarPausa();
    bool EnPausa() const { return pausa_; }
    void VentanaActiva(bool activa, bool ausente = false);
    int64_t Milisegundos() const { return cronometro_.Milisegundos(); }
    // Milliseconds of a steady clock; tests put their own.
    std::function<int64_t()> Reloj;
    // The helps, each switchable; remembered in velmora.ini.
    struct Ayudas {
        bool choques = true; // clashing digits in red
        bool jaulas = true;  // wrong cages outlined in red
        bool cuentas = true; // the cursor's cage and houses in the status bar
        bool operator==(const Ayudas&) const = default;
    };
    const Ayudas& AyudasJuego() const { return ayudas_; }
    void CambiarAyudas(const Ayudas& a);
    // What each cell shows of the game.
    std::array<VistaJuego, kCasillas> Vistas() const;
    // The game kept at close, and "Continuar partida".
    bool HayPartida();
    bool ContinuarPartida();
    // At start-up, with AvisarSinGuardar: a kept game is offered, a damaged one is ignored.
    void AvisarPartida();

private:
    friend class Resolucion;

    // What the status bar says after a solve or a verdict, until the next change.
    enum class Desenlace : uint8_t {
        Ninguno,
        Resuelto,
        SinSolucion,
        Cancelado,
        Unica,
        Ninguna,
        Varias,
        ComprobacionCancelada,
        Calificado,
        PistaDada,
        Interrumpido
    };

    void CambiarModo(bool killer);
    // The puzzle's candidates with its one solution, the verdict run off the window's thread
    // under `que`; nothing, with the reason shown, when it has none or several or is cancelled.
    std::optional<Candidatos> CandidatosConSolucion(std::string_view que);
    void MarcarPaso(const Paso& p);
    // F7's verdict with its messages; for play the one solution stays unshown.
    Veredicto Dictaminar(bool paraJugar);
    // Vaciar: the player's entries after a confirmation in play, the grid otherwise.
    void Vaciar();
    void EmpezarJuego(Partida p);
    void TrasJugada(); // one step of the play history, and the finish
    void Terminar();
    void ActualizarReloj();
    std::string TextoJuego() const;
    void CargarAyudas();
    void ElegirSegmento(int i);
    void ElegirSegmentoDesdeSuma(int i);
    void Desmarcar(int i);
    CarpetaRecordada Carpeta();
    void Abrir(const Eleccion& eleccion);
    // The puzzle as it is now is the one in a file, opened or saved.
    void EnFichero(const QString& ruta, bool guardado);

    PlataformaVentana& plataforma_;
    Resolucion resolucion_{*this};
    Historial historial_;
    Desenlace resultado_ = Desenlace::Ninguno;
    int64_t ramas_ = 0; // of the last verdict
    std::optional<Calificacion> calificacion_;
    std::string textoPista_;
    std::optional<std::array<std::array<uint8_t, kCasillas>, 2>> dosSoluciones_;
    bool otraMostrada_ = false;
    int segVisto_ = -1;
    Enunciado referencia_;    // the last puzzle opened or saved
    std::string aviso_;       // the status bar's start-up note
    bool recuperado_ = false; // the kept puzzle was reopened in this run

    std::optional<Partida> juego_;
    HistorialJuego historialJuego_;
    Cronometro cronometro_{[this] { return Reloj(); }};
    bool terminado_ = false, lapiz_ = false, pausa_ = false, activa_ = true, ausente_ = false;
    bool ayudasLeidas_ = false;
    Ayudas ayudas_;
    std::optional<Pista> pista_;
    std::string mensajeJuego_; // the last play command's outcome, until the next entry
    int cursorAntes_ = -1;
};

} // namespace velmora
