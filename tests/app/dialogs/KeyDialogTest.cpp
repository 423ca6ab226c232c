#include "app/dialogs/KeyDialog.h"

#include "app/dialogs/DialogIds.h"
#include "app/shell/CommandIds.h"
#include "game/KeyBindings.h"
#include "tests/app/shell/ShellFakes.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

TEST(KeyChoiceTest, DigitsLettersAndPunctuationInListOrder) {
    EXPECT_EQ(KeyChoiceCode(0), 0x30u);
    EXPECT_EQ(KeyChoiceCode(9), 0x39u);
    EXPECT_EQ(KeyChoiceCode(10), 0x41u);
    EXPECT_EQ(KeyChoiceCode(35), 0x5Au);
    EXPECT_EQ(KeyChoiceCode(36), 0xBAu);
    EXPECT_EQ(KeyChoiceCode(47), 0xE2u);
    EXPECT_EQ(KeyChoiceText(10), "A");
    EXPECT_EQ(KeyChoiceText(36), ";");
    EXPECT_EQ(KeyChoiceText(44), "\\");
    for (int index = 0; index < KeyChoiceCount; ++index) {
        EXPECT_EQ(KeyChoiceIndex(KeyChoiceCode(index)), index);
        EXPECT_EQ(KeyChoiceText(index).size(), 1u);
    }
}

TEST(KeyChoiceTest, OutsideTheListNothingIsRead) {
    for (int index : {-1, 48, 1000, -100000}) {
        EXPECT_EQ(KeyChoiceCode(index), 0u);
        EXPECT_EQ(KeyChoiceText(index), "");
    }
    for (std::uint32_t code : {0x00u, 0x2Fu, 0x3Au, 0x40u, 0x5Bu, 0x70u, 0xE1u, 0x1000u}) {
        EXPECT_EQ(KeyChoiceIndex(code), -1) << code;
    }
}

TEST(KeyDialogTest, SelectsEachLanesPrimaryKey) {
    KeyBindings keys;
    KeyDialog dialog(keys);
    dialog.init();
    EXPECT_EQ(dialog.selection(0), 35);  // Z
    EXPECT_EQ(dialog.selection(1), 28);  // S
    EXPECT_EQ(dialog.selection(14), 38); // ,
    EXPECT_EQ(dialog.selection(15), -1);
    EXPECT_EQ(dialog.selection(-1), -1);
}

TEST(KeyDialogTest, OkGivesLanesZeroToFourteenOneKeyEachAndLeavesLaneFifteen) {
    KeyBindings keys;
    keys.setKeys(0, 'Z', 'Q');
    const std::uint32_t lane15Primary = keys.primaryKey(15);
    const std::uint32_t lane15Secondary = keys.secondaryKey(15);
    KeyDialog dialog(keys);
    dialog.init();
    dialog.select(2, 0);
    dialog.select(3, 47);
    test::FakeKeyHost host;
    EXPECT_TRUE(dialog.command(OkButton, host));
    EXPECT_EQ(host.ended, OkButton);
    EXPECT_EQ(keys.primaryKey(0), static_cast<std::uint32_t>('Z'));
    EXPECT_EQ(keys.secondaryKey(0), 0u);
    EXPECT_EQ(keys.primaryKey(2), 0x30u);
    EXPECT_EQ(keys.primaryKey(3), 0xE2u);
    for (int lane = 0; lane < 15; ++lane) {
        EXPECT_EQ(keys.secondaryKey(lane), 0u) << lane;
    }
    EXPECT_EQ(keys.primaryKey(15), lane15Primary);
    EXPECT_EQ(keys.secondaryKey(15), lane15Secondary);
}

TEST(KeyDialogTest, ALaneWithAKeyOutsideTheListShowsNoSelectionAndKeepsItsKeys) {
    KeyBindings keys;
    keys.setKeys(5, 0x70, 0x71);
    KeyDialog dialog(keys);
    dialog.init();
    EXPECT_EQ(dialog.selection(5), -1);
    dialog.select(6, 48); // out of range: no selection either
    EXPECT_EQ(dialog.selection(6), -1);
    test::FakeKeyHost host;
    dialog.command(OkButton, host);
    EXPECT_EQ(keys.primaryKey(5), 0x70u);
    EXPECT_EQ(keys.secondaryKey(5), 0x71u);
}

TEST(KeyDialogTest, CancelStoresNothing) {
    KeyBindings keys;
    KeyDialog dialog(keys);
    dialog.init();
    dialog.select(0, 0);
    test::FakeKeyHost host;
    EXPECT_TRUE(dialog.command(CancelButton, host));
    EXPECT_EQ(host.ended, CancelButton);
    EXPECT_EQ(keys.primaryKey(0), static_cast<std::uint32_t>('Z'));
    EXPECT_FALSE(dialog.command(1051, host));
}

TEST(KeyDialogTest, SharedKeysAreNamedAndKeptOnlyWhenThePlayerSaysSo) {
    KeyBindings keys;
    KeyDialog dialog(keys);
    dialog.init();
    EXPECT_EQ(dialog.duplicateText(), "");
    dialog.select(3, KeyChoiceIndex('Z'));  // 黒鍵盤 2 takes lane 0's Z
    dialog.select(14, KeyChoiceIndex('Z')); // and 白鍵盤 8 too
    dialog.select(5, KeyChoiceIndex('S'));  // 黒鍵盤 3 takes lane 1's S
    EXPECT_EQ(dialog.duplicateText(),
              "同じキーのレーン: 白鍵盤 1 と 黒鍵盤 2 と 白鍵盤 8 (Z)、黒鍵盤 1 と 黒鍵盤 3 (S)");

    // No: back to the dialog, nothing stored.
    test::FakeKeyHost host;
    host.answers = {false};
    EXPECT_TRUE(dialog.command(OkButton, host));
    EXPECT_EQ(host.ended, 0);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], dialog.duplicateText() + "\nこのままでよろしいですか？");
    EXPECT_EQ(keys.primaryKey(3), static_cast<std::uint32_t>('D'));
    // Yes: stored as chosen.
    host.answers = {true};
    dialog.command(OkButton, host);
    EXPECT_EQ(host.ended, OkButton);
    EXPECT_EQ(keys.primaryKey(3), static_cast<std::uint32_t>('Z'));
    EXPECT_EQ(keys.primaryKey(14), static_cast<std::uint32_t>('Z'));
}

TEST(KeyDialogTest, ResetSelectsTheDefaultKeysAndOkStoresThemWithoutAQuestion) {
    KeyBindings keys;
    keys.setKeys(0, 'Q', 0);
    keys.setKeys(7, 'Q', 0);
    KeyDialog dialog(keys);
    dialog.init();
    EXPECT_NE(dialog.duplicateText(), "");
    test::FakeKeyHost host;
    EXPECT_TRUE(dialog.command(KeyResetButton, host));
    EXPECT_EQ(host.ended, 0);
    EXPECT_EQ(dialog.selection(0), KeyChoiceIndex('Z'));
    EXPECT_EQ(dialog.selection(7), KeyChoiceIndex('G'));
    EXPECT_EQ(keys.primaryKey(0), static_cast<std::uint32_t>('Q')); // not stored yet
    EXPECT_EQ(dialog.duplicateText(), "");
    dialog.command(OkButton, host);
    EXPECT_TRUE(host.questions.empty());
    const KeyBindings defaults;
    for (int lane = 0; lane < 15; ++lane) {
        EXPECT_EQ(keys.primaryKey(lane), defaults.primaryKey(lane)) << lane;
    }
}

} // namespace
} // namespace tf
