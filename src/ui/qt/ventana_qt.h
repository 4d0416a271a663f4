#pragma once
// The main window on Qt Widgets: builds the controls of the layout table, turns Qt events into
// Form1's handlers and shows Form1's state.

#include <QMainWindow>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "ui/form1.h"
#include "ui/qt/controles_qt.h"

class QAction;
class QMenu;
class QLabel;
class QProgressBar;
class QRadioButton;
class QTimer;

class QListWidget;

namespace velmora {

class PlataformaQt;

class VentanaQt : public QMainWindow {
    Q_OBJECT

public:
    // Runs the window's load handler; the window is shown by the caller.
    VentanaQt(Form1& form, PlataformaQt& plataforma, QWidget* padre = nullptr);
    ~VentanaQt() override;

    // Brings every widget up to date with the state of Form1. Cheap when little changed: only
    // what differs from what is shown is touched.
    void Actualizar();

    // The controls, by their names in the layout.
    Rotulo* lb(int k) const { return lb_[k]; }
    Rotulo* S(int i) const { return S_[i]; }
    Rotulo* LbN(int i) const { return LbN_[i]; }
    CajaSuma* T(int i) const { return T_[i]; }
    Rotulo* N(int i) const { return N_[i]; }
    Rotulo* LbDel() const { return LbDel_; }
    Rotulo* LbM() const { return LbM_; }
    Rotulo* LbPor() const { return LbPor_; }
    QProgressBar* PBar() const { return PBar_; }
    QRadioButton* Option1() const { return opciones_[0]; }
    QRadioButton* Option2() const { return opciones_[1]; }
    QRadioButton* Option3() const { return opciones_[2]; }
    QWidget* Panel_Killer() const { return Panel_Killer_; }
    QWidget* Panel_Normal() const { return Panel_Normal_; }
    QWidget* Cliente() const { return cliente_; }
    QAction* Accion(Herramienta h) const { return acciones_[static_cast<int>(h)]; }
    QAction* AccionMenu(Herramienta h) const { return menuHerramientas_[static_cast<int>(h)]; }
    QAction* Deshacer() const { return deshacer_; }
    QAction* Rehacer() const { return rehacer_; }
    QAction* Comprobar() const { return comprobar_; }
    QAction* OtraSolucionAccion() const { return otraSolucion_; }
    QAction* Dificultad() const { return dificultad_; }
    QAction* Pista() const { return pista_; }
    QWidget* PanelDificultad() const { return panelDificultad_; }
    QAction* Recuperar() const { return recuperar_; }
    QMenu* MenuRecientes() const { return recientes_; }
    QAction* Manual() const { return manual_; }
    QAction* AtajosDeTeclado() const { return atajos_; }
    QLabel* Estado() const { return estado_; }
    // The grid's panel: it takes the keyboard for drawing with it.
    QWidget* Cuadricula() const { return cuadricula_; }

    // Every key the window answers: the actions' shortcuts, then the grid's keys; each with
    // what it does. "Ayuda > Atajos de teclado" lists these.
    struct Atajo {
        QString teclas, accion;
    };
    std::vector<Atajo> ListaDeAtajos() const;

    QColor Resolver(const Color& c) const;

    // A file to open once the start-up has run (the program's argument).
    void AbrirAlEmpezar(const QString& ruta) { alEmpezar_ = ruta; }

    // Interchange (intercambio_qt.cpp).
    void Importar();
    void Exportar();
    void Copiar();
    void Pegar();
    void ExportarImagen();
    void Imprimir();

    // Help (ayuda_qt.cpp): the bundled manual and the list of keys, each in a window of its own.
    void MostrarManual();
    void MostrarAtajos();
    void MostrarDificultad();
    // An arrow key: the grid takes the keyboard and its cursor moves.
    void MoverCursor(int flecha);
    // "Nuevo aleatorio…" (generar_qt.cpp): the dialog, then the puzzle made and opened.
    void NuevoAleatorio();

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void Construir();
    QWidget* ConstruirBotones(QWidget* padre);
    void Conectar();
    void Ejecutar(Herramienta h);
    // Runs a handler of Form1 and shows what it changed.
    // Each one a step for undo: typing in a sum box is noted when it ends.
    template <class F> void Atender(F&& f) {
        form_.AnotarCambio();
        f();
        form_.AnotarCambio();
        Actualizar();
    }
    void ConstruirMenus();
    // The Sudoku menu's play commands and the Archivo menu's "Continuar partida" (juego_qt.cpp).
    void ConstruirJuego(QMenu* archivo, QMenu* sudoku, QAction* antesDe);
    void ActualizarJuego();
    // The keys of play; false for a key play does not take.
    bool TeclaDeJuego(QKeyEvent* e);
    void LlenarRecientes();
    void AcercaDe();
    // The palette changed: resolves every look again.
    void Olvidar();

    Form1& form_;
    PlataformaQt& plataforma_;
    ResolverColor resolver_;
    bool activada_ = false;
    QString alEmpezar_;

    QWidget* cliente_ = nullptr;
    std::array<Rotulo*, kCasillas> lb_{};
    std::array<Rotulo*, kSegmentos> S_{}, LbN_{};
    std::array<CajaSuma*, kSegmentos> T_{};
    std::array<Rotulo*, 10> N_{};
    Rotulo *LbDel_ = nullptr, *LbM_ = nullptr, *LbPor_ = nullptr;
    QProgressBar* PBar_ = nullptr;
    std::array<QRadioButton*, 3> opciones_{}; // Option1, Option2, Option3
    QWidget *Panel_Killer_ = nullptr, *Panel_Normal_ = nullptr;
    std::array<QAction*, kHerramientas> acciones_{};
    // The menu bar: the tools again, and the commands beyond them.
    std::array<QAction*, kHerramientas> menuHerramientas_{};
    QAction *deshacer_ = nullptr, *rehacer_ = nullptr, *comprobar_ = nullptr, *acercaDe_ = nullptr;
    QAction* otraSolucion_ = nullptr;
    QAction *dificultad_ = nullptr, *pista_ = nullptr;
    QWidget* panelDificultad_ = nullptr;
    QLabel *gradoDificultad_ = nullptr, *fraseDificultad_ = nullptr;
    QListWidget* pasosDificultad_ = nullptr;
    QAction *recuperar_ = nullptr, *manual_ = nullptr, *atajos_ = nullptr;
    QMenu* recientes_ = nullptr;
    // Play: the commands enabled only while playing, and those only outside it.
    std::vector<QAction*> deJuego_, fueraDeJuego_;
    QAction *lapiz_ = nullptr, *pausa_ = nullptr;
    std::array<QAction*, 3> ayudas_{};
    QTimer* reloj_ = nullptr;
    QWidget* cuadricula_ = nullptr;
    int cursor_ = -1; // the cursor cell shown
    QWidget *ventanaManual_ = nullptr, *ventanaAtajos_ = nullptr;
    std::vector<QAction*> libres_; // enabled only outside a solve
    QLabel* estado_ = nullptr;
    std::string textoEstado_;

    // What is shown, to skip unchanged values.
    std::string caption_;
    std::array<std::string, kSegmentos> sumas_;
    std::string separador_;
    int soloLectura_ = -1; // the sum boxes are read-only during a solve
    // Every label with the look the layout gives it, to resolve again when the palette changes.
    std::vector<std::pair<Rotulo*, Aspecto>> fijos_;
    // The other colours the layout gives, likewise.
    struct ColorFijo {
        QWidget* widget;
        QPalette::ColorRole rol;
        Color color;
    };
    std::vector<ColorFijo> colores_;
};

} // namespace velmora
