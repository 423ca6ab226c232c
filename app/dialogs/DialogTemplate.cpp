#include "app/dialogs/DialogTemplate.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/KeyDialog.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "tf_version.h"

namespace tf {

const DialogControl* DialogTemplate::find(int id) const {
    for (const DialogControl& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

namespace {

constexpr int SpeedGroup = 1;
constexpr int KeysGroup = 2;

DialogTemplate MakePartDialog(Language language) {
    const auto text = [language](TextId id) { return std::string(Text(id, language)); };
    // Each part's row: label, note count, instrument, tick, preview. The options stand to the
    // right of the two columns of parts.
    constexpr int columnStep = 166;
    constexpr int optionsX = 146;
    DialogTemplate t{text(TextId::PartDialogTitle), 359 + optionsX, 219, 9, {}};
    auto add = [&t](int id, ControlKind kind, std::string caption, int x, int y, int w, int h,
                    int group = 0) {
        t.controls.push_back({id, kind, std::move(caption), x, y, w, h, group});
    };
    add(NoControlId, ControlKind::GroupBox, text(TextId::PartsGroup), 12, 12, 332, 174);
    for (int channel = 0; channel < 16; ++channel) {
        const int part = channel + 1;
        const bool right = channel >= 8;
        const int y = 30 + 18 * (channel % 8);
        const int labelX = right ? 18 + columnStep : 18;
        const int labelWidth = right ? 30 : 24;
        const int x = labelX + 30;
        add(NoControlId, ControlKind::Label, FormatText(TextId::PartLabelFormat, language, part), labelX, y,
            labelWidth, 12);
        add(PartCountBase + channel, ControlKind::Label, "0", x, y, 18, 12);
        add(PartInstrumentBase + channel, ControlKind::Label, "", x + 20, y, 78, 12);
        add(PartCheckBase + channel, ControlKind::CheckBox, "", x + 100, y, 12, 12);
        add(PreviewButtonBase + channel, ControlKind::PushButton, "", x + 112, y, 12, 12);
    }
    const int o = optionsX;
    add(NoControlId, ControlKind::GroupBox, text(TextId::AutoPlayGroup), 204 + o, 12, 66, 30);
    add(AutoPlayCheck, ControlKind::CheckBox, text(TextId::AutoPlayCheck), 210 + o, 24, 48, 12);
    add(NoControlId, ControlKind::GroupBox, text(TextId::HighSpeedGroup), 204 + o, 48, 66, 84);
    add(Speed10Radio, ControlKind::RadioButton, "×1.0", 210 + o, 60, 36, 12, SpeedGroup);
    add(Speed15Radio, ControlKind::RadioButton, "×1.5", 210 + o, 78, 36, 12, SpeedGroup);
    add(Speed20Radio, ControlKind::RadioButton, "×2.0", 210 + o, 96, 36, 12, SpeedGroup);
    add(Speed30Radio, ControlKind::RadioButton, "×3.0", 210 + o, 114, 42, 12, SpeedGroup);
    add(NoControlId, ControlKind::GroupBox, text(TextId::HiddenSuddenGroup), 204 + o, 138, 66, 48);
    add(HiddenCheck, ControlKind::CheckBox, text(TextId::HiddenCheck), 210 + o, 150, 48, 12);
    add(SuddenCheck, ControlKind::CheckBox, text(TextId::SuddenCheck), 210 + o, 168, 48, 12);
    add(NoControlId, ControlKind::GroupBox, text(TextId::LevelGroup), 276 + o, 12, 66, 30);
    add(LevelCheck, ControlKind::CheckBox, text(TextId::LevelCheck), 282 + o, 24, 54, 12);
    // KEY gives up the foot of its box to the offset, beside it as the other options stand.
    add(NoControlId, ControlKind::GroupBox, text(TextId::KeyGroup), 276 + o, 48, 66, 102);
    add(Keys5Radio, ControlKind::RadioButton, "5KEYS", 282 + o, 66, 48, 12, KeysGroup);
    add(Keys7Radio, ControlKind::RadioButton, "7KEYS", 282 + o, 84, 48, 12, KeysGroup);
    add(Keys15Radio, ControlKind::RadioButton, "15KEYS", 282 + o, 102, 48, 12, KeysGroup);
    add(KeyLayoutButton, ControlKind::PushButton, text(TextId::KeyLayoutButton), 288 + o, 126, 42, 18);
    add(NoControlId, ControlKind::GroupBox, text(TextId::OffsetLabel), 276 + o, 156, 66, 30);
    add(OffsetField, ControlKind::NumberField, "", 282 + o, 168, 36, 12);
    add(OkButton, ControlKind::DefaultPushButton, text(TextId::OkButton), 252 + o, 192, 42, 18);
    add(CancelButton, ControlKind::PushButton, text(TextId::CancelButton), 306 + o, 192, 42, 18);
    return t;
}

DialogTemplate MakeKeyDialog(Language language) {
    const auto text = [language](TextId id) { return std::string(Text(id, language)); };
    // 18 units taller than the rows and buttons need, for the line that names shared keys.
    DialogTemplate t{text(TextId::KeyDialogTitle), 239, 213, 9, {}};
    for (int lane = 0; lane < 15; ++lane) {
        const bool right = lane >= 8;
        const int y = 18 + 18 * (lane % 8);
        t.controls.push_back(
            {NoControlId, ControlKind::Label, LaneName(lane, language), right ? 126 : 12, y, 36, 12, 0});
        t.controls.push_back(
            {KeyComboBase + lane, ControlKind::DropDownList, "", right ? 168 : 54, y, 54, 100, 0});
    }
    t.controls.push_back(
        {KeyResetButton, ControlKind::PushButton, text(TextId::ResetKeysButton), 12, 162, 54, 18, 0});
    t.controls.push_back(
        {OkButton, ControlKind::DefaultPushButton, text(TextId::OkButton), 132, 162, 42, 18, 0});
    t.controls.push_back(
        {CancelButton, ControlKind::PushButton, text(TextId::CancelButton), 180, 162, 42, 18, 0});
    t.controls.push_back({SharedKeysText, ControlKind::Label, "", 12, 186, 215, 20, 0});
    return t;
}

DialogTemplate MakeAboutDialog(Language language) {
    const auto text = [language](TextId id) { return std::string(Text(id, language)); };
    DialogTemplate t{text(TextId::AboutTitle), 230, 75, 12, {}};
    t.controls.push_back({AboutIcon, ControlKind::Icon, "", 14, 9, 21, 20, 0});
    t.controls.push_back({NoControlId, ControlKind::Label, text(TextId::VersionLine), 49, 10, 140, 8, 0});
    // The credit and the output lines run under the OK button to the right edge and may wrap
    // to a second (the output's name can be long).
    t.controls.push_back({NoControlId, ControlKind::Label, text(TextId::AboutCredit), 48, 24, 176, 16, 0});
    t.controls.push_back({AboutSoundText, ControlKind::Label,
                          text(TextId::SoundLabel) + text(TextId::NoSound), 48, 44, 176, 24, 0});
    // The release number under the icon, the one free place: the game's own version text
    // beside the icon stays as it is.
    t.controls.push_back({NoControlId, ControlKind::Label, std::string(Version), 14, 34, 32, 8, 0});
    t.controls.push_back(
        {OkButton, ControlKind::DefaultPushButton, text(TextId::OkButton), 195, 6, 30, 11, 0});
    return t;
}

} // namespace

const DialogTemplate& PartDialogTemplate(Language language) {
    static const DialogTemplate japanese = MakePartDialog(Language::Japanese);
    static const DialogTemplate english = MakePartDialog(Language::English);
    return language == Language::English ? english : japanese;
}

const DialogTemplate& KeyDialogTemplate(Language language) {
    static const DialogTemplate japanese = MakeKeyDialog(Language::Japanese);
    static const DialogTemplate english = MakeKeyDialog(Language::English);
    return language == Language::English ? english : japanese;
}

const DialogTemplate& AboutDialogTemplate(Language language) {
    static const DialogTemplate japanese = MakeAboutDialog(Language::Japanese);
    static const DialogTemplate english = MakeAboutDialog(Language::English);
    return language == Language::English ? english : japanese;
}

} // namespace tf
