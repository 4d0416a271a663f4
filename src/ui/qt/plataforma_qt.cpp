#include "ui/qt/plataforma_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

#include "model/paralela.h"
#include "ui/disposicion.h"
#include "ui/qt/ventana_qt.h"

namespace velmora {

namespace {

QString Texto(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Twips EnTwips(QSize s) {
    return {s.width() * kTwipsPorPixel, s.height() * kTwipsPorPixel};
}

} // namespace

PlataformaQt::PlataformaQt(int saltos, int intervaloMs)
    : PlataformaVentana(saltos, TrabajadoresPorDefecto()), intervalo_(intervaloMs) {
    reloj_.start();
}

void PlataformaQt::ProcesarEventos() {
    const qint64 inicio = reloj_.nsecsElapsed();
    if (inicio / 1000000 - ultimaPasada_ < intervalo_) return;
    ++pasadas_;
    if (ventana_) ventana_->Actualizar();
    QCoreApplication::processEvents();
    // Counted from the end of the pass, so that a slow repaint still leaves the search its time.
    const qint64 fin = reloj_.nsecsElapsed();
    nanosEnPasadas_ += fin - inicio;
    ultimaPasada_ = fin / 1000000;
}

namespace {

QMessageBox::Icon IconoQt(Icono icono) {
    return icono == Icono::Informacion   ? QMessageBox::Information
           : icono == Icono::Exclamacion ? QMessageBox::Warning
                                         : QMessageBox::Critical;
}

} // namespace

void PlataformaQt::MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) {
    QMessageBox caja(IconoQt(icono), Texto(titulo), Texto(texto), QMessageBox::Ok, ventana_);
    caja.setTextFormat(Qt::PlainText);
    MostrarEstado();
    Presentar(caja);
}

bool PlataformaQt::MostrarMensajeCon(const Mensaje& m, std::string_view boton) {
    QMessageBox caja(IconoQt(m.icono), Texto(m.titulo), Texto(m.texto), QMessageBox::Ok, ventana_);
    caja.setTextFormat(Qt::PlainText);
    const QPushButton* otro = caja.addButton(Texto(boton), QMessageBox::ActionRole);
    MostrarEstado();
    Presentar(caja);
    return caja.clickedButton() == otro;
}

void PlataformaQt::Presentar(QMessageBox& caja) {
    caja.exec();
    Reactivar();
}

QStringList PlataformaQt::FiltrosQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QStringList patrones = partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patrones)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        filtros << QStringLiteral("%1 (%2)").arg(partes[i], patrones.join(QLatin1Char(' ')));
    }
    return filtros;
}

std::optional<Eleccion> PlataformaQt::PedirFichero(const Dialogo& d) {
    QFileDialog dialogo(ventana_, d.titulo, d.carpeta);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(d.guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(d.guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filtros = FiltrosQt(d.filtro);
    dialogo.setNameFilters(filtros);
    if (!filtros.isEmpty()) dialogo.selectNameFilter(filtros.first());
    dialogo.setDefaultSuffix(d.extension);
    if (!d.nombre.isEmpty()) dialogo.selectFile(d.nombre);
    MostrarEstado();
    if (!Presentar(dialogo)) return std::nullopt;
    // Qt's dialog reads a typed name with double quotes as a list of names and picks one of
    // them; the name is taken as typed instead, relative to the folder shown.
    const auto* nombre = dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (nombre && nombre->text().contains(QLatin1Char('"'))) {
        QString ruta = QDir(dialogo.directory()).absoluteFilePath(nombre->text());
        if (d.guardar && QFileInfo(ruta).suffix().isEmpty()) ruta += QLatin1Char('.') + d.extension;
        return Eleccion{ruta, QFileInfo(ruta).fileName()};
    }
    const QStringList elegidos = dialogo.selectedFiles();
    if (elegidos.isEmpty()) return std::nullopt;
    return Eleccion{elegidos.first(), QFileInfo(elegidos.first()).fileName()};
}

void PlataformaQt::MostrarEstado() {
    // A handler may open a box half-way: the window behind it shows the state of that moment.
    if (ventana_) ventana_->Actualizar();
}

bool PlataformaQt::Presentar(QFileDialog& dialogo) {
    const bool aceptado = dialogo.exec() == QDialog::Accepted;
    Reactivar();
    return aceptado;
}

void PlataformaQt::Reactivar() {
    // Without a window manager nobody hands the keyboard back to the window once a modal box
    // has gone; with one, the window is active already and this changes nothing.
    if (ventana_) ventana_->activateWindow();
}

void PlataformaQt::EnfocarSuma(int i) {
    if (ventana_) ventana_->T(i)->setFocus(Qt::OtherFocusReason);
}

void PlataformaQt::SeleccionarSuma(int i) {
    if (ventana_) ventana_->T(i)->selectAll();
}

Twips PlataformaQt::TamanoPantalla() {
    const QScreen* pantalla = ventana_ ? ventana_->screen() : nullptr;
    if (!pantalla) pantalla = QGuiApplication::primaryScreen();
    return pantalla ? EnTwips(pantalla->geometry().size()) : Twips{0, 0};
}

Twips PlataformaQt::TamanoVentana() {
    return ventana_ ? EnTwips(ventana_->frameGeometry().size()) : Twips{0, 0};
}

void PlataformaQt::MoverVentana(Twips posicion) {
    if (ventana_) ventana_->move(posicion.x / kTwipsPorPixel, posicion.y / kTwipsPorPixel);
}

QString PlataformaQt::CarpetaPrograma() {
    return QCoreApplication::applicationDirPath();
}

QString PlataformaQt::CarpetaConfiguracion() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace velmora
