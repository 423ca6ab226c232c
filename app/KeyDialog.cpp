#include "app/KeyDialog.h"

#include "app/CommandIds.h"
#include "game/KeyBindings.h"

namespace tf {

namespace {

constexpr std::string_view ChoiceTexts[KeyChoiceCount] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C",  "D", "E", "F",
    "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S",  "T", "U", "V",
    "W", "X", "Y", "Z", ";", "=", ",", "-", ".", "/", "`", "[", "\\", "]", "'", "<"};

} // namespace

std::uint32_t KeyChoiceCode(int index) {
    if (index >= 0 && index <= 9) {
        return 0x30 + static_cast<std::uint32_t>(index);
    }
    if (index >= 10 && index <= 35) {
        return 0x37 + static_cast<std::uint32_t>(index);
    }
    if (index >= 36 && index < KeyChoiceCount) {
        return OemKeyTable[static_cast<std::size_t>(index - 36)];
    }
    return 0;
}

int KeyChoiceIndex(std::uint32_t code) {
    if (code >= 0x30 && code <= 0x39) {
        return static_cast<int>(code - 0x30);
    }
    if (code >= 0x41 && code <= 0x5A) {
        return static_cast<int>(code - 0x37);
    }
    for (std::size_t i = 0; i < OemKeyTable.size(); ++i) {
        if (OemKeyTable[i] == code) {
            return 36 + static_cast<int>(i);
        }
    }
    return -1;
}

std::string_view KeyChoiceText(int index) {
    if (index < 0 || index >= KeyChoiceCount) {
        return {};
    }
    return ChoiceTexts[index];
}

void KeyDialog::init() {
    for (int lane = 0; lane < LaneCount; ++lane) {
        selected[static_cast<std::size_t>(lane)] = KeyChoiceIndex(keys.primaryKey(lane));
    }
}

int KeyDialog::selection(int lane) const {
    if (lane < 0 || lane >= LaneCount) {
        return -1;
    }
    return selected[static_cast<std::size_t>(lane)];
}

void KeyDialog::select(int lane, int index) {
    if (lane < 0 || lane >= LaneCount) {
        return;
    }
    selected[static_cast<std::size_t>(lane)] = (index >= 0 && index < KeyChoiceCount) ? index : -1;
}

bool KeyDialog::command(int id, KeyDialogHost& host) {
    if (id == OkButton) {
        for (int lane = 0; lane < LaneCount; ++lane) {
            const std::uint32_t code = KeyChoiceCode(selected[static_cast<std::size_t>(lane)]);
            // A lane without a valid selection keeps whatever keys it had.
            if (code != 0) {
                keys.setKeys(lane, code, 0);
            }
        }
        host.endDialog(OkButton);
        return true;
    }
    if (id == CancelButton) {
        host.endDialog(CancelButton);
        return true;
    }
    return false;
}

} // namespace tf
