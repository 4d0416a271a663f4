#include "ui/qt/guion.h"

#include <QLineEdit>

namespace velmora {

void PlataformaGuion::ProcesarEventos() {
    const int antes = Pasadas();
    PlataformaQt::ProcesarEventos();
    if (Pasadas() != antes && alPasar) alPasar();
}

void PlataformaGuion::Presentar(QMessageBox& caja) {
    mensajes.push_back({caja.text(), caja.windowTitle(), caja.icon(), caja.standardButtons()});
    if (alPresentar) alPresentar();
    if (mensajesReales) PlataformaQt::Presentar(caja);
}

bool PlataformaGuion::Presentar(QFileDialog& d) {
    dialogos.push_back({d.windowTitle(), d.directory().absolutePath(), d.defaultSuffix(),
                        d.selectedNameFilter(), d.nameFilters(), d.acceptMode()});
    if (alPresentar) alPresentar();
    if (!tecleado.isEmpty()) {
        d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(tecleado);
        return true;
    }
    if (fichero.isEmpty()) return false;
    d.selectFile(fichero);
    return true;
}

} // namespace velmora
