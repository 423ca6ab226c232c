#pragma once

#include "platform/MessageSink.h"

#include <functional>
#include <string>
#include <vector>

namespace tf {

class MidiPort;

/// Where the core's messages go while the window does not exist yet: the output is opened
/// before the window, and its failure box must still come up over the window. Each message is
/// kept, with the line `OutputFailureLine` added under it, until `release` hands it on; after
/// that every message is handed on at once. Window thread only.
class HeldMessages final : public MessageSink {
public:
    using Show = std::function<void(MessageIcon icon, std::string_view caption, std::string_view text)>;

    /// `port` is asked what failed; `hasCommandLine` as for `OutputFailureLine`.
    HeldMessages(const MidiPort& port, bool hasCommandLine) : port(port), hasCommandLine(hasCommandLine) {}

    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
    /// Shows the messages kept so far through `show`, oldest first, and every later one at once.
    void release(Show show);
    /// The number of messages still kept.
    std::size_t held() const { return kept.size(); }

private:
    struct Message {
        MessageIcon icon;
        std::string caption;
        std::string text;
    };

    const MidiPort& port;
    const bool hasCommandLine;
    std::vector<Message> kept;
    Show shown;
};

} // namespace tf
