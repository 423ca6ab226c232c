#pragma once

#include <QIcon>
#include <QImage>

namespace tf {

/// The program's icon, `size` pixels square, with transparent corners.
QImage PaintIcon(int size);
/// The program's icon at the sizes a desktop asks for.
QIcon ProgramIcon();

} // namespace tf
