#pragma once
// The folder the file dialogs open in: the folder of the puzzle file last opened or saved,
// kept across runs in "velmora.ini", one line ended by CR LF in the system's 8-bit encoding.
// The lines after it list the files last opened or saved, newest first; a last line
// "juego=..." keeps the play helps switched on.

#include <QString>
#include <QStringList>
#include <optional>

namespace velmora {

// The bin folders this build is installed into: its install prefix's and the Debian package's.
QStringList CarpetasInstaladas();

// Whether the program's folder is one of the folders it was installed into.
bool Instalado(const QString& carpetaPrograma,
               const QStringList& instaladas = CarpetasInstaladas());

// Where the settings live. A program run from a folder it was installed into keeps them in the
// per-user configuration folder, always: a system folder is no place for them, and removing
// the package would leave them behind. A build tree or a copied folder keeps them beside the
// program while that folder can be written.
QString CarpetaDeAjustes(const QString& carpetaPrograma, const QString& carpetaConfiguracion,
                         const QStringList& instaladas = CarpetasInstaladas());

class CarpetaRecordada {
public:
    static constexpr int kRecientes = 10;

    // The file lives where CarpetaDeAjustes says.
    CarpetaRecordada(QString carpetaPrograma, QString carpetaConfiguracion,
                     const QStringList& instaladas = CarpetasInstaladas());

    // The remembered folder (or the nearest existing one on its path), or the program's folder
    // when there is none (the home folder for an installed program).
    QString CarpetaInicial() const;
    // Remembers the folder of the chosen file: the path without the title and the separator
    // before it. Never fails its caller: a folder that cannot be remembered is only forgotten.
    void GuardarCarpeta(const QString& ruta, const QString& titulo) const;

    // The files last opened or saved, newest first, at most kRecientes.
    QStringList Recientes() const;
    // Puts a file first in that list, or takes it out of it; the folder line stays.
    void AnotarReciente(const QString& ruta) const;
    void QuitarReciente(const QString& ruta) const;

    // The play helps' line, as its owner wrote it (empty when there is none), and writing it.
    static constexpr const char* kLineaJuego = "juego=";
    QByteArray AjustesJuego() const;
    void GuardarAjustesJuego(const QByteArray& ajustes) const;

    const QString& Fichero() const { return fichero_; }

private:
    // The file's lines without their ends; nothing when it cannot be read or is not one.
    QList<QByteArray> Lineas() const;
    // The play line stays as it is unless one is given.
    void Escribir(const QByteArray& carpeta, const QStringList& recientes,
                  std::optional<QByteArray> juego = std::nullopt) const;

    QString carpetaPrograma_;
    QString inicio_; // the dialogs' folder before any is remembered
    QString fichero_;
};

} // namespace velmora
