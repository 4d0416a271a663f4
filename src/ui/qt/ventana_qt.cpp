#include "ui/qt/ventana_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <map>

#include "ui/disposicion.h"
#include "ui/lugares.h"
#include "ui/qt/arranque.h"
#include "ui/qt/iconos.h"
#include "ui/qt/plataforma_qt.h"

namespace velmora {

namespace {

QString Texto(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Option1, Option2, Option3.
constexpr std::array<ModoCalculo, 3> kModos = {ModoCalculo::Rapido, ModoCalculo::Interactivo,
                                               ModoCalculo::UltraRapido};

const std::array<QKeySequence, kHerramientas>& Atajos() {
    static const std::array<QKeySequence, kHerramientas> atajos = {
        QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_O),
        QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_F6),
        QKeySequence(Qt::Key_F5),           QKeySequence(Qt::Key_Escape),
        QKeySequence(Qt::CTRL | Qt::Key_1), QKeySequence(Qt::CTRL | Qt::Key_2)};
    return atajos;
}

// The menu bar's own commands.
const QKeySequence kDeshacer(Qt::CTRL | Qt::Key_Z), kRehacer(Qt::CTRL | Qt::Key_Y),
    kRehacerOtro(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), kComprobar(Qt::Key_F7),
    kSalir(Qt::CTRL | Qt::Key_Q);

// Keys a sum box must leave to the window: the tools' and undo's (the window's undo wins over
// the box's own).
bool EsAtajo(const QKeySequence& tecla) {
    for (const QKeySequence& a : Atajos())
        if (a == tecla) return true;
    return tecla == kDeshacer || tecla == kRehacer || tecla == kRehacerOtro || tecla == kComprobar;
}

bool Es(QKeySequence::StandardKey clave, const QKeySequence& tecla) {
    return QKeySequence::keyBindings(clave).contains(tecla);
}

// The grid's keys, beyond the actions: what keyPressEvent answers, and what the list of keys
// says of them.
enum class TeclaCuadricula : uint8_t { Flechas, Espacio, Supr, Cifras, Marcas, Retroceso };
struct DescripcionTecla {
    TeclaCuadricula tecla;
    const char* teclas;
    const char* accion;
};
constexpr std::array<DescripcionTecla, 6> kTeclasCuadricula = {{
    {TeclaCuadricula::Flechas, "Flechas",
     "Mueven el cursor por la cuadrícula (la primera lo muestra)"},
    {TeclaCuadricula::Espacio, "Espacio",
     "Pone la casilla del cursor en el segmento elegido (Killer) o la cifra elegida (Normal)"},
    {TeclaCuadricula::Supr, "Supr", "Libera la casilla del cursor; jugando, la borra"},
    {TeclaCuadricula::Cifras, "1 … 9",
     "Eligen la cifra del teclado numérico (Normal); jugando, la ponen en la casilla del cursor"},
    {TeclaCuadricula::Marcas, "Mayús+1 … 9",
     "Jugando, ponen o quitan una marca de lápiz en la casilla del cursor"},
    {TeclaCuadricula::Retroceso, "Retroceso", "Jugando, borra la casilla del cursor"},
}};

QString SinAcelerador(QString texto) {
    texto = texto.left(texto.indexOf(QLatin1Char('\t')));
    return texto.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

void PonerColor(QWidget* w, QPalette::ColorRole rol, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(rol, color);
    w->setPalette(p);
}

} // namespace

VentanaQt::VentanaQt(Form1& form, PlataformaQt& plataforma, QWidget* padre)
    : QMainWindow(padre), form_(form), plataforma_(plataforma),
      resolver_([this](const Color& c) { return Resolver(c); }),
      separador_(QLocale::system().groupSeparator().toStdString()) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(FuenteQt(kFuenteVentana));
    setWindowIcon(IconoHerramienta(Herramienta::Killer));
    setContextMenuPolicy(Qt::PreventContextMenu); // the toolbar stays
    setAcceptDrops(true);
    Construir();
    ConstruirMenus();
    Conectar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    plataforma_.Conectar(this);

    form_.Form_Load();
    // The keyboard focus starts outside the sum boxes: entering one picks its segment.
    cliente_->setFocus(Qt::OtherFocusReason);
    Actualizar();
}

VentanaQt::~VentanaQt() {
    plataforma_.Conectar(nullptr);
    // The sum boxes lose the keyboard while the window's parts go away.
    for (CajaSuma* t : T_)
        t->alSalir = nullptr;
}

QColor VentanaQt::Resolver(const Color& c) const {
    switch (c.sistema) {
    case Color::Sistema::Ninguno:
        break;
    case Color::Sistema::FondoVentana:
        return palette().color(QPalette::Base);
    case Color::Sistema::TextoVentana:
        return palette().color(QPalette::WindowText);
    case Color::Sistema::CaraBoton:
        return palette().color(QPalette::Button);
    case Color::Sistema::TextoBoton:
        return palette().color(QPalette::ButtonText);
    }
    return {c.r, c.g, c.b};
}

QWidget* VentanaQt::ConstruirBotones(QWidget* padre) {
    auto* barra = new QToolBar(QStringLiteral("Botones"), padre);
    barra->setMovable(false);
    barra->setFloatable(false);
    barra->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barra->setIconSize(QSize(24, 24));
    for (const Boton& b : kBotones) {
        if (b.separador) {
            barra->addSeparator();
            continue;
        }
        const Herramienta h = b.herramienta;
        const QKeySequence& atajo = Atajos()[static_cast<int>(h)];
        QAction* a = barra->addAction(IconoHerramienta(h), Texto(b.Titulo()));
        a->setObjectName(Texto(b.Id()));
        a->setShortcut(atajo);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setToolTip(
            QStringLiteral("%1 (%2)").arg(a->text(), atajo.toString(QKeySequence::PortableText)));
        connect(a, &QAction::triggered, this, [this, h] { Ejecutar(h); });
        acciones_[static_cast<int>(h)] = a;
    }
    return barra;
}

void VentanaQt::Construir() {
    cliente_ = new QWidget(this);
    cliente_->setObjectName(QStringLiteral("Form1"));
    cliente_->setFixedSize(kAnchoCliente / kTwipsPorPixel, kAltoCliente / kTwipsPorPixel);
    setCentralWidget(cliente_);

    std::map<std::string_view, QWidget*> contenedores{{"", cliente_}};
    for (const Control& c : Controles()) {
        QWidget* padre = contenedores.at(c.contenedor);
        QWidget* w = nullptr;
        switch (c.clase) {
        case Clase::Marco: {
            // As a captioned frame is drawn on the desktop: the etched border from the top of
            // the frame, its caption set into the top line.
            auto* g = new QGroupBox(Texto(c.texto), padre);
            const int mitad = QFontMetrics(FuenteQt(c.fuente)).height() / 2;
            g->setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(mid); "
                                            "margin-top: %1px; } QGroupBox::title { "
                                            "subcontrol-origin: margin; left: 6px; top: 0px; "
                                            "padding: 0 2px; }")
                                 .arg(mitad));
            w = g;
            break;
        }
        case Clase::Opcion: {
            auto* o = new QRadioButton(Texto(c.texto), padre);
            o->setChecked(c.seleccionada);
            // The captions were laid out for a narrower gap after the indicator.
            o->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
            opciones_[c.nombre.back() - '1'] = o;
            w = o;
            break;
        }
        case Clase::Panel:
            w = new Panel3D(Texto(c.texto), Resolver(c.colorTitulo), padre);
            colores_.push_back({w, QPalette::Window, c.aspecto.fondo});
            if (c.nombre == "Panel_Killer") Panel_Killer_ = w;
            if (c.nombre == "Panel_Normal") Panel_Normal_ = w;
            if (c.nombre == "SSPanel1") cuadricula_ = w;
            break;
        case Clase::Etiqueta: {
            auto* r = new Rotulo(c.borde, c.centrado, padre);
            r->PonerTexto(std::string(c.texto));
            r->PonerAspecto(c.aspecto, resolver_);
            if (c.nombre == "lb") lb_[c.indice] = r;
            if (c.nombre == "S") S_[c.indice] = r;
            if (c.nombre == "LbN") LbN_[c.indice] = r;
            if (c.nombre == "N") N_[c.indice] = r;
            if (c.nombre == "LbDel") LbDel_ = r;
            if (c.nombre == "LbM") LbM_ = r;
            if (c.nombre == "LbPor") LbPor_ = r;
            fijos_.emplace_back(r, c.aspecto);
            w = r;
            break;
        }
        case Clase::Barra:
            w = new QWidget(padre);
            w->setAutoFillBackground(true);
            colores_.push_back({w, QPalette::Window, c.aspecto.fondo});
            break;
        case Clase::Progreso:
            PBar_ = new QProgressBar(padre);
            PBar_->setRange(0, 100);
            PBar_->setValue(0);
            PBar_->setTextVisible(false);
            w = PBar_;
            break;
        case Clase::Suma: {
            auto* t = new CajaSuma(padre);
            colores_.push_back({t, QPalette::Base, c.aspecto.fondo});
            colores_.push_back({t, QPalette::Text, c.aspecto.texto});
            T_[c.indice] = t;
            w = t;
            break;
        }
        case Clase::BarraHerramientas:
            w = ConstruirBotones(padre);
            break;
        case Clase::Guardacolor:    // their looks are constants of the state
        case Clase::DialogoFichero: // made by the platform when needed
            continue;
        }
        w->setObjectName(c.indice < 0
                             ? Texto(c.nombre)
                             : QStringLiteral("%1(%2)").arg(Texto(c.nombre)).arg(c.indice));
        w->setFont(FuenteQt(c.fuente));
        w->setGeometry(RectQt(c.r));
        w->setVisible(c.visible);
        if (c.indice < 0) contenedores[c.nombre] = w;
    }
    for (const ColorFijo& c : colores_)
        PonerColor(c.widget, c.rol, Resolver(c.color));
}

void VentanaQt::Conectar() {
    for (int k = 0; k < kCasillas; ++k)
        lb_[k]->alPulsar = [this, k] { Atender([&] { form_.lb_Click(k); }); };
    for (int i = 0; i < kSegmentos; ++i) {
        S_[i]->alPulsar = [this, i] { Atender([&] { form_.S_Click(i); }); };
        LbN_[i]->alPulsar = [this, i] { Atender([&] { form_.LbN_Click(i); }); };
        CajaSuma* t = T_[i];
        t->alEntrar = [this, i](Qt::FocusReason razon) {
            // The focus coming back with the window, or after a popup, is no entering: it picks
            // nothing. Only a focus move the program asked for is still consumed.
            const bool vuelve =
                razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason;
            if (vuelve && !form_.SaltarFoco) return;
            Atender([&] { form_.T_GotFocus(i); });
        };
        t->alTeclear = [this, i](int codigo) { return form_.T_KeyPress(i, codigo); };
        // The puzzle's Copiar and Pegar win over the box's own, except for a selection in the box
        // and for digits on the clipboard.
        t->esAtajo = [t](const QKeySequence& tecla) {
            if (Es(QKeySequence::Copy, tecla)) return !t->hasSelectedText();
            if (Es(QKeySequence::Paste, tecla)) {
                const QByteArray texto = QApplication::clipboard()->text().toUtf8();
                return EsPuzzlePegable(std::string_view(texto.constData(), texto.size()));
            }
            return EsAtajo(tecla);
        };
        t->alSalir = [this] { Atender([] {}); };
        connect(t, &QLineEdit::textEdited, this, [this, i](const QString& texto) {
            sumas_[i] = texto.toStdString(); // what the box shows now
            form_.T_Change(i, sumas_[i]);
            Actualizar();
        });
    }
    LbDel_->alPulsar = [this] { Atender([&] { form_.LbDel_Click(); }); };
    for (int i = 0; i < 10; ++i)
        N_[i]->alPulsar = [this, i] { Atender([&] { form_.N_Click(i); }); };
    for (size_t n = 0; n < opciones_.size(); ++n)
        connect(opciones_[n], &QRadioButton::toggled, this, [this, n](bool marcada) {
            if (marcada) Atender([&] { form_.Opcion = kModos[n]; });
        });
}

void VentanaQt::Ejecutar(Herramienta h) {
    if (!form_.Habilitada(h)) return; // a disabled tool produces no click
    Atender([&] { form_.EjecutarHerramienta(kIdsHerramientas[static_cast<int>(h)]); });
    // A close asked for during the solve waited for the search to stop.
    if (form_.CierrePendiente() && !form_.Resolviendo()) close();
}

void VentanaQt::Actualizar() {
    if (form_.Caption != caption_) {
        caption_ = form_.Caption;
        setWindowTitle(QString::fromStdString(caption_));
    }
    // One panel is shown before the other is hidden, so the shared place is never empty.
    if (Panel_Killer_->isVisibleTo(cliente_) != form_.Panel_Killer)
        Panel_Killer_->setVisible(form_.Panel_Killer);
    if (Panel_Normal_->isVisibleTo(cliente_) != form_.Panel_Normal)
        Panel_Normal_->setVisible(form_.Panel_Normal);

    for (int k = 0; k < kCasillas; ++k) {
        lb_[k]->PonerTexto(form_.TextoCelda(k));
        lb_[k]->PonerAspecto(form_.lb[k], resolver_);
    }
    const int soloLectura = form_.Resolviendo() || form_.Jugando() ? 1 : 0;
    for (int i = 0; i < kSegmentos; ++i) {
        LbN_[i]->PonerTexto(form_.LbN[i].texto);
        LbN_[i]->PonerAspecto(form_.LbN[i].aspecto, resolver_);
        if (form_.T[i] != sumas_[i]) {
            sumas_[i] = form_.T[i];
            T_[i]->PonerTexto(QString::fromStdString(sumas_[i]));
        }
        // No sum is typed under the search, and a click there does not take the keyboard.
        if (soloLectura != soloLectura_) {
            T_[i]->setReadOnly(soloLectura);
            T_[i]->setFocusPolicy(soloLectura ? Qt::NoFocus : Qt::StrongFocus);
        }
    }
    soloLectura_ = soloLectura;
    LbDel_->PonerTexto(form_.LbDel.texto);
    LbDel_->PonerAspecto(form_.LbDel.aspecto, resolver_);
    for (int i = 0; i < 10; ++i) {
        N_[i]->PonerTexto(form_.N[i].texto);
        N_[i]->PonerAspecto(form_.N[i].aspecto, resolver_);
    }

    const Progreso& p = form_.progreso;
    LbM_->PonerTexto(p.TextoMovimientos(separador_));
    LbPor_->PonerTexto(p.TextoPorcentaje());
    if (PBar_->value() != p.barra) PBar_->setValue(p.barra);
    if (PBar_->isVisibleTo(cliente_) != p.barraVisible) PBar_->setVisible(p.barraVisible);

    for (int h = 0; h < kHerramientas; ++h) {
        const bool habilitada = form_.Habilitada(static_cast<Herramienta>(h));
        if (acciones_[h]->isEnabled() != habilitada) acciones_[h]->setEnabled(habilitada);
        if (menuHerramientas_[h]->isEnabled() != habilitada)
            menuHerramientas_[h]->setEnabled(habilitada);
    }
    const bool libre = !form_.Resolviendo();
    for (QAction* a : libres_)
        if (a->isEnabled() != libre) a->setEnabled(libre);
    for (auto [accion, habilitada] :
         {std::pair{deshacer_, form_.PuedeDeshacer()}, {rehacer_, form_.PuedeRehacer()}})
        if (accion->isEnabled() != habilitada) accion->setEnabled(habilitada);
    const bool f7 = libre && !form_.Jugando();
    for (QAction* a : {comprobar_, dificultad_})
        if (a->isEnabled() != f7) a->setEnabled(f7);
    ActualizarJuego();
    if (otraSolucion_->isEnabled() != form_.HayOtraSolucion())
        otraSolucion_->setEnabled(form_.HayOtraSolucion());
    for (int k = 0; k < kCasillas; ++k)
        lb_[k]->PonerMarca(form_.Marcadas[k]);
    if (form_.Cursor != cursor_) {
        if (cursor_ >= 0) lb_[cursor_]->PonerCursor(false);
        cursor_ = form_.Cursor;
        if (cursor_ >= 0) lb_[cursor_]->PonerCursor(true);
    }
    if (std::string estado = form_.TextoEstado(separador_); estado != textoEstado_) {
        textoEstado_ = std::move(estado);
        estado_->setText(QString::fromStdString(textoEstado_));
    }
    for (size_t n = 0; n < opciones_.size(); ++n)
        if (kModos[n] == form_.Opcion && !opciones_[n]->isChecked()) opciones_[n]->setChecked(true);
}

void VentanaQt::ConstruirMenus() {
    const auto herramienta = [this](QMenu* menu, Herramienta h, const char* texto) {
        // The shortcut belongs to the tool; the menu only shows it, written as the tooltip
        // writes it ("Ctrl", not the translated "Control").
        const QString atajo = Atajos()[static_cast<int>(h)].toString(QKeySequence::PortableText);
        QAction* a = menu->addAction(QString::fromUtf8(texto) + QLatin1Char('\t') + atajo);
        connect(a, &QAction::triggered, this, [this, h] { Ejecutar(h); });
        menuHerramientas_[static_cast<int>(h)] = a;
    };
    const auto orden = [this](QMenu* menu, const char* texto,
                              std::initializer_list<QKeySequence> atajos, auto&& hacer) {
        QString t = QString::fromUtf8(texto);
        if (atajos.size() > 0)
            t += QLatin1Char('\t') + atajos.begin()->toString(QKeySequence::PortableText);
        QAction* a = menu->addAction(t);
        a->setShortcuts(QList<QKeySequence>(atajos));
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, std::forward<decltype(hacer)>(hacer));
        return a;
    };

    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    herramienta(archivo, Herramienta::Nuevo, "&Nuevo");
    QAction* aleatorio =
        orden(archivo, "Nuevo a&leatorio…", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
              [this] { NuevoAleatorio(); });
    herramienta(archivo, Herramienta::Abrir, "&Abrir…");
    herramienta(archivo, Herramienta::Guardar, "&Guardar…");
    recientes_ = archivo->addMenu(QStringLiteral("&Recientes"));
    connect(recientes_, &QMenu::aboutToShow, this, &VentanaQt::LlenarRecientes);
    recuperar_ = orden(archivo, "Re&cuperar el último puzzle sin guardar", {},
                       [this] { Atender([&] { form_.RecuperarSinGuardar(); }); });
    connect(archivo, &QMenu::aboutToShow, this, [this] {
        recuperar_->setEnabled(!form_.Resolviendo() && form_.HaySinGuardar());
        recientes_->setEnabled(!form_.Resolviendo());
    });
    archivo->addSeparator();
    // During a solve, as closing the window: the search stops first.
    libres_ = {
        orden(archivo, "&Importar…", {}, [this] { Importar(); }),
        orden(archivo, "&Exportar…", {}, [this] { Exportar(); }),
        orden(archivo, "Exportar i&magen…", {}, [this] { ExportarImagen(); }),
        orden(archivo, "Im&primir…", {QKeySequence(Qt::CTRL | Qt::Key_P)}, [this] { Imprimir(); }),
    };
    archivo->addSeparator();
    orden(archivo, "&Salir", {kSalir}, [this] { close(); });

    QMenu* edicion = menuBar()->addMenu(QStringLiteral("&Edición"));
    deshacer_ =
        orden(edicion, "&Deshacer", {kDeshacer}, [this] { Atender([&] { form_.Deshacer(); }); });
    rehacer_ = orden(edicion, "&Rehacer", {kRehacer, kRehacerOtro},
                     [this] { Atender([&] { form_.Rehacer(); }); });
    edicion->addSeparator();
    // A sum box keeps these keys for its own text.
    libres_.push_back(orden(edicion, "&Copiar", {QKeySequence::Copy}, [this] { Copiar(); }));
    libres_.push_back(orden(edicion, "&Pegar", {QKeySequence::Paste}, [this] { Pegar(); }));

    QMenu* sudoku = menuBar()->addMenu(QStringLiteral("&Sudoku"));
    herramienta(sudoku, Herramienta::Resolver, "&Resolver");
    herramienta(sudoku, Herramienta::Cancelar, "&Cancelar");
    herramienta(sudoku, Herramienta::Vaciar, "&Vaciar");
    comprobar_ = orden(sudoku, "Comprobar solución &única", {kComprobar}, [this] {
        Atender([&] { form_.ComprobarUnica(); });
        // A close asked for during the check waited for it to stop.
        if (form_.CierrePendiente() && !form_.Resolviendo()) close();
    });
    otraSolucion_ =
        orden(sudoku, "&Otra solución", {}, [this] { Atender([&] { form_.OtraSolucion(); }); });
    dificultad_ = orden(sudoku, "&Dificultad…", {QKeySequence(Qt::CTRL | Qt::Key_D)},
                        [this] { MostrarDificultad(); });
    pista_ = orden(sudoku, "&Pista", {QKeySequence(Qt::Key_F8)}, [this] {
        Atender([&] {
            if (form_.Jugando())
                form_.PedirPista();
            else
                form_.DarPista();
        });
        if (form_.CierrePendiente() && !form_.Resolviendo()) close();
    });
    QAction* separador = sudoku->addSeparator();
    herramienta(sudoku, Herramienta::Killer, "&Killer");
    herramienta(sudoku, Herramienta::Normal, "&Normal");

    QMenu* ayuda = menuBar()->addMenu(QStringLiteral("A&yuda"));
    manual_ = orden(ayuda, "&Manual", {QKeySequence(Qt::Key_F1)}, [this] { MostrarManual(); });
    atajos_ = orden(ayuda, "A&tajos de teclado", {}, [this] { MostrarAtajos(); });
    ayuda->addSeparator();
    acercaDe_ = orden(ayuda, "&Acerca de Velmora", {}, [this] { AcercaDe(); });
    pista_->setObjectName(QStringLiteral("Pista"));
    libres_.push_back(aleatorio);
    libres_.push_back(pista_);
    ConstruirJuego(archivo, sudoku, separador);
    libres_.push_back(acercaDe_);

    estado_ = new QLabel(this);
    estado_->setObjectName(QStringLiteral("Estado"));
    statusBar()->addWidget(estado_, 1);
    statusBar()->setSizeGripEnabled(false);
}

void VentanaQt::LlenarRecientes() {
    recientes_->clear();
    const QStringList rutas = form_.Recientes();
    if (rutas.isEmpty()) recientes_->addAction(QStringLiteral("Ninguno"))->setEnabled(false);
    for (int n = 0; n < rutas.size(); ++n) {
        const QString ruta = rutas[n];
        QString texto = QDir::toNativeSeparators(ruta);
        texto.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (n < 9) texto = QStringLiteral("&%1 %2").arg(n + 1).arg(texto);
        connect(recientes_->addAction(texto), &QAction::triggered, this,
                [this, ruta] { Atender([&] { form_.AbrirReciente(ruta); }); });
    }
}

std::vector<VentanaQt::Atajo> VentanaQt::ListaDeAtajos() const {
    std::vector<Atajo> lista;
    const auto anotar = [&](const QAction* a) {
        QStringList teclas;
        for (const QKeySequence& k : a->shortcuts())
            teclas << k.toString(QKeySequence::PortableText);
        if (!teclas.isEmpty())
            lista.push_back({teclas.join(QStringLiteral(", ")), SinAcelerador(a->text())});
    };
    for (const QAction* a : acciones_)
        anotar(a);
    for (const QAction* m : menuBar()->actions())
        if (m->menu())
            for (const QAction* a : m->menu()->actions())
                anotar(a);
    for (const DescripcionTecla& t : kTeclasCuadricula)
        lista.push_back({QString::fromUtf8(t.teclas), QString::fromUtf8(t.accion)});
    return lista;
}

void VentanaQt::MoverCursor(int flecha) {
    cuadricula_->setFocus(Qt::OtherFocusReason);
    Atender([&] {
        form_.MoverCursor(flecha == Qt::Key_Up     ? -1
                          : flecha == Qt::Key_Down ? 1
                                                   : 0,
                          flecha == Qt::Key_Left    ? -1
                          : flecha == Qt::Key_Right ? 1
                                                    : 0);
    });
}

void VentanaQt::keyPressEvent(QKeyEvent* e) {
    // In play the grid's keys enter the game instead of drawing.
    if (form_.Jugando() && !form_.Resolviendo()) {
        if (TeclaDeJuego(e))
            e->accept();
        else
            QMainWindow::keyPressEvent(e);
        return;
    }
    // What no control took: arrows (also Up and Down from a sum box) take the grid.
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier || form_.Resolviendo()) {
        QMainWindow::keyPressEvent(e);
        return;
    }
    const int tecla = e->key();
    std::optional<TeclaCuadricula> t;
    if (tecla == Qt::Key_Left || tecla == Qt::Key_Right || tecla == Qt::Key_Up ||
        tecla == Qt::Key_Down)
        t = TeclaCuadricula::Flechas;
    else if (tecla == Qt::Key_Space)
        t = TeclaCuadricula::Espacio;
    else if (tecla == Qt::Key_Delete)
        t = TeclaCuadricula::Supr;
    else if (tecla >= Qt::Key_1 && tecla <= Qt::Key_9)
        t = TeclaCuadricula::Cifras;
    if (!t) {
        QMainWindow::keyPressEvent(e);
        return;
    }
    switch (*t) {
    case TeclaCuadricula::Flechas:
        MoverCursor(tecla);
        break;
    case TeclaCuadricula::Espacio:
        Atender([&] { form_.PulsarEspacio(); });
        break;
    case TeclaCuadricula::Supr:
        Atender([&] { form_.LiberarCursor(); });
        break;
    case TeclaCuadricula::Cifras:
        Atender([&] { form_.ElegirCifra(tecla - Qt::Key_0); });
        break;
    case TeclaCuadricula::Marcas: // only in play
    case TeclaCuadricula::Retroceso:
        break;
    }
    e->accept();
}

void VentanaQt::AcercaDe() {
    QMessageBox::about(this, QStringLiteral("Acerca de Velmora"),
                       QStringLiteral("Velmora %1\n\nDibuja, comprueba y resuelve sudokus Killer y "
                                      "clásicos.\n\nSoftware propietario; todos los derechos "
                                      "reservados.")
                           .arg(QStringLiteral(VELMORA_VERSION)));
}

void VentanaQt::Olvidar() {
    for (const ColorFijo& c : colores_)
        PonerColor(c.widget, c.rol, Resolver(c.color));
    for (auto& [r, aspecto] : fijos_) {
        r->Olvidar();
        r->PonerAspecto(aspecto, resolver_);
    }
    Actualizar();
}

bool VentanaQt::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::WindowActivate:
        // Only the first activation runs the start-up; dialogs and message boxes closing later
        // activate the window again.
        if (!activada_) {
            activada_ = true;
            const bool r = QMainWindow::event(e);
            form_.Form_Activate();
            form_.VentanaActiva(true);
            form_.AnotarCambio();
            if (!alEmpezar_.isEmpty()) Atender([&] { form_.AbrirRuta(alEmpezar_); });
            // After the file given: the note lasts until the user's first change.
            form_.AvisarSinGuardar();
            Actualizar();
            return r;
        }
        break;
    case QEvent::PaletteChange:
        if (cliente_) {
            const bool r = QMainWindow::event(e);
            Olvidar();
            return r;
        }
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

void VentanaQt::closeEvent(QCloseEvent* e) {
    // During a solve the search is told to stop; the window closes once it has (Ejecutar).
    if (form_.PuedeCerrar()) {
        form_.GuardarAlCerrar();
        e->accept();
        return;
    }
    e->ignore();
    Actualizar();
}

} // namespace velmora
