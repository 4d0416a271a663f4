#pragma once
// The main window without widgets: its controls as plain data, the board and editing state,
// and every handler and operation. The Qt window renders this state and forwards events here.

#include <array>
#include <string>
#include <string_view>

#include "files/carpeta.h"
#include "model/enunciado.h"
#include "model/progreso.h"
#include "model/tablero.h"
#include "ui/apariencia.h"
#include "ui/plataforma_ventana.h"

namespace velmora {

// The toolbar's command tools, in toolbar order.
enum class Herramienta : uint8_t {
    Nuevo,
    Abrir,
    Guardar,
    Vaciar,
    Resolver,
    Cancelar,
    Killer,
    Normal
};
inline constexpr int kHerramientas = 8;
inline constexpr std::array<std::string_view, kHerramientas> kIdsHerramientas = {
    "ID_Nuevo",    "ID_Abrir",    "ID_Guardar", "ID_Vaciar",
    "ID_Resolver", "ID_Cancelar", "ID_Killer",  "ID_Normal"};
inline constexpr std::array<std::string_view, kHerramientas> kTitulosHerramientas = {
    "Nuevo", "Abrir", "Guardar", "Vaciar", "Resolver", "Cancelar", "Killer", "Normal"};

inline constexpr std::string_view kFiltroFicheros =
    "Archivos XML Sudoku|*.xml|Todos los archivos|*.*";

// A label: caption, look and its selected marker.
struct Etiqueta {
    std::string texto;
    Aspecto aspecto = kAspectoSistema;
    bool marca = false;
};

class Form1 {
public:
    explicit Form1(PlataformaVentana& plataforma);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- Controls -------------------------------------------------------------------------
    std::string Caption;
    std::array<Aspecto, kCasillas> lb; // grid cells; captions through TextoCelda
    std::array<Etiqueta, kSegmentos> LbN;
    std::array<std::string, kSegmentos> T;
    Etiqueta LbDel;
    std::array<Etiqueta, 10> N;
    bool Panel_Killer = false;
    bool Panel_Normal = false;
    ModoCalculo Opcion = ModoCalculo::Interactivo; // Option1..Option3
    Progreso progreso;                             // LbM, LbPor, PBar

    const std::string& TextoCelda(int k);
    void PonerTextoCelda(int k, std::string texto);
    bool Habilitada(Herramienta h) const { return habilitadas_[static_cast<int>(h)]; }

    // ---- State ----------------------------------------------------------------------------
    Tablero Tab;
    int SegSeleccionado = -1;
    int NumSeleccionado = 0;
    bool ModoBorrar = false; // LbDel's marker
    bool SaltarFoco = false;
    std::array<bool, kSegmentos> MarcaFocoT{};

    bool Resolviendo() const { return resolviendo_; }

    // ---- Window events --------------------------------------------------------------------
    void Form_Load();
    // The first time the window becomes active.
    void Form_Activate();
    // Asked before the window closes. During a solve the search is told to stop and the window
    // is to close once it has: false now, and CierrePendiente() tells the caller to close later.
    bool PuedeCerrar();
    bool CierrePendiente() const { return cierrePendiente_; }

    // ---- Toolbar, modes, reset, solve -----------------------------------------------------
    void EjecutarHerramienta(std::string_view id);
    void ActivarModoKiller();
    void ActivarModoNormal();
    void DeshabilitarHerramientas();
    void HabilitarHerramientas();
    void CancelarResolucion();
    void NuevoSudoku();
    void VaciarCuadricula();
    void ResolverSudoku();
    void MostrarMatriz();

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

    // ---- Files ----------------------------------------------------------------------------
    void AbrirFichero();
    void GuardarFichero();

    // ---- The solve's host (see AnfitrionSolucion) -----------------------------------------
    ModoCalculo Modo() const { return Opcion; }
    int Saltos() const { return plataforma_.Saltos(); }
    void ProcesarEventos() { plataforma_.Pasada(); }
    bool Validar();
    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono);

    // The puzzle as the controls hold it, and the controls showing a puzzle: the board emptied
    // in the puzzle's mode, then its segments and givens painted.
    Enunciado LeerEnunciado();
    void PintarEnunciado(const Enunciado& e);

private:
    void Habilitar(Herramienta h, bool habilitada) {
        habilitadas_[static_cast<int>(h)] = habilitada;
    }
    void CambiarModo(bool killer);
    void ElegirSegmento(int i);
    void ElegirSegmentoDesdeSuma(int i);
    void Desmarcar(int i);
    void AplicarMatriz();
    CarpetaRecordada Carpeta();

    PlataformaVentana& plataforma_;
    std::array<bool, kHerramientas> habilitadas_;
    std::array<std::string, kCasillas> textosCeldas_;
    // MostrarMatriz runs after every placed digit in "Interactivo", so it only notes the grid;
    // captions are written from it when next read or changed.
    std::array<uint8_t, kCasillas> matrizMostrada_{};
    bool matrizPendiente_ = false;
    bool resolviendo_ = false;
    bool cierrePendiente_ = false;
};

} // namespace velmora
