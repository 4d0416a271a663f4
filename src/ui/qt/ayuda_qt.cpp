// Help: the bundled manual and the list of keys, each in a window of its own beside the main
// one, without a browser.

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/qt/ventana_qt.h"

namespace velmora {

namespace {

// A window holding one text browser; shown again (and raised) when it exists.
QTextBrowser* Ventana(QWidget*& ventana, QWidget* padre, const QString& titulo,
                      const QString& nombre, QSize tamano) {
    if (!ventana) {
        ventana = new QWidget(padre, Qt::Window);
        ventana->setObjectName(nombre);
        ventana->setWindowTitle(titulo);
        auto* texto = new QTextBrowser(ventana);
        texto->setObjectName(QStringLiteral("texto"));
        texto->setOpenExternalLinks(true);
        auto* capa = new QVBoxLayout(ventana);
        capa->setContentsMargins(0, 0, 0, 0);
        capa->addWidget(texto);
        ventana->resize(tamano);
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return ventana->findChild<QTextBrowser*>(QStringLiteral("texto"));
}

} // namespace

void VentanaQt::MostrarManual() {
    QTextBrowser* t = Ventana(ventanaManual_, this, QStringLiteral("Manual de Velmora"),
                              QStringLiteral("Manual"), QSize(680, 600));
    if (t->source().isEmpty()) t->setSource(QUrl(QStringLiteral("qrc:/ayuda/manual.html")));
}

void VentanaQt::MostrarAtajos() {
    QTextBrowser* t = Ventana(ventanaAtajos_, this, QStringLiteral("Atajos de teclado"),
                              QStringLiteral("Atajos"), QSize(560, 480));
    QString html = QStringLiteral("<table cellspacing='0' cellpadding='4'>");
    for (const Atajo& a : ListaDeAtajos())
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(a.teclas.toHtmlEscaped(), a.accion.toHtmlEscaped());
    t->setHtml(html + QStringLiteral("</table>"));
}

} // namespace velmora
