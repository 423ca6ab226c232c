#include "app/dialogs/PartDialog.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/SongFacts.h"
#include "app/shell/CommandIds.h"
#include "app/shell/WorkerThread.h"
#include "game/GamePlay.h"
#include "platform/KeyLatch.h"
#include "platform/ManualClock.h"
#include "platform/midi/CapturePort.h"
#include "tests/app/shell/ShellFakes.h"
#include "tests/app/shell/Watchdog.h"
#include "tests/support/MessageCounts.h"
#include "tests/support/Recorders.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

using test::WaitUntil;

class PartDialogTest : public ::testing::Test {
protected:
    PartDialogTest() : song(test::TwoSecondSong()), game(clock, latch, port, surface, sink), worker(game) {
        EXPECT_EQ(game.load(song.str()), LoadResult::Loaded);
    }

    int allSoundOffCount() const { return test::CountAllSoundOff(port.messages()); }

    test::Watchdog watchdog;
    test::TempFile song;
    ManualClock clock{500};
    KeyLatch latch;
    CapturePort port{clock};
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game;
    WorkerThread worker;
    test::FakePartHost host;
};

TEST_F(PartDialogTest, FirstOpeningShowsTheDefaultOptionsCountsAndNoPart) {
    PartDialog dialog(game, worker);
    dialog.init();
    EXPECT_TRUE(dialog.checked(Speed10Radio));
    EXPECT_TRUE(dialog.checked(Keys7Radio));
    for (int id :
         {LevelCheck, AutoPlayCheck, HiddenCheck, SuddenCheck, Speed15Radio, Keys5Radio, Keys15Radio}) {
        EXPECT_FALSE(dialog.checked(id)) << id;
    }
    EXPECT_EQ(dialog.text(PartCountBase + 0), "4");
    EXPECT_EQ(dialog.text(PartCountBase + 1), "0");
    EXPECT_EQ(dialog.text(PartCountBase + 15), "0");
    EXPECT_EQ(dialog.text(PartCheckBase), "");
    EXPECT_EQ(dialog.previewPart(), -1);
}

TEST_F(PartDialogTest, OptionsComeBackAsStoredAndPartBoxesEmpty) {
    PartDialog first(game, worker);
    first.init();
    first.setChecked(PartCheckBase + 0, true);
    first.setChecked(LevelCheck, true);
    first.setChecked(AutoPlayCheck, true);
    first.setChecked(Speed30Radio, true);
    first.setChecked(HiddenCheck, true);
    first.setChecked(SuddenCheck, true);
    first.setChecked(Keys15Radio, true);
    EXPECT_TRUE(first.command(OkButton, host));
    EXPECT_EQ(host.ended, OkButton);
    EXPECT_TRUE(first.accepted());
    EXPECT_EQ(game.options().level(), 1);
    EXPECT_TRUE(game.options().autoPlay());
    EXPECT_EQ(game.options().speedMultiplier(), 3.0);
    EXPECT_TRUE(game.options().hidden());
    EXPECT_TRUE(game.options().sudden());
    EXPECT_EQ(game.options().laneCount(), 15);

    PartDialog second(game, worker);
    second.init();
    for (int id : {LevelCheck, AutoPlayCheck, Speed30Radio, HiddenCheck, SuddenCheck, Keys15Radio}) {
        EXPECT_TRUE(second.checked(id)) << id;
    }
    EXPECT_FALSE(second.checked(Speed10Radio));
    EXPECT_FALSE(second.checked(Keys7Radio));
    EXPECT_FALSE(second.checked(PartCheckBase + 0));
}

TEST_F(PartDialogTest, UnknownSpeedAndLaneCountShowAsOneTimesAndSevenKeys) {
    game.options().setSpeedMultiplier(1.25);
    game.options().setLaneCount(9);
    game.options().setLevel(0);
    PartDialog dialog(game, worker);
    dialog.init();
    EXPECT_TRUE(dialog.checked(Speed10Radio));
    EXPECT_TRUE(dialog.checked(Keys7Radio));
    EXPECT_FALSE(dialog.checked(LevelCheck));
}

TEST_F(PartDialogTest, RadioButtonsAreExclusiveWithinTheirGroupOnly) {
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.setChecked(Speed20Radio, true);
    dialog.setChecked(Keys5Radio, true);
    EXPECT_TRUE(dialog.checked(Speed20Radio));
    EXPECT_FALSE(dialog.checked(Speed10Radio));
    EXPECT_TRUE(dialog.checked(Keys5Radio));
    EXPECT_FALSE(dialog.checked(Keys7Radio));
}

TEST_F(PartDialogTest, APartWithoutNotesIsNeitherChosenNorPreviewedAndASongWithoutNotesSaysSo) {
    PartDialog dialog(game, worker);
    dialog.init();
    EXPECT_TRUE(dialog.partEmpty(1));
    EXPECT_FALSE(dialog.partEmpty(0));
    EXPECT_EQ(dialog.previewTip(1), "このパートには音符がないので、聴くものがありません");
    EXPECT_EQ(dialog.caption().find("音符がありません"), std::string::npos);
    dialog.setChecked(PartCheckBase + 1, true);
    EXPECT_FALSE(dialog.checked(PartCheckBase + 1));
    dialog.command(PreviewButtonBase + 1, host);
    EXPECT_EQ(dialog.previewPart(), -1);
    EXPECT_FALSE(worker.running());
    // Only empty parts ticked is none ticked: OK asks the same question.
    host.answers = {false};
    dialog.command(OkButton, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Tonefalls|演奏パートが選択されていません。続行しますか？");

    test::SmfBuilder silent(480, 1);
    silent.track().tempo(0, 500000).end(480);
    ASSERT_EQ(game.loadBytes(silent.bytes(), "silent.mid"), LoadResult::Loaded);
    PartDialog empty(game, worker, Language::English);
    empty.init(0, "silent.mid");
    EXPECT_EQ(empty.caption(), "Choose the parts to play - silent.mid - this song has no notes");
    // A sequencer's stock track name tells one song from no other: the file's name stands in.
    for (const char* stock : {"Track 1", "untitled", "  ", "Sequence 02", "TRACK_10"}) {
        EXPECT_TRUE(IsPlaceholderName(stock)) << stock;
    }
    EXPECT_FALSE(IsPlaceholderName("Track of the Night"));
    EXPECT_FALSE(IsPlaceholderName("Evening Rondo"));
}

TEST_F(PartDialogTest, NoPartAnsweredNoKeepsTheDialogAndStoresNothing) {
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.setChecked(AutoPlayCheck, true);
    host.answers = {false};
    EXPECT_TRUE(dialog.command(OkButton, host));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Tonefalls|演奏パートが選択されていません。続行しますか？");
    EXPECT_EQ(host.ended, 0);
    EXPECT_FALSE(dialog.accepted());
    EXPECT_FALSE(game.options().autoPlay());

    host.answers = {true};
    EXPECT_TRUE(dialog.command(OkButton, host));
    EXPECT_EQ(host.ended, OkButton);
    EXPECT_TRUE(dialog.accepted());
    EXPECT_TRUE(game.options().autoPlay());
}

TEST_F(PartDialogTest, OffsetFieldShowsTheOffsetRefusesWhatIsNoNumberAndHoldsTheRest) {
    game.options().setJudgeOffset(-25);
    PartDialog dialog(game, worker);
    dialog.init(1u);
    EXPECT_EQ(dialog.text(OffsetField), "-25");

    // Not a number: a word, and the dialog stays with nothing stored and nothing asked.
    dialog.setText(OffsetField, "12a");
    dialog.setChecked(AutoPlayCheck, true);
    EXPECT_TRUE(dialog.command(OkButton, host));
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(host.warnings[0], "Tonefalls|オフセットは -300 から 300 までの整数 (ms) で入力してください。");
    EXPECT_EQ(host.ended, 0);
    EXPECT_EQ(game.options().judgeOffset(), -25);
    EXPECT_FALSE(game.options().autoPlay());

    // Beyond the range: held to its edge, which the field then shows.
    dialog.setText(OffsetField, " 4000 ms");
    EXPECT_TRUE(dialog.command(OkButton, host));
    EXPECT_EQ(host.ended, OkButton);
    EXPECT_EQ(game.options().judgeOffset(), 300);
    EXPECT_EQ(dialog.text(OffsetField), "300");

    for (const auto& [text, offset] :
         {std::pair{"", 0}, {"+7", 7}, {"-0", 0}, {"-300", -300}, {"-99999999999", -300}}) {
        EXPECT_EQ(ReadOffsetText(text), offset) << text;
    }
    for (const char* text : {"-", "1 2", "5s", "0x10", "－5"}) {
        EXPECT_EQ(ReadOffsetText(text), std::nullopt) << text;
    }
}

TEST_F(PartDialogTest, TooManyNotesKeepsTheDialogWithTheOptionsAlreadyStored) {
    test::TempFile crowded(test::ManyNotesSong(1001));
    ASSERT_EQ(game.load(crowded.str()), LoadResult::Loaded);
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.setChecked(PartCheckBase + 0, true);
    dialog.setChecked(Speed15Radio, true);
    EXPECT_TRUE(dialog.command(OkButton, host));
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(host.warnings[0], "Tonefalls|ノートの数が多すぎて実行できません");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(host.ended, 0);
    EXPECT_FALSE(dialog.accepted());
    EXPECT_EQ(game.options().speedMultiplier(), 1.5);
}

TEST_F(PartDialogTest, PreviewButtonsStartSwitchAndStop) {
    test::TempFile parts(test::FourPartSong());
    ASSERT_EQ(game.load(parts.str()), LoadResult::Loaded);
    PartDialog dialog(game, worker);
    dialog.init();
    EXPECT_FALSE(dialog.command(PreviewButtonBase + 4, host));
    EXPECT_EQ(dialog.previewPart(), 4);
    EXPECT_TRUE(worker.running());
    EXPECT_TRUE(game.soundedChannels()[4]);

    const int before = allSoundOffCount();
    dialog.command(PreviewButtonBase + 2, host);
    EXPECT_EQ(dialog.previewPart(), 2);
    EXPECT_TRUE(game.soundedChannels()[2]);
    EXPECT_FALSE(game.soundedChannels()[4]);
    EXPECT_EQ(allSoundOffCount(), before + 16);
    EXPECT_TRUE(worker.running());

    // A stop silences the channels and leaves the pause alone.
    dialog.command(PreviewButtonBase + 2, host);
    EXPECT_EQ(dialog.previewPart(), -1);
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(allSoundOffCount(), before + 32);
    EXPECT_FALSE(game.paused());

    // A stopped preview restarts at once on the next click.
    dialog.command(PreviewButtonBase + 0, host);
    EXPECT_EQ(dialog.previewPart(), 0);
    EXPECT_TRUE(worker.running());
    dialog.command(CancelButton, host);
}

TEST_F(PartDialogTest, OkAndCancelStopARunningPreviewFirst) {
    test::TempFile parts(test::FourPartSong());
    ASSERT_EQ(game.load(parts.str()), LoadResult::Loaded);
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.command(PreviewButtonBase + 0, host);
    host.answers = {false};
    dialog.command(OkButton, host); // no part, answered No
    EXPECT_EQ(dialog.previewPart(), -1);
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(host.ended, 0);

    dialog.command(PreviewButtonBase + 3, host);
    EXPECT_TRUE(dialog.command(CancelButton, host));
    EXPECT_EQ(host.ended, CancelButton);
    EXPECT_FALSE(dialog.accepted());
    EXPECT_FALSE(worker.running());
}

TEST_F(PartDialogTest, APreviewThatEndedByItselfIsClearedByTheNextClick) {
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.command(PreviewButtonBase + 0, host);
    WaitUntil([&] {
        clock.advance(50);
        return !worker.running();
    });
    EXPECT_TRUE(game.songFinished());
    EXPECT_EQ(dialog.previewPart(), 0);
    dialog.command(PreviewButtonBase + 0, host);
    EXPECT_EQ(dialog.previewPart(), -1);
    dialog.command(PreviewButtonBase + 0, host);
    EXPECT_EQ(dialog.previewPart(), 0);
    dialog.command(CancelButton, host);
    EXPECT_EQ(dialog.previewPart(), -1);
    EXPECT_FALSE(worker.running());
}

TEST_F(PartDialogTest, KeyLayoutButtonRunsTheKeyDialogAndLeavesThePreviewRunning) {
    PartDialog dialog(game, worker);
    dialog.init();
    dialog.command(PreviewButtonBase + 0, host);
    host.keyDialog = [](KeyDialog& keys) { EXPECT_EQ(keys.selection(0), KeyChoiceIndex('Z')); };
    EXPECT_FALSE(dialog.command(KeyLayoutButton, host));
    EXPECT_EQ(host.keyDialogs, 1);
    EXPECT_TRUE(worker.running());
    EXPECT_FALSE(dialog.command(9999, host));
    dialog.command(CancelButton, host);
}

TEST(PartDialogFactsTest, EachPartSaysItsInstrumentAndTheTitleNamesTheSong) {
    test::SmfBuilder smf(480, 1);
    // The conductor track: its name, then a text event that is not a name.
    smf.track().event(0, {0xFF, 0x03, 5, 'R', 'o', 'n', 'd', 'o'}).text(0, "ignored").end(0);
    // Channel 0: a strings change at tick 960 in this track, but the trumpet of the next track,
    // at tick 480, comes first in the song. Channel 2 changes program and plays nothing;
    // channel 3 plays without a change; channel 9 is the drums whatever its program.
    smf.track()
        .program(960, 0, 48)
        .noteOn(0, 0, 60, 100)
        .noteOff(240, 0, 60)
        .program(0, 2, 40)
        .noteOn(0, 3, 50, 100)
        .noteOff(10, 3, 50)
        .raw({0x00, 0xC9, 0x10, 0x00, 0x99, 0x24, 0x64, 0x0A, 0x89, 0x24, 0x00})
        .end(0);
    smf.track().program(480, 0, 56).program(0, 4, 112).end(0);
    test::TempFile song(smf.bytes(), "rondo file.mid");

    ManualClock clock;
    KeyLatch latch;
    CapturePort port(clock);
    NullSurface surface;
    test::RecordingSink sink;
    GamePlay game(clock, latch, port, surface, sink);
    ASSERT_EQ(game.load(song.path()), LoadResult::Loaded);
    WorkerThread worker(game);

    PartDialog english(game, worker, Language::English);
    english.init(0b1001, song.str());
    EXPECT_EQ(english.caption(), "Choose the parts to play - Rondo");
    EXPECT_EQ(english.text(PartInstrumentBase + 0), "Trumpet");
    EXPECT_EQ(english.text(PartInstrumentBase + 2), ""); // no notes
    EXPECT_EQ(english.text(PartInstrumentBase + 3), "Grand Piano");
    EXPECT_EQ(english.text(PartInstrumentBase + 9), "Drums");
    EXPECT_EQ(english.text(PartInstrumentBase + 4), ""); // no notes
    // The parts handed in come ticked.
    EXPECT_TRUE(english.checked(PartCheckBase + 0));
    EXPECT_TRUE(english.checked(PartCheckBase + 3));
    EXPECT_FALSE(english.checked(PartCheckBase + 9));
    EXPECT_EQ(english.partMask(), 0b1001u);

    PartDialog japanese(game, worker);
    japanese.init();
    EXPECT_EQ(japanese.text(PartInstrumentBase + 0), "トランペット");
    EXPECT_EQ(japanese.text(PartInstrumentBase + 9), "ドラム");
    EXPECT_EQ(japanese.partMask(), 0u);

    // A name in another encoding than UTF-8 (here Shift-JIS) gives way to the file name.
    test::SmfBuilder sjis(480, 0);
    sjis.track()
        .event(0, {0xFF, 0x03, 4, 0x83, 0x65, 0x83, 0x58})
        .noteOn(0, 0, 60, 90)
        .noteOff(10, 0, 60)
        .end(0);
    test::TempFile other(sjis.bytes(), "other song.mid");
    ASSERT_EQ(game.load(other.path()), LoadResult::Loaded);
    PartDialog fallback(game, worker);
    fallback.init(0, other.str());
    EXPECT_EQ(fallback.caption(), "演奏パートを選べ！ - other song.mid");
}

} // namespace
} // namespace tf
