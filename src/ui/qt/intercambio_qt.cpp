// The window's interchange: import and export dialogs, the clipboard, files dropped on the
// window, printing and image export.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTextCursor>
#include <QVBoxLayout>

#include "render/dibujo.h"
#include "ui/lugares.h"
#include "ui/qt/plataforma_qt.h"
#include "ui/qt/ventana_qt.h"

namespace velmora {

namespace {

QString Texto(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString PedirTexto(QWidget* padre, const QString& titulo, bool guardar, const QString& filtro,
                   const QString& sufijo) {
    QFileDialog d(padre, titulo);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setNameFilters(filtro.split(QStringLiteral(";;")));
    d.setDefaultSuffix(sufijo);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first()
                                                                         : QString();
}

const QString kFiltroTexto = QStringLiteral("Archivos de texto (*.txt);;Todos los archivos (*)");

} // namespace

void VentanaQt::Importar() {
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("Importar"));
    auto* caja = new QPlainTextEdit(&d);
    caja->setObjectName(QStringLiteral("texto"));
    // A refused text stays in the dialog, with the reason under it.
    auto* error = new QLabel(&d);
    error->setObjectName(QStringLiteral("error"));
    error->setWordWrap(true);
    error->setTextFormat(Qt::PlainText);
    error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    error->hide();
    auto* fichero = new QPushButton(QStringLiteral("Abrir fichero…"), &d);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    auto* capa = new QVBoxLayout(&d);
    capa->addWidget(new QLabel(QStringLiteral("Pegue el sudoku en cualquiera de los formatos de "
                                              "texto (línea clásica, cadenas Killer, f-puzzles):"),
                               &d));
    capa->addWidget(caja);
    capa->addWidget(error);
    capa->addWidget(fichero);
    capa->addWidget(botones);
    connect(fichero, &QPushButton::clicked, &d, [&] {
        const QString ruta = PedirTexto(&d, QStringLiteral("Importar de un fichero"), false,
                                        kFiltroTexto, QString());
        QFile f(ruta);
        if (!ruta.isEmpty() && QFileInfo(ruta).isFile() && f.open(QIODevice::ReadOnly))
            caja->setPlainText(QString::fromUtf8(f.read(kTamanoMaximoTexto)));
    });
    connect(botones, &QDialogButtonBox::accepted, &d, [&] {
        const QByteArray texto = caja->toPlainText().toUtf8();
        const std::string_view t(texto.constData(), static_cast<size_t>(texto.size()));
        std::optional<Mensaje> m;
        Atender([&] { m = form_.ProbarTexto(t); });
        if (!m) {
            d.accept();
            return;
        }
        error->setText(Texto(m->titulo) + QStringLiteral(": ") + Texto(m->texto));
        error->show();
        // The place the message names, selected in the text.
        if (const auto tramo = TramoNombrado(m->texto, t)) {
            const auto desde = [&](size_t bytes) {
                return static_cast<int>(
                    QString::fromUtf8(texto.constData(), static_cast<qsizetype>(bytes)).size());
            };
            QTextCursor c = caja->textCursor();
            c.setPosition(desde(tramo->inicio));
            c.setPosition(desde(tramo->inicio + tramo->largo), QTextCursor::KeepAnchor);
            caja->setTextCursor(c);
        }
        caja->setFocus(Qt::OtherFocusReason);
    });
    connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    d.resize(560, 320);
    d.exec();
    // Without a window manager nobody hands the keyboard back (as after a message box).
    activateWindow();
}

void VentanaQt::Exportar() {
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("Exportar"));
    auto* formatos = new QComboBox(&d);
    for (const Formato f : kFormatos)
        formatos->addItem(Texto(DescripcionFormato(f)));
    formatos->setCurrentIndex(
        static_cast<int>(form_.Tab.ModoKiller ? Formato::KillerCorto : Formato::Clasico));
    auto* caja = new QPlainTextEdit(&d);
    caja->setReadOnly(true);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, &d);
    QPushButton* copiar =
        botones->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
    QPushButton* guardar =
        botones->addButton(QStringLiteral("Guardar…"), QDialogButtonBox::ActionRole);
    auto* capa = new QVBoxLayout(&d);
    capa->addWidget(formatos);
    capa->addWidget(caja);
    capa->addWidget(botones);

    QString texto; // empty when the puzzle cannot be written in the format
    const auto mostrar = [&] {
        const Resultado<std::string> r = form_.Exportar(kFormatos[formatos->currentIndex()]);
        texto = r ? Texto(*r) : QString();
        caja->setPlainText(
            r ? texto : Texto(r.error().titulo) + QStringLiteral(": ") + Texto(r.error().texto));
        copiar->setEnabled(static_cast<bool>(r));
        guardar->setEnabled(static_cast<bool>(r));
    };
    mostrar();
    connect(formatos, &QComboBox::currentIndexChanged, &d, mostrar);
    connect(copiar, &QPushButton::clicked, &d, [&] { QApplication::clipboard()->setText(texto); });
    connect(guardar, &QPushButton::clicked, &d, [&] {
        const QString ruta = PedirTexto(&d, QStringLiteral("Exportar a un fichero"), true,
                                        kFiltroTexto, QStringLiteral("txt"));
        if (ruta.isEmpty()) return;
        QSaveFile f(ruta);
        const QByteArray datos = texto.toUtf8();
        if (f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size() && f.flush() &&
            f.commit())
            return;
        plataforma_.MostrarMensaje(kTextoErrorExportar, kTituloExportar, Icono::Exclamacion);
    });
    connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    d.resize(560, 320);
    d.exec();
}

void VentanaQt::Copiar() {
    const auto copia = form_.Copiar();
    if (!copia) {
        Actualizar();
        return;
    }
    auto* datos = new QMimeData;
    datos->setText(Texto(copia->texto));
    if (!copia->enlace.empty()) datos->setUrls({QUrl(Texto(copia->enlace))});
    QApplication::clipboard()->setMimeData(datos);
}

void VentanaQt::Pegar() {
    const QByteArray texto = QApplication::clipboard()->text().toUtf8();
    Atender([&] { form_.ImportarTexto(std::string_view(texto.constData(), texto.size())); });
}

void VentanaQt::ExportarImagen() {
    QFileDialog d(this, QStringLiteral("Exportar imagen"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filtros = {QStringLiteral("Archivos PDF (*.pdf)"),
                                 QStringLiteral("Archivos PNG (*.png)"),
                                 QStringLiteral("Archivos SVG (*.svg)")};
    d.setNameFilters(filtros);
    d.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&d, &QFileDialog::filterSelected, &d, [&](const QString& f) {
        d.setDefaultSuffix(f.mid(f.indexOf(QLatin1Char('.')) + 1).chopped(1));
    });
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    const QString ruta = d.selectedFiles().first();
    const auto formato = FormatoDe(ruta);
    int lado = kLadoPng;
    if (formato == FormatoImagen::Png) {
        bool ok = false;
        lado = QInputDialog::getInt(this, QStringLiteral("Exportar imagen"),
                                    QStringLiteral("Lado de la imagen en píxeles:"), kLadoPng,
                                    kLadoMinimo, kLadoMaximo, 50, &ok);
        if (!ok) return;
    }
    const auto solucion = form_.SolucionMostrada();
    if (!formato || !GuardarImagen(ruta, *formato, form_.LeerEnunciado(),
                                   solucion ? &*solucion : nullptr, lado))
        plataforma_.MostrarMensaje(kTextoErrorExportar, kTituloExportar, Icono::Exclamacion);
}

void VentanaQt::Imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog d(&impresora, this);
    d.setWindowTitle(QStringLiteral("Imprimir"));
    if (d.exec() != QDialog::Accepted) return;
    const auto solucion = form_.SolucionMostrada();
    DibujarPagina(impresora, form_.LeerEnunciado(), solucion ? &*solucion : nullptr);
}

void VentanaQt::dragEnterEvent(QDragEnterEvent* e) {
    if (!form_.Resolviendo() && e->mimeData()->hasUrls() &&
        e->mimeData()->urls().first().isLocalFile())
        e->acceptProposedAction();
}

void VentanaQt::dropEvent(QDropEvent* e) {
    if (form_.Resolviendo() || !e->mimeData()->hasUrls()) return;
    const QUrl url = e->mimeData()->urls().first();
    if (!url.isLocalFile()) return;
    e->acceptProposedAction();
    Atender([&] { form_.AbrirRuta(url.toLocalFile()); });
}

} // namespace velmora
