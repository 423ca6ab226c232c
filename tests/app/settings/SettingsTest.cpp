#include "app/settings/Settings.h"

#include "chart/PlayOptions.h"
#include "tests/support/SmfBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tf {
namespace {

using namespace std::string_literals;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

TEST(SettingsTest, RoundTripThenADamagedHandEditedFileFallsBackFieldByField) {
    test::TempDir dir;
    const auto file = dir.path() / "config" / "tonefalls" / "settings.ini";
    Settings saved;
    saved.autoPlay = true;
    saved.highSpeed = 1.5;
    saved.hidden = true;
    saved.level = 1;
    saved.keys = 15;
    saved.offset = -42;
    saved.zoom = Zoom::X3;
    saved.fullScreen = true;
    saved.smoothFullScreen = true;
    saved.hitErrorBar = true;
    saved.language = Language::English;
    saved.folder = "/home/player/曲 & songs";
    saved.recent.add("/songs/b=c.mid", 0x8001);
    saved.recent.add("/songs/a.mid", 0x0004);
    ASSERT_TRUE(SaveSettings(saved, file)); // the folders are made
    EXPECT_EQ(LoadSettings(file), saved);
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));

    // Every kind of damage at once: bad values, unknown names and sections, a section-less
    // line, a missing '=', CR LF endings, a cut-off last line, a NUL, repeated and oversized
    // recent entries, a path that cannot be written back.
    Write(file, "stray=1\r\n"
                "[Play]\r\n"
                "AutoPlay = yes\r\n"
                "HighSpeed=2.5\r\n"
                "Hidden=1\r\n"
                "Level=7\r\n"
                "Keys= 5 \r\n"
                "Offset=301\r\n"
                "Sudden\r\n"
                "[View]\n"
                "Zoom=4\n"
                "FullScreen=1\n"
                "HitErrorBar=on\n"
                "Language=fr\n"
                "[Mystery]\nZoom=2\n"
                "[Recent]\n"
                "Song1=/songs/a.mid\n"
                "Parts1=70000\n"
                "Song2=/songs/a.mid\n"
                "Song3=\n"
                "Song4=/songs/d.mid\n"
                "Parts4=-3\n"
                "Song9=/songs/too-many.mid\n"
                "Song5=/songs/e.mid\n"
                "Parts5=12\0junk\n"
                "[Files]\n"
                "Folder=/somewhere"s);
    const Settings loaded = LoadSettings(file);
    Settings expected;
    expected.hidden = true;
    expected.keys = 5;
    expected.fullScreen = true;
    expected.folder = "/somewhere";
    expected.recent.append({"/songs/a.mid", 0});
    expected.recent.append({"/songs/d.mid", 0});
    expected.recent.append({"/songs/e.mid", 0});
    EXPECT_EQ(loaded, expected);

    // Not a settings file at all, and no file: the defaults.
    Write(file, std::string(300000, '\xff'));
    EXPECT_EQ(LoadSettings(file), Settings{});
    EXPECT_EQ(LoadSettings(dir.path() / "none.ini"), Settings{});

    // A path with a line break in it is left out rather than split into two entries.
    Settings odd;
    odd.recent.add("/songs/fine.mid", 1);
    odd.recent.add("/songs/two\nlines.mid", 2);
    ASSERT_TRUE(SaveSettings(odd, file));
    EXPECT_EQ(ReadAll(file).find("lines.mid"), std::string::npos);
    ASSERT_EQ(LoadSettings(file).recent.songs().size(), 1u);

    // The play options go both ways through PlayOptions.
    PlayOptions options;
    saved.applyTo(options);
    Settings back;
    back.takeFrom(options);
    EXPECT_TRUE(back.autoPlay && back.hidden && back.highSpeed == 1.5 && back.level == 1 && back.keys == 15);
    EXPECT_EQ(options.judgeOffset(), -42);
    EXPECT_EQ(back.offset, -42);

    // The offset's edges are kept; one past them, or not a whole number, is the default.
    for (const auto& [text, offset] : {std::pair{"-300", -300}, {"300", 300}, {"-301", 0}, {"12.5", 0}}) {
        Write(file, "[Play]\nOffset="s + text + "\n");
        EXPECT_EQ(LoadSettings(file).offset, offset) << text;
    }
}

TEST(SettingsTest, TheFileLivesUnderXdgConfigHomeWhenItIsAbsoluteElseUnderDotConfig) {
    if (!std::filesystem::path("/x").is_absolute()) {
        GTEST_SKIP()
            << "the XDG folder rule is the Linux one; Windows keeps the settings beside the key file";
    }
    EXPECT_EQ(UserSettingsFilePath("/x/cfg", "/home/p"),
              std::filesystem::path("/x/cfg/tonefalls/settings.ini"));
    EXPECT_EQ(UserSettingsFilePath("relative", "/home/p"),
              std::filesystem::path("/home/p/.config/tonefalls/settings.ini"));
    EXPECT_EQ(UserSettingsFilePath(nullptr, "/home/p"),
              std::filesystem::path("/home/p/.config/tonefalls/settings.ini"));
    EXPECT_TRUE(UserSettingsFilePath("", nullptr).empty());
}

TEST(RecentSongsTest, NewestFirstEachPathOnceAtMostEightAndMenuLabelsThatTellThemApart) {
    RecentSongs recent;
    for (int i = 1; i <= 10; ++i) {
        recent.add("/songs/" + std::to_string(i) + ".mid", static_cast<std::uint32_t>(i));
    }
    ASSERT_EQ(recent.songs().size(), 8u);
    EXPECT_EQ(recent.songs().front().path, "/songs/10.mid");
    EXPECT_EQ(recent.songs().back().path, "/songs/3.mid");
    EXPECT_FALSE(recent.partsOf("/songs/2.mid"));

    // Played again: to the front with its new parts, and only once.
    recent.add("/songs/5.mid", 0x30);
    ASSERT_EQ(recent.songs().size(), 8u);
    EXPECT_EQ(recent.songs()[0], (RecentSong{"/songs/5.mid", 0x30}));
    EXPECT_EQ(recent.songs()[1].path, "/songs/10.mid");
    EXPECT_EQ(recent.partsOf("/songs/5.mid"), 0x30u);

    EXPECT_TRUE(recent.remove("/songs/10.mid"));
    EXPECT_FALSE(recent.remove("/songs/10.mid"));
    EXPECT_EQ(recent.songs()[1].path, "/songs/9.mid");
    recent.add("", 1);
    EXPECT_EQ(recent.songs().size(), 7u);

    RecentSongs named;
    named.add("/a/tune.mid", 0);
    named.add("/b/tune.mid", 0);
    named.add("/c/R&B.mid", 0);
    const std::vector<std::string> labels = RecentMenuLabels(named);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], "&1 R&&B.mid");
    EXPECT_EQ(labels[1], "&2 /b/tune.mid");
    EXPECT_EQ(labels[2], "&3 /a/tune.mid");
}

} // namespace
} // namespace tf
