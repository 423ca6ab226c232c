#include "app/shell/HeldMessages.h"

#include "app/text/OutputTexts.h"
#include "app/text/Texts.h"
#include "platform/MidiPort.h"

namespace tf {

void HeldMessages::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    if (shown) {
        shown(icon, caption, withFailureLine(text));
        return;
    }
    kept.push_back({icon, std::string(caption), std::string(text)});
}

void HeldMessages::release(Show show, CurrentLanguage current) {
    shown = std::move(show);
    language = std::move(current);
    std::vector<Message> waiting;
    waiting.swap(kept);
    if (!shown) {
        return;
    }
    for (const Message& message : waiting) {
        shown(message.icon, message.caption, withFailureLine(message.text));
    }
}

namespace {

// The core's own text, in the language the player reads: the game's texts are Japanese, and
// each has its English row in the table.
std::string_view InLanguage(std::string_view text, Language language) {
    for (TextId id : {TextId::OutputNotFound, TextId::OutputAllocated, TextId::OutputBadDeviceId,
                      TextId::OutputInvalidParam, TextId::OutputNoMemory}) {
        if (text == Text(id, Language::Japanese)) {
            return Text(id, language);
        }
    }
    return text;
}

} // namespace

std::string HeldMessages::withFailureLine(std::string_view text) const {
    const Language now = language ? language() : Language::Japanese;
    // The core's text stays the first line; ours goes under it.
    std::string full(InLanguage(text, now));
    full += '\n';
    full += OutputFailureLine(port.describe(), hasCommandLine, now);
    return full;
}

} // namespace tf
