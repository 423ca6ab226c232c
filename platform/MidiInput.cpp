#include "platform/MidiInput.h"

namespace tf {

std::optional<MidiNoteMessage> DecodeMidiNote(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 3) {
        return std::nullopt;
    }
    const std::uint8_t kind = bytes[0] & 0xF0;
    if ((kind != 0x80 && kind != 0x90) || bytes[1] >= 0x80 || bytes[2] >= 0x80) {
        return std::nullopt;
    }
    MidiNoteMessage note;
    note.on = kind == 0x90 && bytes[2] != 0;
    note.channel = bytes[0] & 0x0F;
    note.key = bytes[1];
    note.velocity = bytes[2];
    return note;
}

void MidiInput::deliver(std::span<const std::uint8_t> bytes) const {
    if (const auto note = DecodeMidiNote(bytes); note && noteHandler) {
        noteHandler(*note);
    }
}

void MidiInput::reportLost() const {
    if (lostHandler) {
        lostHandler();
    }
}

} // namespace tf
