#pragma once

#include <QIcon>

namespace tf {

/// The program's icon at the sizes a desktop asks for.
QIcon ProgramIcon();

} // namespace tf
