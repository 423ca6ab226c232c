#include "tools/cli/WavWriter.h"

#include <array>
#include <vector>

namespace tf::cli {

namespace {

constexpr std::uint32_t HeaderBytes = 44;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

std::vector<std::uint8_t> Header(std::uint32_t sampleRate, std::uint32_t channels, std::uint32_t dataBytes) {
    std::vector<std::uint8_t> h;
    PutTag(h, "RIFF");
    PutLe(h, HeaderBytes - 8 + dataBytes, 4);
    PutTag(h, "WAVE");
    PutTag(h, "fmt ");
    PutLe(h, 16, 4);
    PutLe(h, 1, 2); // PCM
    PutLe(h, channels, 2);
    PutLe(h, sampleRate, 4);
    PutLe(h, sampleRate * channels * 2, 4);
    PutLe(h, channels * 2, 2);
    PutLe(h, 16, 2);
    PutTag(h, "data");
    PutLe(h, dataBytes, 4);
    return h;
}

} // namespace

bool WavWriter::open(const std::filesystem::path& path, int sampleRate, int channels) {
    file.reset(std::fopen(path.c_str(), "wb"));
    written = 0;
    failed = !file;
    if (failed) {
        return false;
    }
    const auto header =
        Header(static_cast<std::uint32_t>(sampleRate), static_cast<std::uint32_t>(channels), 0);
    failed = std::fwrite(header.data(), 1, header.size(), file.get()) != header.size();
    return !failed;
}

bool WavWriter::write(std::span<const std::int16_t> samples) {
    if (failed || !file) {
        return false;
    }
    const std::uint64_t bytes = samples.size() * 2;
    if (HeaderBytes - 8 + std::uint64_t{written} + bytes > 0xFFFFFFFFu) {
        failed = true;
        return false;
    }
    std::array<std::uint8_t, 4096> block;
    std::size_t used = 0;
    for (std::int16_t sample : samples) {
        const auto bits = static_cast<std::uint16_t>(sample);
        block[used++] = static_cast<std::uint8_t>(bits);
        block[used++] = static_cast<std::uint8_t>(bits >> 8);
        if (used == block.size()) {
            failed |= std::fwrite(block.data(), 1, used, file.get()) != used;
            used = 0;
        }
    }
    failed |= std::fwrite(block.data(), 1, used, file.get()) != used;
    written += static_cast<std::uint32_t>(bytes);
    return !failed;
}

bool WavWriter::finish() {
    if (!file) {
        return false;
    }
    if (!failed) {
        // The rate and layout were written by open; only the two sizes change.
        std::vector<std::uint8_t> riffSize;
        PutLe(riffSize, HeaderBytes - 8 + written, 4);
        std::vector<std::uint8_t> dataSize;
        PutLe(dataSize, written, 4);
        failed = std::fseek(file.get(), 4, SEEK_SET) != 0 ||
                 std::fwrite(riffSize.data(), 1, 4, file.get()) != 4 ||
                 std::fseek(file.get(), HeaderBytes - 4, SEEK_SET) != 0 ||
                 std::fwrite(dataSize.data(), 1, 4, file.get()) != 4;
    }
    failed |= std::fclose(file.release()) != 0;
    return !failed;
}

} // namespace tf::cli
