#pragma once
// The folder the file dialogs open in: the folder of the puzzle file last opened or saved,
// kept across runs in "velmora.ini", one line ended by CR LF in the system's 8-bit encoding.

#include <QString>

namespace velmora {

class CarpetaRecordada {
public:
    // The file lives in the program's folder; where that folder cannot be written (an
    // installed copy), in the per-user configuration folder.
    CarpetaRecordada(QString carpetaPrograma, QString carpetaConfiguracion);

    // The remembered folder (or the nearest existing one on its path), or the program's folder
    // when there is none.
    QString CarpetaInicial() const;
    // Remembers the folder of the chosen file: the path without the title and the separator
    // before it. Never fails its caller: a folder that cannot be remembered is only forgotten.
    void GuardarCarpeta(const QString& ruta, const QString& titulo) const;

    const QString& Fichero() const { return fichero_; }

private:
    QString carpetaPrograma_;
    QString fichero_;
};

} // namespace velmora
