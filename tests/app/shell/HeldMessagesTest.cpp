#include "app/shell/HeldMessages.h"

#include "app/text/NoSoundText.h"
#include "app/text/OutputTexts.h"
#include "platform/MidiPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

class DescribedPort final : public MidiPort {
public:
    PortResult open() override { return PortResult::NoDevice; }
    PortResult sendShort(std::uint32_t) override { return PortResult::NotOpen; }
    PortResult sendLong(std::span<const std::uint8_t>) override { return PortResult::NotOpen; }
    bool longDone() override { return true; }
    PortResult close() override { return PortResult::NotOpen; }
    PortDescription describe() const override { return description; }
    PortDescription description;
};

TEST(HeldMessagesTest, TheBoxNamesTheCauseInThePlayersLanguageAndWaitsForTheWindow) {
    DescribedPort port;
    port.description = {"FluidSynth, default-GM.sf2",
                        "FluidSynth: no audio driver opened (tried pulseaudio, alsa)",
                        PortFailure::NoAudioDriver};
    HeldMessages held(port, true);
    held.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    EXPECT_EQ(held.held(), 1u);

    // The language is asked when the box is shown, not when the message came.
    Language language = Language::Japanese;
    std::vector<std::string> shown;
    held.release(
        [&shown](MessageIcon icon, std::string_view caption, std::string_view text) {
            // The game goes on, silent: a warning, not a stop.
            EXPECT_EQ(icon, MessageIcon::Warning);
            EXPECT_EQ(caption, "Tonefalls");
            shown.emplace_back(text);
        },
        [&language] { return language; });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "オーディオドライバーを開けなかったため、音が出せません。\n"
                        "詳細: FluidSynth: no audio driver opened (tried pulseaudio, alsa)\n"
                        "音を出さずにゲームを続けます。\n\n"
                        "ほかの出力を選ぶオプション:\n"
                        "  --midi-out fluidsynth|alsa:NAME|none\n"
                        "  --audio-driver NAME\n"
                        "  --soundfont FILE");
    EXPECT_EQ(held.held(), 0u);
    // Once released, a message goes straight through, in the language of the moment.
    language = Language::English;
    port.description.cause = PortFailure::NoSoundFont;
    held.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].substr(0, shown[1].find('\n')),
              "The SoundFont (the instruments' sounds) is missing or did not load.");
}

TEST(HeldMessagesTest, APortThatDoesNotSayWhyKeepsTheCoresTextAndWindowsNamesNoOptions) {
    const PortDescription mapper{"Windows MIDI mapper", "the Windows MIDI mapper did not open (result 4)"};
    EXPECT_EQ(
        OutputFailureText(mapper, "指定されたリソースは既に割り当てられています。", false, Language::English),
        "The MIDI output is already in use.\n"
        "Details: the Windows MIDI mapper did not open (result 4)\n"
        "The game plays without sound.");
    EXPECT_EQ(OutputFailureText({"ALSA port x", "", PortFailure::None}, "?", false, Language::English),
              "?\nDetails: ALSA port x did not open\nThe game plays without sound.");
    // A failure is told from another by the output and the library's words; none has no key.
    EXPECT_EQ(OutputFailureKey(mapper),
              "Windows MIDI mapper / the Windows MIDI mapper did not open (result 4)");
    EXPECT_EQ(OutputFailureKey({"Windows MIDI mapper", ""}), "");
    EXPECT_EQ(AboutSoundLine(mapper, true), "Sound: Windows MIDI mapper");
    EXPECT_EQ(AboutSoundLine(mapper, false), "Sound: none");
    EXPECT_EQ(AboutSoundLine({}, true), "Sound: none");
}

} // namespace
} // namespace tf
