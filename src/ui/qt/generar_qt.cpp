// "Archivo > Nuevo aleatorio…": the type, the level and, for a classic, the symmetry of the
// givens; the puzzle is then made off the window's thread by Form1::NuevoAleatorio.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QStandardItemModel>
#include <random>

#include "ui/qt/ventana_qt.h"

namespace velmora {

void VentanaQt::NuevoAleatorio() {
    // The last choice, offered again while the program runs.
    static Form1::PeticionAleatoria ultima;
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("Nuevo aleatorio"));
    auto* killer = new QRadioButton(QStringLiteral("&Killer"), &d);
    killer->setObjectName(QStringLiteral("killer"));
    auto* normal = new QRadioButton(QStringLiteral("&Normal"), &d);
    normal->setObjectName(QStringLiteral("normal"));
    (ultima.killer ? killer : normal)->setChecked(true);
    auto* nivel = new QComboBox(&d);
    nivel->setObjectName(QStringLiteral("nivel"));
    for (int n = 0; n < kNiveles; ++n) {
        const std::string_view nombre = NombreNivel(static_cast<Nivel>(n));
        nivel->addItem(QString::fromUtf8(nombre.data(), static_cast<qsizetype>(nombre.size())));
    }
    nivel->setCurrentIndex(static_cast<int>(ultima.nivel));
    auto* simetria = new QCheckBox(QStringLiteral("&Simétrico (giro de 180°)"), &d);
    simetria->setObjectName(QStringLiteral("simetria"));
    simetria->setChecked(ultima.simetria);
    simetria->setEnabled(!ultima.killer);
    connect(normal, &QRadioButton::toggled, simetria, &QWidget::setEnabled);
    // A classic that only a guess solves is too rare for the generator to find.
    const auto clasico = [nivel](bool si) {
        constexpr int kPrueba = static_cast<int>(Nivel::PruebaYError);
        qobject_cast<QStandardItemModel*>(nivel->model())->item(kPrueba)->setEnabled(!si);
        if (si && nivel->currentIndex() == kPrueba) nivel->setCurrentIndex(kPrueba - 1);
    };
    clasico(!ultima.killer);
    connect(normal, &QRadioButton::toggled, &d, clasico);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(killer);
    tipo->addWidget(normal);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    connect(botones, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    auto* capa = new QFormLayout(&d);
    capa->addRow(QStringLiteral("Tipo:"), tipo);
    capa->addRow(QStringLiteral("&Dificultad:"), nivel);
    capa->addRow(simetria);
    capa->addRow(botones);
    const bool aceptado = d.exec() == QDialog::Accepted;
    // Without a window manager nobody hands the keyboard back (as after a message box).
    activateWindow();
    if (!aceptado) return;
    ultima.killer = killer->isChecked();
    ultima.nivel = static_cast<Nivel>(nivel->currentIndex());
    ultima.simetria = simetria->isChecked();
    Form1::PeticionAleatoria p = ultima;
    std::random_device azar;
    p.semilla = (static_cast<uint64_t>(azar()) << 32) ^ azar();
    Atender([&] { form_.NuevoAleatorio(p); });
    // A close asked for while generating waited for it to stop.
    if (form_.CierrePendiente() && !form_.Resolviendo()) close();
}

} // namespace velmora
