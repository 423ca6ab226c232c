#include "game/KeyFile.h"

#include "platform/AtomicFile.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

namespace tf {

namespace {

constexpr std::string_view keyFileName = "Tonefalls.ini";
/// Key files are read as through a 260-character buffer, so that every existing file keeps its
/// meaning: at most 259 characters per read, the line feed included; a longer line arrives as
/// several pieces, each taken as a line of its own.
constexpr std::size_t pieceLimit = 259;
/// Lanes 0 to 14 are stored; lane 15 keeps its default and is never written.
constexpr int storedLanes = 15;

/// The next piece of a line, with its line feed if it has one. False at the end of the data.
bool ReadPiece(std::istream& in, std::string& piece) {
    piece.clear();
    char c = 0;
    while (piece.size() < pieceLimit && in.get(c)) {
        piece.push_back(c);
        if (c == '\n') {
            break;
        }
    }
    return !piece.empty();
}

std::string_view WithoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    // A file edited on Windows ends its lines in CR LF; it reads the same as ours.
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

constexpr bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

/// A decimal code as "%u" reads one: leading white space skipped, an optional '+', then digits
/// up to the first non-digit. Nothing when no digit comes, when a '-' would wrap the number
/// round to a huge code, or when the number does not fit 32 bits.
std::optional<std::uint32_t> ReadCode(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    const std::size_t firstDigit = i;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
        ++i;
    }
    if (i == firstDigit) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

void ReadBindingLine(KeyBindings& keys, std::string_view line) {
    if (line.size() < 5 || !line.starts_with("Key")) {
        return;
    }
    // The two lane characters are deliberately not checked for digits ("Key3 = 65" is lane 14).
    // They count as signed bytes whatever the compiler's char, so a stray byte gives the same
    // lane on every machine.
    const int lane =
        (static_cast<signed char>(line[3]) - '0') * 10 + (static_cast<signed char>(line[4]) - '0');
    if (lane < 0 || lane >= KeyBindings::laneCount) {
        return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    if (const auto code = ReadCode(line.substr(equals + 1))) {
        keys.setKeys(lane, *code, 0);
    }
}

} // namespace

// Joined with '/', which every platform's file calls take, so the name reads the same everywhere.
std::filesystem::path KeyFilePath(const std::filesystem::path& directory) {
    std::filesystem::path path = directory;
    path += '/';
    path += keyFileName;
    return path;
}

void LoadKeyFile(KeyBindings& keys, const std::filesystem::path& directory) {
    std::ifstream in(KeyFilePath(directory), std::ios::binary);
    if (!in.is_open()) {
        static_cast<void>(SaveKeyFile(keys, directory));
        return;
    }
    std::string piece;
    while (ReadPiece(in, piece)) {
        ReadBindingLine(keys, WithoutLineEnd(piece));
    }
}

KeyFileResult SaveKeyFile(const KeyBindings& keys, const std::filesystem::path& directory) {
    std::string text = "[Key]\n";
    for (int lane = 0; lane < storedLanes; ++lane) {
        char line[32];
        std::snprintf(line, sizeof line, "Key%02d = %u\n", lane,
                      static_cast<unsigned>(keys.primaryKey(lane)));
        text += line;
    }

    return WriteFileAtomically(KeyFilePath(directory), text) == AtomicWriteResult::Written
               ? KeyFileResult::Saved
               : KeyFileResult::Failed;
}

} // namespace tf
