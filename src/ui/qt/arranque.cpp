#include "ui/qt/arranque.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cmath>

namespace velmora {

void PantallaVirtualPorDefecto() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

void PrepararAplicacion(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("velmora"));
    auto* traductor = new QTranslator(&app);
    if (traductor->load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traductor);

    // Tahoma and MS Sans Serif are narrower than Verdana: the condensed face keeps their captions
    // inside the same boxes.
    const QString condensada = QStringLiteral("DejaVu Sans Condensed");
    const QString ancha = QStringLiteral("DejaVu Sans");
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {condensada, ancha});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {condensada, ancha});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), condensada, ancha});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {ancha});
}

QFont FuenteQt(const Fuente& f) {
    QFont q(QString::fromUtf8(f.cara.data(), static_cast<qsizetype>(f.cara.size())));
    q.setPixelSize(static_cast<int>(std::lround(f.puntos * 96 / 72)));
    q.setBold(f.negrita);
    return q;
}

} // namespace velmora
