#include "app/qt/ProgramIcon.h"

#include "tools/artwork/Artwork.h"

#include <QPixmap>

namespace tf {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256}) {
        icon.addPixmap(QPixmap::fromImage(PaintIcon(size)));
    }
    return icon;
}

} // namespace tf
