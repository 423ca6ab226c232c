#include "app/DialogTemplate.h"

#include "app/CommandIds.h"
#include "app/DialogIds.h"
#include "app/KeyDialog.h"
#include "app/ShellTexts.h"
#include "tf_version.h"

#include <cstdio>

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

DialogTemplate MakePartDialog() {
    // Each part's row: label, note count, instrument, tick, preview. The options stand to the
    // right of the two columns of parts.
    constexpr int columnStep = 166;
    constexpr int optionsX = 146;
    DialogTemplate t{"演奏パートを選べ！", 359 + optionsX, 219, 9, {}};
    auto add = [&t](int id, ControlKind kind, std::string caption, int x, int y, int w, int h,
                    int group = 0) {
        t.controls.push_back({id, kind, std::move(caption), x, y, w, h, group});
    };
    add(NoControlId, ControlKind::GroupBox, "演奏するパートの選択", 12, 12, 332, 174);
    for (int channel = 0; channel < 16; ++channel) {
        const int part = channel + 1;
        const bool right = channel >= 8;
        const int y = 30 + 18 * (channel % 8);
        const int labelX = right ? 18 + columnStep : 18;
        const int labelWidth = right ? 30 : 24;
        const int x = labelX + 30;
        char label[16];
        std::snprintf(label, sizeof label, "パート%2d", part);
        add(NoControlId, ControlKind::Label, label, labelX, y, labelWidth, 12);
        add(PartCountBase + channel, ControlKind::Label, "0", x, y, 18, 12);
        add(PartInstrumentBase + channel, ControlKind::Label, "", x + 20, y, 78, 12);
        add(PartCheckBase + channel, ControlKind::CheckBox, "", x + 100, y, 12, 12);
        add(PreviewButtonBase + channel, ControlKind::PushButton, "", x + 112, y, 12, 12);
    }
    const int o = optionsX;
    add(NoControlId, ControlKind::GroupBox, "AUTO PLAY", 204 + o, 12, 66, 30);
    add(AutoPlayCheck, ControlKind::CheckBox, "自動演奏", 210 + o, 24, 48, 12);
    add(NoControlId, ControlKind::GroupBox, "HIGH SPEED", 204 + o, 48, 66, 84);
    add(Speed10Radio, ControlKind::RadioButton, "×1.0", 210 + o, 60, 36, 12, SpeedGroup);
    add(Speed15Radio, ControlKind::RadioButton, "×1.5", 210 + o, 78, 36, 12, SpeedGroup);
    add(Speed20Radio, ControlKind::RadioButton, "×2.0", 210 + o, 96, 36, 12, SpeedGroup);
    add(Speed30Radio, ControlKind::RadioButton, "×3.0", 210 + o, 114, 42, 12, SpeedGroup);
    add(NoControlId, ControlKind::GroupBox, "HIDDEN SUDDEN", 204 + o, 138, 66, 48);
    add(HiddenCheck, ControlKind::CheckBox, "HIDDEN", 210 + o, 150, 48, 12);
    add(SuddenCheck, ControlKind::CheckBox, "SUDDEN", 210 + o, 168, 48, 12);
    add(NoControlId, ControlKind::GroupBox, "LEVEL", 276 + o, 12, 66, 30);
    add(LevelCheck, ControlKind::CheckBox, "同時押し無し", 282 + o, 24, 54, 12);
    // KEY gives up the foot of its box to the offset, beside it as the other options stand.
    add(NoControlId, ControlKind::GroupBox, "KEY", 276 + o, 48, 66, 102);
    add(Keys5Radio, ControlKind::RadioButton, "5KEYS", 282 + o, 66, 48, 12, KeysGroup);
    add(Keys7Radio, ControlKind::RadioButton, "7KEYS", 282 + o, 84, 48, 12, KeysGroup);
    add(Keys15Radio, ControlKind::RadioButton, "15KEYS", 282 + o, 102, 48, 12, KeysGroup);
    add(KeyLayoutButton, ControlKind::PushButton, "キー配置...", 288 + o, 126, 42, 18);
    add(NoControlId, ControlKind::GroupBox, std::string(OffsetLabel(Language::Japanese)), 276 + o, 156, 66,
        30);
    add(OffsetField, ControlKind::NumberField, "", 282 + o, 168, 36, 12);
    add(OkButton, ControlKind::DefaultPushButton, "OK", 252 + o, 192, 42, 18);
    add(CancelButton, ControlKind::PushButton, "ｷｬﾝｾﾙ", 306 + o, 192, 42, 18);
    return t;
}

DialogTemplate MakeKeyDialog() {
    // 18 units taller than the rows and buttons need, for the line that names shared keys.
    DialogTemplate t{"キー配置", 239, 213, 9, {}};
    for (int lane = 0; lane < 15; ++lane) {
        const bool right = lane >= 8;
        const int y = 18 + 18 * (lane % 8);
        t.controls.push_back(
            {NoControlId, ControlKind::Label, LaneName(lane), right ? 126 : 12, y, 36, 12, 0});
        t.controls.push_back(
            {KeyComboBase + lane, ControlKind::DropDownList, "", right ? 168 : 54, y, 54, 100, 0});
    }
    t.controls.push_back(
        {KeyResetButton, ControlKind::PushButton, std::string(ResetKeysText), 12, 162, 54, 18, 0});
    t.controls.push_back({OkButton, ControlKind::DefaultPushButton, "OK", 132, 162, 42, 18, 0});
    t.controls.push_back({CancelButton, ControlKind::PushButton, "ｷｬﾝｾﾙ", 180, 162, 42, 18, 0});
    t.controls.push_back({SharedKeysText, ControlKind::Label, "", 12, 186, 215, 20, 0});
    return t;
}

DialogTemplate MakeAboutDialog() {
    DialogTemplate t{"バージョン情報", 230, 75, 12, {}};
    t.controls.push_back({AboutIcon, ControlKind::Icon, "", 14, 9, 21, 20, 0});
    t.controls.push_back({NoControlId, ControlKind::Label, std::string(VersionLine), 49, 10, 140, 8, 0});
    // The credit and the output lines run under the OK button to the right edge and may wrap
    // to a second (the output's name can be long).
    t.controls.push_back({NoControlId, ControlKind::Label, "Pictures, help and songs made for this game.", 48,
                          24, 176, 16, 0});
    t.controls.push_back({AboutSoundText, ControlKind::Label, "Sound: none", 48, 44, 176, 24, 0});
    // The release number under the icon, the one free place: the game's own version text
    // beside the icon stays as it is.
    t.controls.push_back({NoControlId, ControlKind::Label, std::string(Version), 14, 34, 32, 8, 0});
    t.controls.push_back({OkButton, ControlKind::DefaultPushButton, "OK", 195, 6, 30, 11, 0});
    return t;
}

} // namespace

const DialogTemplate& PartDialogTemplate() {
    static const DialogTemplate t = MakePartDialog();
    return t;
}

const DialogTemplate& KeyDialogTemplate() {
    static const DialogTemplate t = MakeKeyDialog();
    return t;
}

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate t = MakeAboutDialog();
    return t;
}

} // namespace tf
