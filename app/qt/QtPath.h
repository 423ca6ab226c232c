#pragma once

#include <QString>

#include <filesystem>

namespace tf {

/// A file's path as Qt names it, and back: the one crossing between the widgets' names and the
/// file calls', so that a name in any script goes whole both ways. On Windows the UTF-16 name is
/// carried over as it is; elsewhere the name's bytes go through Qt's file-name encoding.
QString QStringFromPath(const std::filesystem::path& path);
std::filesystem::path PathFromQString(const QString& name);

} // namespace tf
