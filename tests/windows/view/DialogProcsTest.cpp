#include "app/win32/DialogProcs.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/KeyDialog.h"
#include "app/dialogs/PartDialog.h"
#include "app/shell/CommandIds.h"
#include "app/shell/WorkerThread.h"
#include "game/GamePlay.h"
#include "game/KeyBindings.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "platform/win32/WideText.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/support/Recorders.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace tf {
namespace {

/// A dialog of the program's resources made without a modal loop, destroyed with the object.
template <typename Model> class OpenDialog {
public:
    OpenDialog(int resource, DLGPROC procedure, Model& model) : context{GetModuleHandleW(nullptr), model} {
        dialog = CreateDialogParamW(context.instance, MAKEINTRESOURCEW(resource), nullptr, procedure,
                                    reinterpret_cast<LPARAM>(&context));
    }
    ~OpenDialog() {
        if (dialog != nullptr) {
            DestroyWindow(dialog);
        }
    }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

    HWND handle() const { return dialog; }
    /// The player clicks the button `id`, as Windows reports it.
    void click(int id) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    /// The player ticks or clears the box `id`; an auto button ticks itself before it reports.
    void tick(int id, bool on) {
        CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
        click(id);
    }
    bool ticked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    std::wstring text(int id) const {
        std::wstring text(128, L'\0');
        text.resize(static_cast<std::size_t>(GetDlgItemTextW(dialog, id, text.data(), 128)));
        return text;
    }

private:
    DialogContext<Model> context;
    HWND dialog = nullptr;
};

class DialogProcsTest : public ::testing::Test {
protected:
    DialogProcsTest() : song(test::TwoSecondSong()), game(clock, latch, port, surface, sink), worker(game) {
        EXPECT_EQ(game.load(song.str()), LoadResult::Loaded);
    }

    test::TempFile song;
    ManualClock clock{0};
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game;
    WorkerThread worker;
};

TEST_F(DialogProcsTest, PartDialogShowsTheStoredOptionsTheCountsAndNoPart) {
    game.options().setSpeedMultiplier(2.0);
    game.options().setLaneCount(15);
    game.options().setHidden(true);
    PartDialog model(game, worker);
    model.init();
    OpenDialog dialog(101, PartDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);

    EXPECT_TRUE(dialog.ticked(Speed20Radio));
    EXPECT_FALSE(dialog.ticked(Speed10Radio));
    EXPECT_TRUE(dialog.ticked(Keys15Radio));
    EXPECT_FALSE(dialog.ticked(Keys7Radio));
    EXPECT_TRUE(dialog.ticked(HiddenCheck));
    EXPECT_FALSE(dialog.ticked(SuddenCheck));
    for (int channel = 0; channel < 16; ++channel) {
        EXPECT_FALSE(dialog.ticked(PartCheckBase + channel)) << channel;
        EXPECT_EQ(dialog.text(PartCountBase + channel), channel == 0 ? L"4" : L"0") << channel;
    }
}

TEST_F(DialogProcsTest, PartDialogOkStoresWhatThePlayerTickedAndBuildsTheChart) {
    PartDialog model(game, worker);
    model.init();
    OpenDialog dialog(101, PartDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);
    dialog.tick(PartCheckBase, true);
    dialog.tick(SuddenCheck, true);
    // The radio buttons clear their group themselves; only the one clicked reports.
    CheckDlgButton(dialog.handle(), Speed10Radio, BST_UNCHECKED);
    dialog.tick(Speed30Radio, true);
    CheckDlgButton(dialog.handle(), Keys7Radio, BST_UNCHECKED);
    dialog.tick(Keys5Radio, true);
    dialog.click(OkButton);

    EXPECT_TRUE(model.accepted());
    EXPECT_EQ(game.options().speedMultiplier(), 3.0);
    EXPECT_EQ(game.options().laneCount(), 5);
    EXPECT_TRUE(game.options().sudden());
    EXPECT_FALSE(game.options().hidden());
    EXPECT_EQ(game.options().level(), 2);
}

TEST_F(DialogProcsTest, PartDialogCancelStoresNothing) {
    PartDialog model(game, worker);
    model.init();
    OpenDialog dialog(101, PartDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);
    dialog.tick(PartCheckBase, true);
    dialog.tick(LevelCheck, true);
    dialog.click(CancelButton);
    EXPECT_FALSE(model.accepted());
    EXPECT_EQ(game.options().level(), 2);
}

TEST_F(DialogProcsTest, KeyDialogOffersTheFortyEightKeysAndStoresTheChosenOne) {
    game.keyBindings().setKeys(0, 'S', 'X');
    game.keyBindings().setKeys(1, 0x30, 0);
    KeyDialog model(game.keyBindings());
    model.init();
    OpenDialog dialog(104, KeyDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);

    const HWND lane0 = GetDlgItem(dialog.handle(), KeyComboBase);
    ASSERT_EQ(SendMessageW(lane0, CB_GETCOUNT, 0, 0), KeyChoiceCount);
    std::wstring entry(4, L'\0');
    entry.resize(static_cast<std::size_t>(
        SendMessageW(lane0, CB_GETLBTEXT, 10, reinterpret_cast<LPARAM>(entry.data()))));
    EXPECT_EQ(entry, L"A");
    EXPECT_EQ(SendMessageW(lane0, CB_GETCURSEL, 0, 0), KeyChoiceIndex('S'));
    EXPECT_EQ(SendDlgItemMessageW(dialog.handle(), KeyComboBase + 1, CB_GETCURSEL, 0, 0), 0);

    SendMessageW(lane0, CB_SETCURSEL, 35, 0);
    dialog.click(OkButton);
    EXPECT_EQ(game.keyBindings().primaryKey(0), 0x5Au);
    EXPECT_EQ(game.keyBindings().secondaryKey(0), 0u);
}

TEST_F(DialogProcsTest, KeyDialogCancelKeepsTheKeys) {
    game.keyBindings().setKeys(0, 'S', 'X');
    KeyDialog model(game.keyBindings());
    model.init();
    OpenDialog dialog(104, KeyDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);
    SendDlgItemMessageW(dialog.handle(), KeyComboBase, CB_SETCURSEL, 35, 0);
    dialog.click(CancelButton);
    EXPECT_EQ(game.keyBindings().primaryKey(0), static_cast<std::uint32_t>('S'));
    EXPECT_EQ(game.keyBindings().secondaryKey(0), static_cast<std::uint32_t>('X'));
}

TEST_F(DialogProcsTest, KeyDialogNamesSharedKeysAsTheyAreChosenAndResetsToTheDefaults) {
    game.keyBindings().setKeys(0, 'Q', 0);
    KeyDialog model(game.keyBindings());
    model.init();
    OpenDialog dialog(104, KeyDialogProc, model);
    ASSERT_NE(dialog.handle(), nullptr);
    EXPECT_EQ(dialog.text(SharedKeysText), L"");
    const HWND lane3 = GetDlgItem(dialog.handle(), KeyComboBase + 3);
    SendMessageW(lane3, CB_SETCURSEL, static_cast<WPARAM>(KeyChoiceIndex('Q')), 0);
    SendMessageW(dialog.handle(), WM_COMMAND, MAKEWPARAM(KeyComboBase + 3, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(lane3));
    EXPECT_EQ(dialog.text(SharedKeysText), Widen("同じキーのレーン: 白鍵盤 1 と 黒鍵盤 2 (Q)"));

    dialog.click(KeyResetButton);
    EXPECT_EQ(SendDlgItemMessageW(dialog.handle(), KeyComboBase, CB_GETCURSEL, 0, 0), KeyChoiceIndex('Z'));
    EXPECT_EQ(SendMessageW(lane3, CB_GETCURSEL, 0, 0), KeyChoiceIndex('D'));
    EXPECT_EQ(dialog.text(SharedKeysText), L"");
    EXPECT_EQ(game.keyBindings().primaryKey(0), static_cast<std::uint32_t>('Q')); // not before OK
    dialog.click(OkButton);
    EXPECT_EQ(game.keyBindings().primaryKey(0), static_cast<std::uint32_t>('Z'));
}

TEST_F(DialogProcsTest, AboutBoxNamesTheOutputAndAnswersOnlyOkAndCancel) {
    AboutContext context{L"Sound: Windows MIDI mapper", Language::English};
    const HWND about = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(103), nullptr,
                                          AboutDialogProc, reinterpret_cast<LPARAM>(&context));
    ASSERT_NE(about, nullptr);
    std::wstring shown(64, L'\0');
    shown.resize(static_cast<std::size_t>(GetDlgItemTextW(about, AboutSoundText, shown.data(), 64)));
    EXPECT_EQ(shown, context.soundLine);
    // The resource's Japanese caption gives way to the language asked for.
    std::wstring caption(64, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(about, caption.data(), 64)));
    EXPECT_EQ(caption, L"About Tonefalls");
    EXPECT_EQ(AboutDialogProc(about, WM_COMMAND, MAKEWPARAM(1049, BN_CLICKED), 0), FALSE);
    EXPECT_EQ(AboutDialogProc(about, WM_COMMAND, MAKEWPARAM(OkButton, BN_CLICKED), 0), TRUE);
    DestroyWindow(about);
}

} // namespace
} // namespace tf
