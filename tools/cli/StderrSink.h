#pragma once

#include "platform/MessageSink.h"

#include <cstdio>

namespace tf::cli {

/// Messages meant for the player, printed on stderr (the caption is left out: there is no window
/// to name).
class StderrSink final : public MessageSink {
public:
    void showMessage(MessageIcon, std::string_view, std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

} // namespace tf::cli
