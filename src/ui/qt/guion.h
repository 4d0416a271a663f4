#pragma once
// The window's platform with its modal steps answered by a script, for the tests, tools and
// benchmarks that drive the window without a user: the file dialogs answer a name, message
// boxes are recorded (and shown for real when asked), and the remembered folder lives in a
// temporary folder.

#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "ui/qt/plataforma_qt.h"

namespace velmora {

class PlataformaGuion : public PlataformaQt {
public:
    struct MensajeMostrado {
        QString texto, titulo;
        QMessageBox::Icon icono;
        QMessageBox::StandardButtons botones;
    };
    struct DialogoMostrado {
        QString titulo, carpeta, sufijo, filtroElegido;
        QStringList filtros;
        QFileDialog::AcceptMode modo;
    };

    std::vector<MensajeMostrado> mensajes;
    std::vector<DialogoMostrado> dialogos;
    QString fichero;  // what the next file dialog answers; empty: cancel
    QString tecleado; // or the name typed into it
    bool mensajesReales = false;
    QTemporaryDir carpeta;
    std::function<void()> alPresentar; // sees the window as it is behind a box
    std::function<void()> alPasar;     // after every pass that ran the event loop

    QString CarpetaPrograma() override { return carpeta.path(); }
    QString CarpetaConfiguracion() override { return carpeta.path(); }
    void ProcesarEventos() override;

protected:
    void Presentar(QMessageBox& caja) override;
    bool Presentar(QFileDialog& d) override;
};

} // namespace velmora
