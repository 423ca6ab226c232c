#include "app/text/Language.h"

#include <cstdlib>

namespace tf {

Language LanguageOfLocale(std::string_view localeName) {
    if (localeName.size() >= 2 && (localeName[0] == 'j' || localeName[0] == 'J') &&
        (localeName[1] == 'a' || localeName[1] == 'A') &&
        (localeName.size() == 2 || localeName[2] == '_' || localeName[2] == '-' || localeName[2] == '.' ||
         localeName[2] == '@')) {
        return Language::Japanese;
    }
    return Language::English;
}

Language EnvironmentLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return LanguageOfLocale(value);
        }
    }
    return Language::English;
}

std::string_view LanguageCode(Language language) {
    return language == Language::Japanese ? "ja" : "en";
}

std::optional<Language> LanguageFromCode(std::string_view code) {
    if (code == "ja") {
        return Language::Japanese;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

} // namespace tf
