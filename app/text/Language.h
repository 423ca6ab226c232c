#pragma once

#include <optional>
#include <string_view>

namespace tf {

/// The language the shell's texts are shown in.
enum class Language { Japanese, English };

/// The language of a locale name as the system gives it ("ja_JP.UTF-8", "ja-JP", "ja"):
/// Japanese for every "ja" locale, English for anything else, the empty name and "C" included.
Language LanguageOfLocale(std::string_view localeName);

/// The language of this process's environment: the first of LC_ALL, LC_MESSAGES and LANG that is
/// set and not empty, as the C library picks the message language.
Language EnvironmentLanguage();

/// "ja" or "en": how the settings file and the command line write a language.
std::string_view LanguageCode(Language language);
/// The language a code names; nothing for any other text.
std::optional<Language> LanguageFromCode(std::string_view code);

} // namespace tf
