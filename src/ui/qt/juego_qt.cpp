// Play in the window: its commands in the menus, its keys, and the clock in the status bar.

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "ui/qt/plataforma_qt.h"
#include "ui/qt/ventana_qt.h"

namespace velmora {

namespace {

QAction* Orden(QMenu* menu, QAction* antesDe, const char* nombre, const char* texto,
               const QKeySequence& atajo = {}) {
    QString t = QString::fromUtf8(texto);
    if (!atajo.isEmpty()) t += QLatin1Char('\t') + atajo.toString(QKeySequence::PortableText);
    auto* a = new QAction(t, menu);
    a->setObjectName(QString::fromUtf8(nombre));
    if (!atajo.isEmpty()) a->setShortcut(atajo);
    a->setShortcutContext(Qt::WindowShortcut);
    menu->insertAction(antesDe, a);
    return a;
}

// A digit key: 1-9 on the main keys or the keypad; with Shift, the layout may give a symbol,
// so the top row's key position (X11/xkb key codes 10-18) says which digit it was.
int CifraDe(const QKeyEvent* e) {
    if (e->key() >= Qt::Key_1 && e->key() <= Qt::Key_9) return e->key() - Qt::Key_0;
    const quint32 codigo = e->nativeScanCode();
    if ((e->modifiers() & Qt::ShiftModifier) && codigo >= 10 && codigo <= 18)
        return static_cast<int>(codigo) - 9;
    return 0;
}

} // namespace

void VentanaQt::ConstruirJuego(QMenu* archivo, QMenu* sudoku, QAction* antesDe) {
    QAction* continuar = Orden(archivo, recuperar_, "ContinuarPartida", "Con&tinuar partida");
    connect(continuar, &QAction::triggered, this,
            [this] { Atender([&] { form_.ContinuarPartida(); }); });
    fueraDeJuego_.push_back(continuar);

    sudoku->insertSeparator(antesDe);
    QAction* jugar = Orden(sudoku, antesDe, "Jugar", "&Jugar", QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(jugar, &QAction::triggered, this, [this] {
        Atender([&] { form_.Jugar(); });
        if (form_.CierrePendiente() && !form_.Resolviendo()) close();
    });
    fueraDeJuego_.push_back(jugar);
    const auto deJuego = [&](const char* nombre, const char* texto, const QKeySequence& atajo,
                             auto&& hacer) {
        QAction* a = Orden(sudoku, antesDe, nombre, texto, atajo);
        connect(a, &QAction::triggered, this, [this, hacer] { Atender([&] { hacer(); }); });
        deJuego_.push_back(a);
        return a;
    };
    deJuego("DejarDeJugar", "&Dejar de jugar", {}, [this] { form_.DejarDeJugar(); });
    lapiz_ = deJuego("Lapiz", "&Lápiz", QKeySequence(Qt::Key_L), [this] { form_.AlternarLapiz(); });
    lapiz_->setCheckable(true);
    deJuego("Candidatos", "Candidatos &automáticos", QKeySequence(Qt::Key_C),
            [this] { form_.PonerCandidatos(); });
    deJuego("ComprobarJuego", "Co&mprobar", QKeySequence(Qt::CTRL | Qt::Key_K),
            [this] { form_.ComprobarJuego(); });
    pausa_ = deJuego("Pausa", "Pa&usa", QKeySequence(Qt::Key_P), [this] { form_.AlternarPausa(); });
    pausa_->setCheckable(true);

    // The helps: switchable at any time, remembered.
    QMenu* ayudas = new QMenu(QStringLiteral("A&yudas al jugar"), sudoku);
    sudoku->insertMenu(antesDe, ayudas);
    const std::array<std::pair<const char*, bool Form1::Ayudas::*>, 3> kAyudas = {{
        {"Cifras repetidas en &rojo", &Form1::Ayudas::choques},
        {"&Jaulas erróneas en rojo", &Form1::Ayudas::jaulas},
        {"&Cuentas de la jaula en la barra de estado", &Form1::Ayudas::cuentas},
    }};
    for (size_t n = 0; n < kAyudas.size(); ++n) {
        QAction* a = ayudas->addAction(QString::fromUtf8(kAyudas[n].first));
        a->setCheckable(true);
        const auto campo = kAyudas[n].second;
        connect(a, &QAction::triggered, this, [this, campo](bool activa) {
            Form1::Ayudas nuevas = form_.AyudasJuego();
            nuevas.*campo = activa;
            Atender([&] { form_.CambiarAyudas(nuevas); });
        });
        ayudas_[n] = a;
    }
    connect(ayudas, &QMenu::aboutToShow, this, [this, kAyudas] {
        form_.CambiarAyudas(form_.AyudasJuego()); // reads velmora.ini the first time
        for (size_t n = 0; n < kAyudas.size(); ++n)
            ayudas_[n]->setChecked(form_.AyudasJuego().*kAyudas[n].second);
    });

    // The clock's text moves on once a second; a quarter keeps it within one.
    reloj_ = new QTimer(this);
    reloj_->setInterval(250);
    connect(reloj_, &QTimer::timeout, this, [this] { Actualizar(); });
}

void VentanaQt::ActualizarJuego() {
    const bool jugando = form_.Jugando(), libre = !form_.Resolviendo();
    for (QAction* a : deJuego_)
        if (a->isEnabled() != (jugando && libre)) a->setEnabled(jugando && libre);
    for (QAction* a : fueraDeJuego_)
        if (a->isEnabled() != (!jugando && libre)) a->setEnabled(!jugando && libre);
    if (lapiz_->isChecked() != form_.Lapiz()) lapiz_->setChecked(form_.Lapiz());
    if (pausa_->isChecked() != form_.EnPausa()) pausa_->setChecked(form_.EnPausa());
    const bool corre = jugando && !form_.JuegoTerminado();
    if (corre != reloj_->isActive()) corre ? reloj_->start() : reloj_->stop();
    // A sum box keeps no keyboard in play: the digits are the grid's.
    if (jugando && dynamic_cast<CajaSuma*>(QApplication::focusWidget()))
        Cuadricula()->setFocus(Qt::OtherFocusReason);
    const auto vistas = form_.Vistas();
    for (int k = 0; k < kCasillas; ++k)
        lb(k)->PonerJuego(vistas[k]);
}

bool VentanaQt::TeclaDeJuego(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) return false;
    const int tecla = e->key();
    if (const int d = CifraDe(e); d != 0) {
        Atender([&] { form_.JugarCifra(d, mods == Qt::ShiftModifier); });
        return true;
    }
    if (mods != Qt::NoModifier) return false;
    switch (tecla) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        MoverCursor(tecla);
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        Atender([&] { form_.BorrarJugada(); });
        return true;
    default:
        return false;
    }
}

void VentanaQt::changeEvent(QEvent* e) {
    if (e->type() == QEvent::WindowStateChange || e->type() == QEvent::ActivationChange) {
        // No active window of this program: the user is in another one.
        form_.VentanaActiva(isActiveWindow() && !isMinimized(),
                            isMinimized() || !QApplication::activeWindow());
        Actualizar();
    }
    QMainWindow::changeEvent(e);
}

} // namespace velmora
