#include "tests/support/SmfBuilder.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace tf::test {

Bytes Vlq(std::uint32_t value) {
    Bytes out{static_cast<std::uint8_t>(value & 0x7F)};
    value >>= 7;
    while (value != 0) {
        out.insert(out.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    return out;
}

TrackBuilder& TrackBuilder::raw(std::initializer_list<std::uint8_t> bytes) {
    data.insert(data.end(), bytes);
    return *this;
}

TrackBuilder& TrackBuilder::raw(const Bytes& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    return *this;
}

TrackBuilder& TrackBuilder::event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    raw(Vlq(delta));
    return raw(bytes);
}

TrackBuilder& TrackBuilder::noteOn(std::uint32_t delta, int channel, int key, int velocity) {
    return event(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                         static_cast<std::uint8_t>(velocity)});
}

TrackBuilder& TrackBuilder::noteOff(std::uint32_t delta, int channel, int key, int velocity) {
    return event(delta, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key),
                         static_cast<std::uint8_t>(velocity)});
}

TrackBuilder& TrackBuilder::program(std::uint32_t delta, int channel, int program) {
    return event(delta, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
}

TrackBuilder& TrackBuilder::control(std::uint32_t delta, int channel, int controller, int value) {
    return event(delta, {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(controller),
                         static_cast<std::uint8_t>(value)});
}

TrackBuilder& TrackBuilder::tempo(std::uint32_t delta, std::uint32_t us) {
    return event(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16),
                         static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)});
}

TrackBuilder& TrackBuilder::sysex(std::uint32_t delta, const Bytes& payload) {
    raw(Vlq(delta));
    data.push_back(0xF0);
    raw(Vlq(static_cast<std::uint32_t>(payload.size())));
    return raw(payload);
}

TrackBuilder& TrackBuilder::text(std::uint32_t delta, const std::string& text) {
    raw(Vlq(delta));
    raw({0xFF, 0x01});
    raw(Vlq(static_cast<std::uint32_t>(text.size())));
    data.insert(data.end(), text.begin(), text.end());
    return *this;
}

TrackBuilder& TrackBuilder::end(std::uint32_t delta) {
    return event(delta, {0xFF, 0x2F, 0x00});
}

SmfBuilder::SmfBuilder(int division, int format) : division(division), format(format) {}

TrackBuilder& SmfBuilder::track() {
    return tracks.emplace_back();
}

SmfBuilder& SmfBuilder::declaredTracks(int count) {
    declared = count;
    return *this;
}

Bytes SmfBuilder::bytes() const {
    const int count = declared >= 0 ? declared : static_cast<int>(tracks.size());
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    auto put16 = [&](int v) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v));
    };
    put16(format);
    put16(count);
    put16(division);
    for (const auto& t : tracks) {
        const auto& d = t.bytes();
        const auto n = static_cast<std::uint32_t>(d.size());
        out.insert(out.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24),
                               static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n)});
        out.insert(out.end(), d.begin(), d.end());
    }
    return out;
}

namespace {

std::filesystem::path MakeTempDir() {
    static std::atomic<int> serial{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto dir = base / ("tonefalls-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        if (std::filesystem::create_directory(dir)) {
            return dir;
        }
    }
}

} // namespace

TempFile::TempFile(const Bytes& contents, const std::filesystem::path& name)
    : dir(MakeTempDir()), file(dir / name) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(contents.data()), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

TempFile::~TempFile() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

TempDir::TempDir() : dir(MakeTempDir()) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::filesystem::path CorpusDir() {
    // A clone on its own has no corpus; the environment can name one without a new configure.
    const char* fromEnvironment = std::getenv("TF_CORPUS_DIR");
    const std::filesystem::path root =
        fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : TF_CORPUS_DIR;
    return root / "edge-cases";
}

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir(), error)) {
        if (entry.path().extension() == ".mid") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string NoCorpusReason() {
    return "no MIDI corpus at " + CorpusDir().string() +
           ": this sweep needs the shared corpus; set TF_CORPUS_DIR to the folder holding edge-cases/";
}

} // namespace tf::test
