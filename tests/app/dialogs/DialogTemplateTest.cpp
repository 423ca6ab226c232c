#include "app/dialogs/DialogTemplate.h"

#include "app/dialogs/DialogIds.h"
#include "tf_version.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tf {
namespace {

void ExpectPlace(const DialogTemplate& t, int id, int x, int y, int w, int h) {
    const DialogControl* c = t.find(id);
    ASSERT_NE(c, nullptr) << id;
    EXPECT_EQ(c->x, x) << id;
    EXPECT_EQ(c->y, y) << id;
    EXPECT_EQ(c->width, w) << id;
    EXPECT_EQ(c->height, h) << id;
}

const DialogControl* LabelAt(const DialogTemplate& t, int x, int y) {
    for (const DialogControl& c : t.controls) {
        if (c.kind == ControlKind::Label && c.x == x && c.y == y) {
            return &c;
        }
    }
    return nullptr;
}

TEST(DialogTemplateTest, PartDialogRowsStandInTwoColumnsWithTheInstrumentBesideTheCount) {
    const DialogTemplate& t = PartDialogTemplate();
    EXPECT_EQ(t.caption, "演奏パートを選べ！");
    EXPECT_EQ(t.width, 505);
    EXPECT_EQ(t.height, 219);
    ExpectPlace(t, PartCountBase + 0, 48, 30, 18, 12);
    ExpectPlace(t, PartInstrumentBase + 0, 68, 30, 78, 12);
    ExpectPlace(t, PartCheckBase + 0, 148, 30, 12, 12);
    ExpectPlace(t, PreviewButtonBase + 7, 160, 156, 12, 12);
    ExpectPlace(t, PartCountBase + 8, 214, 30, 18, 12);
    ExpectPlace(t, PartInstrumentBase + 15, 234, 156, 78, 12);
    ExpectPlace(t, PartCheckBase + 15, 314, 156, 12, 12);
    ExpectPlace(t, PreviewButtonBase + 15, 326, 156, 12, 12);
    ASSERT_NE(LabelAt(t, 18, 30), nullptr);
    EXPECT_EQ(LabelAt(t, 18, 30)->caption, "パート 1");
    EXPECT_EQ(LabelAt(t, 18, 30)->width, 24);
    ASSERT_NE(LabelAt(t, 184, 48), nullptr);
    EXPECT_EQ(LabelAt(t, 184, 48)->caption, "パート10");
    EXPECT_EQ(LabelAt(t, 184, 48)->width, 30);
}

TEST(DialogTemplateTest, PartDialogOptionsAndButtons) {
    const DialogTemplate& t = PartDialogTemplate();
    ExpectPlace(t, AutoPlayCheck, 356, 24, 48, 12);
    ExpectPlace(t, Speed30Radio, 356, 114, 42, 12);
    ExpectPlace(t, LevelCheck, 428, 24, 54, 12);
    ExpectPlace(t, Keys15Radio, 428, 102, 48, 12);
    ExpectPlace(t, KeyLayoutButton, 434, 126, 42, 18);
    // Our addition: the offset field under KEY, in a box of its own.
    ExpectPlace(t, OffsetField, 428, 168, 36, 12);
    EXPECT_EQ(t.find(OffsetField)->kind, ControlKind::NumberField);
    ExpectPlace(t, 1, 398, 192, 42, 18);
    ExpectPlace(t, 2, 452, 192, 42, 18);
    EXPECT_EQ(t.find(2)->caption, "ｷｬﾝｾﾙ");
    EXPECT_EQ(t.find(1)->kind, ControlKind::DefaultPushButton);
    EXPECT_EQ(t.find(Speed10Radio)->caption, "×1.0");
    EXPECT_EQ(t.find(LevelCheck)->caption, "同時押し無し");
    EXPECT_EQ(t.find(Speed10Radio)->radioGroup, t.find(Speed30Radio)->radioGroup);
    EXPECT_NE(t.find(Speed10Radio)->radioGroup, t.find(Keys5Radio)->radioGroup);
    std::set<int> ids;
    for (const DialogControl& c : t.controls) {
        if (c.id != NoControlId) {
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
    }
    EXPECT_EQ(ids.size(), 16u * 4 + 15);
}

TEST(DialogTemplateTest, KeyDialogHasFifteenLanes) {
    const DialogTemplate& t = KeyDialogTemplate();
    EXPECT_EQ(t.caption, "キー配置");
    ExpectPlace(t, KeyComboBase + 0, 54, 18, 54, 100);
    ExpectPlace(t, KeyComboBase + 7, 54, 144, 54, 100);
    ExpectPlace(t, KeyComboBase + 8, 168, 18, 54, 100);
    ExpectPlace(t, KeyComboBase + 14, 168, 126, 54, 100);
    EXPECT_EQ(t.find(KeyComboBase + 15), nullptr);
    EXPECT_EQ(LabelAt(t, 12, 18)->caption, "白鍵盤 1");
    EXPECT_EQ(LabelAt(t, 12, 36)->caption, "黒鍵盤 1");
    EXPECT_EQ(LabelAt(t, 126, 126)->caption, "白鍵盤 8");
    ExpectPlace(t, 1, 132, 162, 42, 18);
    // Our additions: the reset button left of OK, and a line under the buttons for shared keys.
    ExpectPlace(t, KeyResetButton, 12, 162, 54, 18);
    EXPECT_EQ(t.find(KeyResetButton)->caption, "既定に戻す");
    ExpectPlace(t, SharedKeysText, 12, 186, 215, 20);
    EXPECT_LE(186 + 20, t.height);
}

TEST(DialogTemplateTest, AboutBoxNamesTheVersion) {
    const DialogTemplate& t = AboutDialogTemplate();
    EXPECT_EQ(t.caption, "バージョン情報");
    EXPECT_EQ(t.fontPoints, 12);
    ASSERT_NE(LabelAt(t, 49, 10), nullptr);
    EXPECT_EQ(LabelAt(t, 49, 10)->caption, "Tonefalls Version 0.21 - QUILL MIX");
    EXPECT_NE(LabelAt(t, 48, 24), nullptr);
    // The output line may wrap under the OK button, inside the box.
    ExpectPlace(t, AboutSoundText, 48, 44, 176, 24);
    EXPECT_LE(44 + 24, t.height);
    EXPECT_LE(48 + 176, t.width);
    // The release number under the icon, clear of the lines beside it.
    ASSERT_NE(LabelAt(t, 14, 34), nullptr);
    EXPECT_EQ(LabelAt(t, 14, 34)->caption, std::string(Version));
    EXPECT_LE(14 + LabelAt(t, 14, 34)->width, 48);
    ExpectPlace(t, AboutIcon, 14, 9, 21, 20);
}

} // namespace
} // namespace tf
