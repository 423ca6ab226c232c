#pragma once

#include "platform/midi/CapturePort.h"

#include <vector>

namespace tf::test {

/// All Sound Off messages (control change 120) among `messages`, on any channel.
inline int CountAllSoundOff(const std::vector<CapturePort::Message>& messages) {
    int count = 0;
    for (const auto& m : messages) {
        count += m.bytes.size() == 3 && (m.bytes[0] & 0xF0) == 0xB0 && m.bytes[1] == 120;
    }
    return count;
}

/// Note-ons with a non-zero velocity on `channel` among `messages`.
inline int CountNoteOns(const std::vector<CapturePort::Message>& messages, int channel) {
    int count = 0;
    for (const auto& m : messages) {
        count += m.bytes.size() == 3 && m.bytes[0] == (0x90 | channel) && m.bytes[2] != 0;
    }
    return count;
}

} // namespace tf::test
