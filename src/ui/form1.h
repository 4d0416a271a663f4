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
#include "logica/logica.h"
#include "model/enunciado.h"
#include "model/tablero.h"
#include "solver/veredicto.h"
#include "ui/controles.h"
#include "ui/edicion.h"
#include "ui/historial.h"
#include "ui/plataforma_ventana.h"
#include "ui/resolucion.h"

namespace velmora {

inline constexpr std::string_view kFiltroFicheros =
    "Archivos XML Sudoku|*.xml|Todos los archivos|*.*";

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
    bool PuedeDeshacer() const { return !Resolviendo() && historial_.PuedeDeshacer(); }
    bool PuedeRehacer() const { return !Resolviendo() && historial_.PuedeRehacer(); }
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
    // "Pista": the next step from the givens, said in the status bar with its cells outlined.
    void Pista();

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
        Pista,
        Interrumpido
    };

    void CambiarModo(bool killer);
    // The puzzle's candidates with its one solution, the verdict run off the window's thread
    // under `que`; nothing, with the reason shown, when it has none or several or is cancelled.
    std::optional<Candidatos> CandidatosConSolucion(std::string_view que);
    void MarcarPaso(const Paso& p);
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
    std::string pista_;
    std::optional<std::array<std::array<uint8_t, kCasillas>, 2>> dosSoluciones_;
    bool otraMostrada_ = false;
    int segVisto_ = -1;
    Enunciado referencia_;    // the last puzzle opened or saved
    std::string aviso_;       // the status bar's start-up note
    bool recuperado_ = false; // the kept puzzle was reopened in this run
};

} // namespace velmora
