#include "app/dialogs/DialogIds.h"
#include "app/dialogs/DialogTemplate.h"
#include "app/shell/CommandIds.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WinApi.h"
#include "res/resource.h"
#include "tf_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tf {
namespace {

static_assert(IDM_ABOUT == AboutCommand && IDM_EXIT == ExitCommand && IDM_START == StartCommand &&
              IDM_HELP == HelpCommand && IDM_ZOOM_1 == ZoomX1Command && IDM_ZOOM_15 == ZoomX15Command &&
              IDM_ZOOM_2 == ZoomX2Command && IDM_ZOOM_3 == ZoomX3Command &&
              IDM_FULLSCREEN == FullScreenCommand && IDM_HIT_ERROR_BAR == HitErrorBarCommand &&
              IDM_RECENT_FIRST == RecentSongCommandBase && IDM_MIDI_IN_FIRST == MidiInputFirstCommand);
static_assert(IDC_PART_CHECK == PartCheckBase && IDC_PART_COUNT == PartCountBase &&
              IDC_PART_PREVIEW == PreviewButtonBase && IDC_PART_INSTRUMENT == PartInstrumentBase &&
              IDC_KEY_COMBO == KeyComboBase && IDC_ABOUT_ICON == AboutIcon && IDC_LEVEL == LevelCheck &&
              IDC_AUTO_PLAY == AutoPlayCheck && IDC_KEY_LAYOUT == KeyLayoutButton &&
              IDC_SPEED_10 == Speed10Radio && IDC_KEYS_15 == Keys15Radio && IDC_KEY_RESET == KeyResetButton &&
              IDC_SHARED_KEYS == SharedKeysText && IDC_ABOUT_SOUND == AboutSoundText &&
              IDC_OFFSET == OffsetField);

#ifdef TF_HAVE_RESOURCES

/// Reads a dialog template resource as Windows stores it.
class DialogReader {
public:
    explicit DialogReader(int id) {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)); // RT_DIALOG
        if (found != nullptr) {
            at = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
            end = at + SizeofResource(nullptr, found);
        }
    }
    bool valid() const { return at != nullptr; }
    std::uint32_t dword() { return word() | static_cast<std::uint32_t>(word()) << 16; }
    std::uint16_t word() {
        if (at + 2 > end) {
            ADD_FAILURE() << "read past the end of the dialog resource";
            return 0;
        }
        std::uint16_t value;
        std::memcpy(&value, at, 2);
        at += 2;
        return value;
    }
    short coordinate() { return static_cast<short>(word()); }
    /// A string, or "#n" for an ordinal.
    std::string text() {
        std::uint16_t first = word();
        if (first == 0xFFFF) {
            return "#" + std::to_string(word());
        }
        std::wstring wide;
        for (; first != 0; first = word()) {
            wide.push_back(static_cast<wchar_t>(first));
        }
        return Narrow(wide);
    }
    void alignToDword(const std::uint8_t* base) {
        while ((at - base) % 4 != 0) {
            ++at;
        }
    }
    const std::uint8_t* position() const { return at; }

private:
    const std::uint8_t* at = nullptr;
    const std::uint8_t* end = nullptr;
};

std::string ClassFor(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Icon:
        return "STATIC";
    case ControlKind::DropDownList:
        return "COMBOBOX";
    case ControlKind::NumberField:
        return "EDIT";
    default:
        return "BUTTON";
    }
}

/// A control's class by name, whether the template holds the name or the predefined atom.
std::string ClassName(std::string stored) {
    if (stored == "#128") {
        return "BUTTON";
    }
    if (stored == "#130") {
        return "STATIC";
    }
    if (stored == "#133") {
        return "COMBOBOX";
    }
    if (stored == "#129") {
        return "EDIT";
    }
    for (char& c : stored) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return stored;
}

DWORD TypeBits(ControlKind kind) {
    switch (kind) {
    case ControlKind::GroupBox:
        return BS_GROUPBOX;
    case ControlKind::CheckBox:
        return BS_AUTOCHECKBOX;
    case ControlKind::RadioButton:
        return BS_AUTORADIOBUTTON;
    case ControlKind::PushButton:
        return BS_PUSHBUTTON;
    case ControlKind::DefaultPushButton:
        return BS_DEFPUSHBUTTON;
    case ControlKind::DropDownList:
        return CBS_DROPDOWNLIST;
    case ControlKind::Icon:
        return SS_ICON;
    case ControlKind::Label:
        return SS_LEFT;
    case ControlKind::NumberField:
        return ES_RIGHT;
    }
    return 0;
}

void ExpectDialogMatches(int id, const DialogTemplate& expected, int x, int y, bool checkLabelTexts) {
    SCOPED_TRACE("dialog " + std::to_string(id));
    DialogReader reader(id);
    ASSERT_TRUE(reader.valid());
    const std::uint8_t* base = reader.position();
    const DWORD style = reader.dword();
    EXPECT_EQ(style & (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT),
              static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    reader.dword();
    const std::uint16_t count = reader.word();
    EXPECT_EQ(reader.coordinate(), x);
    EXPECT_EQ(reader.coordinate(), y);
    EXPECT_EQ(reader.coordinate(), expected.width);
    EXPECT_EQ(reader.coordinate(), expected.height);
    EXPECT_EQ(reader.text(), "");
    EXPECT_EQ(reader.text(), "");
    EXPECT_EQ(reader.text(), expected.caption);
    EXPECT_EQ(reader.word(), expected.fontPoints);
    EXPECT_EQ(reader.text(), "MS UI Gothic");
    ASSERT_EQ(count, expected.controls.size());
    for (const DialogControl& control : expected.controls) {
        SCOPED_TRACE("control " + std::to_string(control.id) + " " + control.caption);
        reader.alignToDword(base);
        const DWORD controlStyle = reader.dword();
        reader.dword();
        EXPECT_EQ(reader.coordinate(), control.x);
        EXPECT_EQ(reader.coordinate(), control.y);
        if (control.kind != ControlKind::Icon) {
            EXPECT_EQ(reader.coordinate(), control.width);
            EXPECT_EQ(reader.coordinate(), control.height);
        } else {
            reader.dword();
        }
        EXPECT_EQ(static_cast<short>(reader.word()), control.id);
        EXPECT_EQ(ClassName(reader.text()), ClassFor(control.kind));
        const std::string caption = reader.text();
        if (control.kind == ControlKind::Icon) {
            EXPECT_EQ(caption, "#131");
        } else if (control.kind != ControlKind::Label || checkLabelTexts) {
            EXPECT_EQ(caption, control.caption);
        }
        const DWORD typeMask = control.kind == ControlKind::DropDownList ? 0x3u : 0x1Fu;
        EXPECT_EQ(controlStyle & typeMask, TypeBits(control.kind));
        const bool tabStop = (controlStyle & WS_TABSTOP) != 0;
        if (control.kind == ControlKind::RadioButton) {
            EXPECT_FALSE(tabStop);
        } else if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::PushButton ||
                   control.kind == ControlKind::DefaultPushButton ||
                   control.kind == ControlKind::NumberField) {
            EXPECT_TRUE(tabStop);
        }
        if (control.kind == ControlKind::DropDownList) {
            EXPECT_NE(controlStyle & WS_VSCROLL, 0u);
        }
        const std::uint16_t extra = reader.word();
        for (int i = 0; i < extra; i += 2) {
            reader.word();
        }
    }
}

TEST(Resources, DialogsHaveEveryControlWithItsIdCaptionStyleAndPlace) {
    ExpectDialogMatches(IDD_PARTS, PartDialogTemplate(), 0, 0, true);
    ExpectDialogMatches(IDD_KEYS, KeyDialogTemplate(), 0, 0, true);
    // The about box's credit lines are the Windows build's own.
    ExpectDialogMatches(IDD_ABOUT, AboutDialogTemplate(), 22, 17, false);
}

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(Resources, RadioButtonGroupsStartAtTheirFirstButtonAndEndAtTheNextGroup) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PARTS), nullptr,
                                     IgnoreEverything, 0);
    if (dialog == nullptr) {
        GTEST_SKIP() << "no dialog can be made here (no display)";
    }
    CheckRadioButton(dialog, IDC_SPEED_10, IDC_SPEED_30, IDC_SPEED_20);
    HWND speed = GetDlgItem(dialog, IDC_SPEED_10);
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, IDC_SPEED_30), FALSE), speed);
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, IDC_KEYS_15), FALSE),
              GetDlgItem(dialog, IDC_KEYS_5));
    DestroyWindow(dialog);
}

TEST(Resources, VersionResourceAndAboutBoxCarryTheProjectVersion) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)); // RT_VERSION
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    // The fixed part starts with its signature on a DWORD boundary; the file and product
    // versions follow the structure's own version.
    std::vector<DWORD> fixed;
    for (DWORD at = 0; at + 6 * sizeof(DWORD) <= size && fixed.empty(); at += sizeof(DWORD)) {
        DWORD word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        if (word == 0xFEEF04BDu) {
            fixed.resize(6);
            std::memcpy(fixed.data(), bytes + at, 6 * sizeof(DWORD));
        }
    }
    ASSERT_FALSE(fixed.empty()) << "no VS_FIXEDFILEINFO in the version resource";
    const DWORD high = static_cast<DWORD>(TF_VERSION_MAJOR) << 16 | TF_VERSION_MINOR;
    const DWORD low = static_cast<DWORD>(TF_VERSION_PATCH) << 16;
    EXPECT_EQ(fixed[2], high);
    EXPECT_EQ(fixed[3], low);
    EXPECT_EQ(fixed[4], high);
    EXPECT_EQ(fixed[5], low);

    HWND about = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), nullptr,
                                    IgnoreEverything, 0);
    if (about == nullptr) {
        GTEST_SKIP() << "no dialog can be made here (no display)";
    }
    std::vector<std::string> texts;
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[100]{};
        GetWindowTextW(child, text, 100);
        texts.push_back(Narrow(text));
    }
    DestroyWindow(about);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Tonefalls Version 0.21 - QUILL MIX"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(Version)), texts.end());
}

TEST(Resources, StringsMenuAndAccelerators) {
    wchar_t text[100]{};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_APP_TITLE, text, 100), 0);
    EXPECT_EQ(std::wstring_view(text), L"Tonefalls QUILL-MIX");
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDC_MAIN, text, 100), 0);
    EXPECT_EQ(std::wstring_view(text), L"TONEFALLS10");

    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_MAIN));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    auto itemText = [](HMENU owner, UINT position) {
        wchar_t buffer[64]{};
        GetMenuStringW(owner, position, buffer, 64, MF_BYPOSITION);
        return Narrow(buffer);
    };
    EXPECT_EQ(itemText(menu, 0), "&GamePlay");
    EXPECT_EQ(itemText(menu, 1), "&View");
    EXPECT_EQ(itemText(menu, 2), "&Help");
    HMENU game = GetSubMenu(menu, 0);
    HMENU view = GetSubMenu(menu, 1);
    HMENU help = GetSubMenu(menu, 2);
    // The window fills "MIDI input", the View menu's last item, as it opens; the resource holds
    // its last item.
    const int midiInputAt = GetMenuItemCount(view) - 1;
    EXPECT_EQ(itemText(view, static_cast<UINT>(midiInputAt)), "&MIDI input");
    HMENU midiInput = GetSubMenu(view, midiInputAt);
    ASSERT_NE(midiInput, nullptr);
    EXPECT_EQ(itemText(midiInput, 0), "None");
    EXPECT_EQ(GetMenuItemID(midiInput, 0), static_cast<UINT>(MidiInputFirstCommand));
    EXPECT_EQ(itemText(game, 0), "&Start...\tF2");
    EXPECT_EQ(GetMenuItemID(game, 0), static_cast<UINT>(StartCommand));
    EXPECT_EQ(itemText(game, 1), "&Recent");
    EXPECT_NE(GetSubMenu(game, 1), nullptr);
    EXPECT_EQ(GetMenuState(game, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(itemText(game, 3), "E&xit");
    EXPECT_EQ(GetMenuItemID(game, 3), static_cast<UINT>(ExitCommand));
    EXPECT_EQ(itemText(view, 1), "×1.&5");
    EXPECT_EQ(GetMenuItemID(view, 3), static_cast<UINT>(ZoomX3Command));
    EXPECT_EQ(itemText(view, 5), "&Full screen\tF11");
    EXPECT_EQ(GetMenuItemID(view, 5), static_cast<UINT>(FullScreenCommand));
    EXPECT_EQ(itemText(help, 0), "&Help...\tF1");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(HelpCommand));
    EXPECT_EQ(itemText(help, 2), "&About...");
    EXPECT_EQ(GetMenuItemID(help, 2), static_cast<UINT>(AboutCommand));
    DestroyMenu(menu);

    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_MAIN));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, keys.data(), static_cast<int>(keys.size()));
    DestroyAcceleratorTable(table);
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[0].key, '/');
    EXPECT_EQ(keys[0].fVirt & (FALT | FVIRTKEY), FALT);
    EXPECT_EQ(keys[0].cmd, AboutCommand);
    EXPECT_EQ(keys[1].key, '?');
    EXPECT_EQ(keys[1].cmd, AboutCommand);
    EXPECT_EQ(keys[2].key, VK_F2);
    EXPECT_NE(keys[2].fVirt & FVIRTKEY, 0);
    EXPECT_EQ(keys[2].cmd, StartCommand);
    EXPECT_EQ(keys[3].key, VK_F1);
    EXPECT_EQ(keys[3].cmd, HelpCommand);
    EXPECT_EQ(keys[4].key, VK_F11);
    EXPECT_EQ(keys[4].cmd, FullScreenCommand);
    EXPECT_EQ(keys[5].key, VK_RETURN);
    EXPECT_EQ(keys[5].fVirt & (FALT | FVIRTKEY), FALT | FVIRTKEY);
    EXPECT_EQ(keys[5].cmd, FullScreenCommand);

    EXPECT_NE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TONEFALLS), IMAGE_ICON, 32, 32, 0),
              nullptr);
    EXPECT_NE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, 16, 16, 0),
              nullptr);
}

#else

TEST(Resources, NeedTheIcons) {
    GTEST_SKIP() << "built without TF_WIN_ICON_DIR: no resources to check";
}

#endif

} // namespace
} // namespace tf
