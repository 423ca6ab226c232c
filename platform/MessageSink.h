#pragma once

#include <string_view>

namespace tf {

enum class MessageIcon { Stop, Warning };

/// Where the core sends a message the player must see. The game shows a message box, the
/// companion tool prints to stderr, tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) = 0;
};

} // namespace tf
