// "Dificultad…": a panel beside the window with the grade and the steps of the last grading;
// picking a step outlines its cells and cages on the grid and shows its sentence.

#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/ventana_qt.h"

namespace velmora {

void VentanaQt::MostrarDificultad() {
    Atender([&] { form_.Calificar(); });
    if (form_.CierrePendiente() && !form_.Resolviendo()) {
        close();
        return;
    }
    const auto& cal = form_.UltimaCalificacion();
    if (!cal) return;
    if (!panelDificultad_) {
        panelDificultad_ = new QWidget(this, Qt::Window);
        panelDificultad_->setObjectName(QStringLiteral("Dificultad"));
        panelDificultad_->setWindowTitle(QStringLiteral("Dificultad"));
        auto* capa = new QVBoxLayout(panelDificultad_);
        gradoDificultad_ = new QLabel(panelDificultad_);
        gradoDificultad_->setObjectName(QStringLiteral("grado"));
        gradoDificultad_->setWordWrap(true);
        pasosDificultad_ = new QListWidget(panelDificultad_);
        pasosDificultad_->setObjectName(QStringLiteral("pasos"));
        pasosDificultad_->setWordWrap(true);
        pasosDificultad_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fraseDificultad_ = new QLabel(panelDificultad_);
        fraseDificultad_->setObjectName(QStringLiteral("frase"));
        fraseDificultad_->setWordWrap(true);
        fraseDificultad_->setMinimumHeight(48);
        fraseDificultad_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        capa->addWidget(gradoDificultad_);
        capa->addWidget(pasosDificultad_, 1);
        capa->addWidget(fraseDificultad_);
        connect(pasosDificultad_, &QListWidget::currentRowChanged, this, [this](int fila) {
            const auto& c = form_.UltimaCalificacion();
            const bool hay = c && fila >= 0 && fila < static_cast<int>(c->pasos.size());
            fraseDificultad_->setText(hay ? QString::fromStdString(c->pasos[fila].frase)
                                          : QString());
            Atender([&] { form_.ResaltarPaso(fila); });
        });
        panelDificultad_->resize(460, height());
        // Beside the window, as far as the screen allows.
        QPoint donde = frameGeometry().topRight() + QPoint(8, 0);
        if (screen()) {
            const QRect pantalla = screen()->availableGeometry();
            donde.setX(std::max(pantalla.left(),
                                std::min(donde.x(), pantalla.right() - panelDificultad_->width())));
        }
        panelDificultad_->move(donde);
    }
    QString grado = QString::fromStdString(form_.TextoCalificacion()) +
                    QStringLiteral("\nTécnica más difícil: %1")
                        .arg(QString::fromUtf8(NombreTecnica(cal->masDificil).data(),
                                               NombreTecnica(cal->masDificil).size()));
    if (!cal->resuelto) grado += QStringLiteral("\nLa lógica se detiene antes del final.");
    gradoDificultad_->setText(grado);
    const QSignalBlocker sinSenales(pasosDificultad_);
    pasosDificultad_->clear();
    for (size_t i = 0; i < cal->pasos.size(); ++i)
        pasosDificultad_->addItem(
            QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromStdString(cal->pasos[i].frase)));
    fraseDificultad_->clear();
    panelDificultad_->show();
    panelDificultad_->raise();
}

} // namespace velmora
