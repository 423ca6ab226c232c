#pragma once

#include "platform/MessageSink.h"

namespace tf {

/// Shows the core's messages as modal message boxes without an owner window (they can come
/// before the window exists): the stop-sign or the warning icon, an OK button.
class MessageBoxSink final : public MessageSink {
public:
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;
};

} // namespace tf
