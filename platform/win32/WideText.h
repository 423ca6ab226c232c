#pragma once

#include <string>
#include <string_view>

namespace tf {

/// Our UTF-8 text as UTF-16 for the wide Windows calls. Malformed UTF-8 becomes U+FFFD; an
/// embedded NUL is kept.
std::wstring Widen(std::string_view utf8);

/// A UTF-16 text from Windows as UTF-8. An unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

} // namespace tf
