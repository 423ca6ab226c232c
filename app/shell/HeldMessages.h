#pragma once

#include "app/text/Language.h"
#include "platform/MessageSink.h"

#include <functional>
#include <string>
#include <vector>

namespace tf {

class MidiPort;

/// Where the core's messages go while the window does not exist yet: the output is opened
/// before the window, and its failure box must still come up over the window. Each message is
/// kept until `release` hands it on, as `OutputFailureText` makes it of the core's text in the
/// language the shell then uses, with the warning icon (the game goes on, silent); after that
/// every message is handed on at once. Window thread only.
class HeldMessages final : public MessageSink {
public:
    using Show = std::function<void(MessageIcon icon, std::string_view caption, std::string_view text)>;
    /// The language the shell's texts are in at the moment a message is shown.
    using CurrentLanguage = std::function<Language()>;

    /// `port` is asked what failed; `hasCommandLine` as for `OutputFailureText`.
    HeldMessages(const MidiPort& port, bool hasCommandLine) : port(port), hasCommandLine(hasCommandLine) {}

    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
    /// Shows the messages kept so far through `show`, oldest first, and every later one at once,
    /// in the language `language` gives (Japanese when it is empty).
    void release(Show show, CurrentLanguage language = {});
    /// The number of messages still kept.
    std::size_t held() const { return kept.size(); }

private:
    struct Message {
        MessageIcon icon;
        std::string caption;
        std::string text;
    };

    std::string withFailureLine(std::string_view text) const;

    const MidiPort& port;
    const bool hasCommandLine;
    std::vector<Message> kept;
    Show shown;
    CurrentLanguage language;
};

} // namespace tf
