#include "platform/AtomicFile.h"

#include "platform/FolderSync.h"

#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tf {

namespace {

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    // The wide name: a narrow one would pass through the code page and lose what it cannot spell.
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

/// Hands what the C library holds to the system and waits until the system has it on the disk.
bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::filesystem::path TemporaryFor(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(TemporaryFor(target_)), file_(OpenForWriting(temporary_)) {
    // What could not be opened is not this writer's to remove (it may be a folder of that name).
    if (file_ == nullptr) {
        temporary_.clear();
    }
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::write(std::string_view bytes) {
    if (good() && std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        failed_ = true;
    }
}

AtomicWriteResult AtomicFile::commit() {
    if (!good()) {
        discard();
        return AtomicWriteResult::Failed;
    }
    const bool flushed = FlushToDisk(file_.get());
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed) {
        discard();
        return AtomicWriteResult::Failed;
    }
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        discard();
        return AtomicWriteResult::Failed;
    }
    temporary_.clear();
    SyncFolder(target_.parent_path());
    return AtomicWriteResult::Written;
}

void AtomicFile::discard() {
    // Closed before the removal: Windows will not remove an open file.
    file_.reset();
    failed_ = true;
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        temporary_.clear();
    }
}

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    return file.commit();
}

} // namespace tf
