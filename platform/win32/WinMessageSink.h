#pragma once

#include "platform/MessageSink.h"
#include "platform/win32/WinApi.h"

namespace tf {

/// The core's messages as modal Windows message boxes with an OK button and the stop-sign or
/// warning icon, centred over their owner. Without an owner (the default) a box can come
/// before the window exists.
class WinMessageSink final : public MessageSink {
public:
    explicit WinMessageSink(HWND owner = nullptr) : owner(owner) {}
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override;

private:
    HWND owner;
};

} // namespace tf
