#pragma once
// The puzzle kept at close when it was not saved: the puzzle value as it stood, unfinished or
// not, so that it need not validate. A small JSON object in the per-user configuration folder.

#include <QByteArray>
#include <QString>
#include <optional>

#include "model/enunciado.h"

namespace velmora {

inline constexpr const char* kNombreSinGuardar = "sin_guardar.json";
// A puzzle's file is a few KB; a longer one is not one.
inline constexpr qint64 kTamanoMaximoSinGuardar = 256 * 1024;

QByteArray EscribirSinGuardar(const Enunciado& e);
// Nothing unless the bytes are such a file: every field present, of its type and in range.
std::optional<Enunciado> LeerSinGuardar(const QByteArray& datos);

// The file in a folder: written in place atomically (false when it could not be), read back,
// removed.
bool GuardarSinGuardar(const QString& carpeta, const Enunciado& e);
std::optional<Enunciado> AbrirSinGuardar(const QString& carpeta);
void BorrarSinGuardar(const QString& carpeta);

} // namespace velmora
