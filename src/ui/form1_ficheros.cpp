// Opening and saving puzzle files through the file dialogs.

#include <QFileInfo>
#include <QSaveFile>

#include "files/carpeta.h"
#include "files/puzzle_xml.h"
#include "formats/formatos.h"
#include "ui/form1.h"

namespace velmora {

namespace {

Dialogo Preparar(bool guardar, const CarpetaRecordada& carpeta) {
    return {guardar,
            guardar ? QStringLiteral("Guardar Fichero") : QStringLiteral("Abrir Fichero Sudoku"),
            QString::fromUtf8(kFiltroFicheros.data(), kFiltroFicheros.size()),
            QStringLiteral("xml"),
            carpeta.CarpetaInicial(),
            QString()};
}

} // namespace

CarpetaRecordada Form1::Carpeta() {
    return {plataforma_.CarpetaPrograma(), plataforma_.CarpetaConfiguracion()};
}

void Form1::AbrirFichero() {
    const CarpetaRecordada carpeta = Carpeta();
    const std::optional<Eleccion> eleccion = plataforma_.PedirFichero(Preparar(false, carpeta));
    if (!eleccion) return;
    plataforma_.ProcesarEventos();
    Abrir(*eleccion);
}

void Form1::Abrir(const Eleccion& eleccion) {
    const Apertura a = AbrirPuzzle(eleccion.ruta);
    if (a.legible) {
        Carpeta().GuardarCarpeta(eleccion.ruta, eleccion.titulo);
        PintarEnunciado(a.enunciado);
        if (a.completo) {
            EnFichero(eleccion.ruta, false);
            return;
        }
    }
    plataforma_.MostrarMensaje(kTextoErrorAbrir, kTituloFichero, Icono::Exclamacion);
}

void Form1::AbrirRuta(const QString& ruta) {
    const QFileInfo info(ruta);
    QFile f(ruta);
    // Only regular files: a pipe would wait for a writer forever.
    const QByteArray texto = info.isFile() && f.open(QIODevice::ReadOnly)
                                 ? f.read(static_cast<qint64>(kTamanoMaximoTexto) + 1)
                                 : QByteArray();
    const auto formato = DetectarFormato(std::string_view(texto.constData(), texto.size()));
    if (texto.isEmpty() || !formato || *formato == Formato::Xml) {
        Abrir({info.absoluteFilePath(), info.fileName()});
        return;
    }
    if (ImportarTexto(std::string_view(texto.constData(), texto.size()))) EnFichero(ruta, false);
}

void Form1::GuardarFichero() {
    VaciarCuadricula();
    if (!Validar()) return;
    const CarpetaRecordada carpeta = Carpeta();
    const std::optional<Eleccion> eleccion = plataforma_.PedirFichero(Preparar(true, carpeta));
    if (!eleccion) return;
    plataforma_.ProcesarEventos();

    // Written beside the target and then put in its place: a failed save leaves an earlier
    // file of that name as it was.
    QSaveFile f(eleccion->ruta);
    if (f.open(QIODevice::WriteOnly)) {
        carpeta.GuardarCarpeta(eleccion->ruta, eleccion->titulo);
        const QByteArray texto = TextoPuzzle(Tab);
        // commit() alone misses a write error left in the buffer (a full disk) and would put
        // the truncated file in place; flush() reports it, and the unflushed copy is dropped.
        if (f.write(texto) == texto.size() && f.flush() && f.commit()) {
            EnFichero(eleccion->ruta, true);
            return;
        }
    }
    plataforma_.MostrarMensaje(kTextoErrorGuardar, kTituloFichero, Icono::Exclamacion);
}

} // namespace velmora
