#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace tf::test {

using Bytes = std::vector<std::uint8_t>;

/// The bytes of a variable-length quantity.
Bytes Vlq(std::uint32_t value);

/// One track's events, written with their deltas.
class TrackBuilder {
public:
    /// Bytes as they stand (no delta).
    TrackBuilder& raw(std::initializer_list<std::uint8_t> bytes);
    TrackBuilder& raw(const Bytes& bytes);
    /// A delta then the event bytes.
    TrackBuilder& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    TrackBuilder& noteOn(std::uint32_t delta, int channel, int key, int velocity);
    TrackBuilder& noteOff(std::uint32_t delta, int channel, int key, int velocity = 64);
    TrackBuilder& program(std::uint32_t delta, int channel, int program);
    TrackBuilder& control(std::uint32_t delta, int channel, int controller, int value);
    TrackBuilder& tempo(std::uint32_t delta, std::uint32_t microsPerQuarter);
    /// F0, the length, then `payload` (which should end in F7 for a whole message).
    TrackBuilder& sysex(std::uint32_t delta, const Bytes& payload);
    TrackBuilder& text(std::uint32_t delta, const std::string& text);
    TrackBuilder& end(std::uint32_t delta = 0);
    const Bytes& bytes() const { return data; }

private:
    Bytes data;
};

/// A Standard MIDI File built in memory.
class SmfBuilder {
public:
    explicit SmfBuilder(int division = 480, int format = 1);
    TrackBuilder& track();
    /// Overrides the track count written in the header (default: the tracks added).
    SmfBuilder& declaredTracks(int count);
    Bytes bytes() const;

private:
    int division;
    int format;
    int declared = -1;
    std::vector<TrackBuilder> tracks;
};

/// A file in a fresh temporary directory, removed with its directory on destruction.
class TempFile {
public:
    explicit TempFile(const Bytes& contents, const std::filesystem::path& name = "song.mid");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::filesystem::path& path() const { return file; }
    std::string str() const { return file.string(); }
    const std::filesystem::path& directory() const { return dir; }

private:
    std::filesystem::path dir;
    std::filesystem::path file;
};

/// A fresh empty temporary directory, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return dir; }
    std::string str() const { return dir.string(); }

private:
    std::filesystem::path dir;
};

/// The corpus of awkward MIDI files, which is not part of the repository: its edge-cases
/// folder under the environment's TF_CORPUS_DIR, or else under the one the build was configured
/// with (by default ../shared/corpus beside the project).
std::filesystem::path CorpusDir();
/// Every .mid file of the corpus, sorted by name; empty when there is no corpus.
std::vector<std::filesystem::path> CorpusFiles();
/// Why a corpus sweep skips: where it looked and how to point it at a corpus.
std::string NoCorpusReason();

} // namespace tf::test
