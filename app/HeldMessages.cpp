#include "app/HeldMessages.h"

#include "app/OutputTexts.h"
#include "platform/MidiPort.h"

namespace tf {

void HeldMessages::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    // The core's own text stays the first line, exactly as it is; ours goes under it.
    std::string full(text);
    full += '\n';
    full += OutputFailureLine(port.describe(), hasCommandLine);
    if (shown) {
        shown(icon, caption, full);
        return;
    }
    kept.push_back({icon, std::string(caption), std::move(full)});
}

void HeldMessages::release(Show show) {
    shown = std::move(show);
    std::vector<Message> waiting;
    waiting.swap(kept);
    if (!shown) {
        return;
    }
    for (const Message& message : waiting) {
        shown(message.icon, message.caption, message.text);
    }
}

} // namespace tf
