#pragma once
// The toolbar's images, drawn here rather than shipped as files.

#include <QIcon>

#include "ui/form1.h"

namespace velmora {

QIcon IconoHerramienta(Herramienta h);

} // namespace velmora
