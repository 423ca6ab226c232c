#include "app/dialogs/KeyDialog.h"

#include "app/dialogs/DialogIds.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "game/KeyBindings.h"

#include <string>

namespace tf {

namespace {

constexpr std::string_view ChoiceTexts[KeyChoiceCount] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C",  "D", "E", "F",
    "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S",  "T", "U", "V",
    "W", "X", "Y", "Z", ";", "=", ",", "-", ".", "/", "`", "[", "\\", "]", "'", "<"};

} // namespace

std::uint32_t KeyChoiceCode(int index) {
    if (index >= 0 && index <= 9) {
        return DigitKey(index);
    }
    if (index >= 10 && index <= 35) {
        return LetterKey(index - 10);
    }
    if (index >= 36 && index < KeyChoiceCount) {
        return OemKeyTable[static_cast<std::size_t>(index - 36)];
    }
    return 0;
}

int KeyChoiceIndex(std::uint32_t code) {
    if (code >= Vk0 && code <= Vk9) {
        return static_cast<int>(code - Vk0);
    }
    if (code >= VkA && code <= VkZ) {
        return 10 + static_cast<int>(code - VkA);
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

std::array<std::string, 15> LaneKeyLabels(const KeyBindings& keys) {
    std::array<std::string, 15> labels;
    for (std::size_t lane = 0; lane < labels.size(); ++lane) {
        labels[lane] = KeyChoiceText(KeyChoiceIndex(keys.primaryKey(static_cast<int>(lane))));
    }
    return labels;
}

std::string LaneName(int lane, Language language) {
    return std::string(Text(lane % 2 == 0 ? TextId::WhiteKeyLane : TextId::BlackKeyLane, language)) + " " +
           std::to_string(lane / 2 + 1);
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

std::string KeyDialog::duplicateText() const {
    std::string groups;
    for (int lane = 0; lane < LaneCount; ++lane) {
        const int key = selected[static_cast<std::size_t>(lane)];
        bool seenBefore = false;
        for (int earlier = 0; earlier < lane; ++earlier) {
            seenBefore = seenBefore || selected[static_cast<std::size_t>(earlier)] == key;
        }
        if (key < 0 || seenBefore) {
            continue;
        }
        std::string group = LaneName(lane, language_);
        int sharing = 1;
        for (int later = lane + 1; later < LaneCount; ++later) {
            if (selected[static_cast<std::size_t>(later)] == key) {
                group += std::string(Text(TextId::SharedKeysAnd, language_)) + LaneName(later, language_);
                ++sharing;
            }
        }
        if (sharing > 1) {
            groups += groups.empty() ? std::string_view() : Text(TextId::SharedKeysSeparator, language_);
            groups += group + " (" + std::string(KeyChoiceText(key)) + ")";
        }
    }
    return groups.empty() ? std::string() : std::string(Text(TextId::SharedKeysLabel, language_)) + groups;
}

bool KeyDialog::command(int id, KeyDialogHost& host) {
    if (id == KeyResetButton) {
        const KeyBindings defaults;
        for (int lane = 0; lane < LaneCount; ++lane) {
            selected[static_cast<std::size_t>(lane)] = KeyChoiceIndex(defaults.primaryKey(lane));
        }
        return true;
    }
    if (id == OkButton) {
        // Two lanes on one key is allowed (a player may want it), but never by accident.
        if (const std::string shared = duplicateText();
            !shared.empty() &&
            !host.askYesNo(Text(TextId::MessageCaption, language_),
                           shared + "\n" + std::string(Text(TextId::KeepSharedKeysQuestion, language_)))) {
            return true;
        }
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
