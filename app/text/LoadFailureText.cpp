#include "app/text/LoadFailureText.h"

#include "app/text/PathText.h"
#include "app/text/Texts.h"

namespace tf {

namespace {

std::string_view ReasonText(LoadFailure reason, Language language) {
    switch (reason) {
    case LoadFailure::CannotOpen:
        return Text(TextId::LoadCannotOpen, language);
    case LoadFailure::Empty:
        return Text(TextId::LoadEmpty, language);
    case LoadFailure::TooShort:
        return Text(TextId::LoadTooShort, language);
    case LoadFailure::NotMidi:
        return Text(TextId::LoadNotMidi, language);
    case LoadFailure::BadHeader:
        return Text(TextId::LoadBadHeader, language);
    case LoadFailure::None:
        break;
    }
    return {};
}

} // namespace

std::string LoadFailureText(LoadFailure reason, const std::filesystem::path& file, Language language) {
    std::string text(Text(TextId::LoadFailed, language));
    if (!file.empty()) {
        text += '\n';
        text += Text(TextId::LoadFileLabel, language);
        text += FileNameText(file);
    }
    const std::string_view why = ReasonText(reason, language);
    if (!why.empty()) {
        text += '\n';
        text.append(why);
    }
    return text;
}

} // namespace tf
