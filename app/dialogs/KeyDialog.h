#pragma once

#include "app/text/Language.h"
#include "platform/KeyCodes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tf {

class KeyBindings;

/// What the key dialog needs from the toolkit that shows it.
class KeyDialogHost {
public:
    virtual ~KeyDialogHost() = default;
    /// A Yes/No question with the warning icon, owned by the dialog; true for Yes.
    virtual bool askYesNo(std::string_view caption, std::string_view text) = 0;
    virtual void endDialog(int result) = 0;
};

/// The name of lane `lane` (0-14) as the key dialog labels it: even lanes are the white keys
/// of a keyboard ("白鍵盤 1"), odd lanes the black ones ("黒鍵盤 1").
std::string LaneName(int lane, Language language = Language::Japanese);

/// The 48 keys a lane can be given, in the order of every drop-down list: the digits 0-9, the
/// letters A-Z, then the twelve punctuation keys in `OemKeyTable` order.
inline constexpr int KeyChoiceCount = 48;
inline constexpr std::array<std::uint32_t, 12> OemKeyTable = {
    VkSemicolon, VkEquals,      VkComma,     VkMinus,        VkPeriod, VkSlash,
    VkBackquote, VkOpenBracket, VkBackslash, VkCloseBracket, VkQuote,  VkIsoExtra};

/// The virtual-key code of list entry `index`; 0 for an index outside 0-47.
std::uint32_t KeyChoiceCode(int index);
/// The entry of virtual-key code `code`; -1 when the code is none of the 48.
int KeyChoiceIndex(std::uint32_t code);
/// The entry's text: the digit, the letter, or the character the key gives unshifted on a US
/// keyboard (the ISO key left of Z shows "<"). Empty for an index outside 0-47.
std::string_view KeyChoiceText(int index);

/// Each lane's primary key as its list entry reads ("Z", "S", ","), for the names under the
/// keyboard during play; empty for a key that is none of the 48.
std::array<std::string, 15> LaneKeyLabels(const KeyBindings& keys);

/// The key dialog's behaviour: one selection per lane 0-14, read from each lane's primary key;
/// OK gives each lane its selected key alone. A lane whose key is none of the 48 shows no
/// selection and keeps both its keys on OK. Lanes that share a key are named in the dialog
/// (`duplicateText`) and OK asks whether to keep them so; "既定に戻す" selects the default keys.
class KeyDialog {
public:
    static constexpr int LaneCount = 15;

    explicit KeyDialog(KeyBindings& keys, Language language = Language::Japanese)
        : keys(keys), language_(language) {}

    void init();
    /// The language the dialog and its question speak.
    Language language() const { return language_; }
    /// The selected entry of lane `lane`'s list; -1 for none or a lane outside 0-14.
    int selection(int lane) const;
    /// The player picked entry `index` in lane `lane`'s list (-1 clears the selection).
    void select(int lane, int index);
    /// OkButton stores and closes (after the player agreed to keep shared keys), CancelButton
    /// closes, KeyResetButton selects the default keys; true for those three. The view shows
    /// the selections and `duplicateText` afresh after every command and choice.
    bool command(int id, KeyDialogHost& host);
    /// The lanes that share a key, one group per key in lane order, as
    /// "同じキーのレーン: 白鍵盤 1 と 黒鍵盤 3 (Z)"; empty when every lane has a key of its own.
    std::string duplicateText() const;

private:
    KeyBindings& keys;
    Language language_;
    std::array<int, LaneCount> selected{};
};

} // namespace tf
