#include "app/shell/HeldMessages.h"

#include "app/text/NoSoundText.h"
#include "platform/MidiPort.h"

namespace tf {

void HeldMessages::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    // The game goes on without sound: a warning, whatever the core thought of it.
    (void)icon;
    if (shown) {
        shown(MessageIcon::Warning, caption, withFailureLine(text));
        return;
    }
    kept.push_back({MessageIcon::Warning, std::string(caption), std::string(text)});
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

std::string HeldMessages::withFailureLine(std::string_view text) const {
    return OutputFailureText(port.describe(), text, hasCommandLine,
                             language ? language() : Language::Japanese);
}

} // namespace tf
