#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace tf {

/// What replacing a file's content did.
enum class [[nodiscard]] AtomicWriteResult{Written, Failed};

/// The new content of one file, written beside it and put in its place in one step, so that a
/// failure or a crash at any point leaves either the whole old file or the whole new one.
///
/// The bytes go to "<name>.tmp" in the target's folder (a rename within one folder cannot cross
/// file systems); `commit` flushes them to the disk and renames the temporary file over the
/// target, replacing it on Windows too. Nothing touches the target before that. A writer that is
/// never committed, or whose commit fails, removes its temporary file.
class AtomicFile {
public:
    /// Opens the temporary file at once; `good` says whether that worked.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// True while the temporary file is open and every write so far went through.
    bool good() const { return file_ != nullptr && !failed_; }
    /// Appends `bytes`. A failed write is remembered and fails the commit.
    void write(std::string_view bytes);
    /// Flushes to the disk, closes and renames over the target. Failed when anything did not
    /// work, the target then untouched; a writer commits once, later commits fail.
    AtomicWriteResult commit();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
};

/// The whole of `bytes` as the new content of `target`, through an AtomicFile.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace tf
