// The program's own pictures, compiled into it.
#pragma once

#include <QIcon>
#include <QString>

namespace Pictures {

// The named picture at every size drawn (16 to 128 pixels), so each place picks the nearest.
QIcon icon(const QString& name);

}  // namespace Pictures
