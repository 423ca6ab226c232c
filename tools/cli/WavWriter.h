#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>

namespace tf::cli {

/// Writes a 16-bit PCM WAV file as the samples come, so a long song never sits in memory.
class WavWriter {
public:
    /// Creates `path` with the header of an empty file of `channels` channels at `sampleRate`
    /// frames per second. False when the file cannot be created.
    bool open(const std::filesystem::path& path, int sampleRate, int channels);
    /// Appends interleaved samples. False when writing failed or the file would pass the 4 GiB
    /// a WAV header can describe (nothing of `samples` is written then).
    bool write(std::span<const std::int16_t> samples);
    /// Puts the final sizes in the header and closes the file. False on any failure so far.
    bool finish();

    std::uint32_t dataBytes() const { return written; }

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> file;
    std::uint32_t written = 0;
    bool failed = false;
};

} // namespace tf::cli
