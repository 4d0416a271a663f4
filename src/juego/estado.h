#pragma once
// The game kept between runs: a small JSON object in the per-user configuration folder, written
// atomically. Anything that is not such a file (damaged, foreign, from another version) is
// refused as a whole.

#include <QByteArray>
#include <QString>
#include <optional>

#include "juego/partida.h"

namespace velmora {

inline constexpr const char* kNombrePartida = "partida.json";
inline constexpr qint64 kTamanoMaximoPartida = 256 * 1024;

QByteArray EscribirPartida(const Partida& p);
// Nothing unless every field is there, of its type and in range, and the digits agree with the
// givens and the solution is a full grid.
std::optional<Partida> LeerPartida(const QByteArray& datos);

bool GuardarPartida(const QString& carpeta, const Partida& p);
struct PartidaGuardada {
    bool hay = false;               // a file is there
    std::optional<Partida> partida; // and it was read; a file there without it is refused
};
PartidaGuardada AbrirPartida(const QString& carpeta);
void BorrarPartida(const QString& carpeta);

} // namespace velmora
