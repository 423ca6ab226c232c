#include "app/text/Texts.h"
#include "app/dialogs/DialogTemplate.h"
#include "app/dialogs/KeyDialog.h"
#include "song/MidiOutDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tf {
namespace {

// Every text the shell can show exists in both languages: a text missing in one would show an
// empty menu item, caption or box. The game's own Japanese texts stay exactly as they were.
TEST(TextsTest, EveryTextHasBothLanguagesAndTheGamesJapaneseStaysAsItWas) {
    for (std::size_t i = 0; i < TextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        EXPECT_FALSE(Text(id, Language::Japanese).empty()) << "text " << i;
        EXPECT_FALSE(Text(id, Language::English).empty()) << "text " << i;
    }
    EXPECT_TRUE(Text(TextId::Count, Language::English).empty());

    EXPECT_EQ(Text(TextId::WindowTitle, Language::Japanese), "Tonefalls QUILL-MIX");
    EXPECT_EQ(Text(TextId::TitlePrompt, Language::Japanese),
              "[Enter] キー、または [F2] キーを押してください");
    EXPECT_EQ(Text(TextId::NoPartQuestion, Language::Japanese),
              "演奏パートが選択されていません。続行しますか？");
    EXPECT_EQ(Text(TextId::LoadFailed, Language::Japanese), "MIDIファイルの読み込みに失敗しました");
    EXPECT_EQ(Text(TextId::CancelButton, Language::Japanese), "ｷｬﾝｾﾙ");
    EXPECT_EQ(Text(TextId::StartItem, Language::Japanese), "&Start...\tF2");
    EXPECT_EQ(PartDialogTemplate(Language::Japanese).caption, "演奏パートを選べ！");
    EXPECT_EQ(AboutDialogTemplate(Language::Japanese).caption, "バージョン情報");
    EXPECT_EQ(LaneName(3, Language::Japanese), "黒鍵盤 2");
    // The output's failure texts come from the core; the table translates them by their words.
    EXPECT_EQ(Text(TextId::OutputNotFound, Language::Japanese),
              MidiOutDevice::OpenFailureText(PortResult::NoDevice));
    EXPECT_EQ(Text(TextId::OutputAllocated, Language::Japanese),
              MidiOutDevice::OpenFailureText(PortResult::InUse));
    EXPECT_EQ(Text(TextId::OutputBadDeviceId, Language::Japanese),
              MidiOutDevice::OpenFailureText(PortResult::NoSuchDevice));
    EXPECT_EQ(Text(TextId::OutputInvalidParam, Language::Japanese),
              MidiOutDevice::OpenFailureText(PortResult::BadArgument));
    EXPECT_EQ(Text(TextId::OutputNoMemory, Language::Japanese),
              MidiOutDevice::OpenFailureText(PortResult::OutOfMemory));
}

// The part labels are made with the table's format, so each language's format must take the
// one number and nothing else; both dialogs share one layout, control for control.
TEST(TextsTest, DialogsInBothLanguagesShareTheirLayoutAndLabelThePartsByNumber) {
    EXPECT_EQ(LaneName(14, Language::English), "White 8");
    for (const auto& [japanese, english] :
         {std::pair{&PartDialogTemplate(Language::Japanese), &PartDialogTemplate(Language::English)},
          std::pair{&KeyDialogTemplate(Language::Japanese), &KeyDialogTemplate(Language::English)},
          std::pair{&AboutDialogTemplate(Language::Japanese), &AboutDialogTemplate(Language::English)}}) {
        SCOPED_TRACE(english->caption);
        EXPECT_NE(japanese->caption, english->caption);
        ASSERT_EQ(japanese->controls.size(), english->controls.size());
        for (std::size_t i = 0; i < japanese->controls.size(); ++i) {
            const DialogControl& a = japanese->controls[i];
            const DialogControl& b = english->controls[i];
            EXPECT_EQ(std::tuple(a.id, a.kind, a.x, a.y, a.width, a.height, a.radioGroup),
                      std::tuple(b.id, b.kind, b.x, b.y, b.width, b.height, b.radioGroup));
            EXPECT_EQ(a.caption.empty(), b.caption.empty()) << i;
        }
    }
    const DialogTemplate& english = PartDialogTemplate(Language::English);
    int parts = 0;
    for (const DialogControl& control : english.controls) {
        parts += control.caption.starts_with("Part ") ? 1 : 0;
    }
    EXPECT_EQ(parts, 16);
    bool found = false;
    for (const DialogControl& control : english.controls) {
        found = found || control.caption == "Part 16";
    }
    EXPECT_TRUE(found);
}

} // namespace
} // namespace tf
