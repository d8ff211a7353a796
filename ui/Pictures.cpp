// Builds icons from the resource pictures: no icon theme is searched.
#include "ui/Pictures.h"

#include <array>

namespace Pictures {

QIcon icon(const QString& name) {
    static constexpr std::array kSizes{16, 24, 32, 48, 64, 128};
    QIcon result;
    for (const int size : kSizes) {
        result.addFile(QStringLiteral(":/pictures/%1-%2.png").arg(name).arg(size), QSize(size, size));
    }
    return result;
}

}  // namespace Pictures
