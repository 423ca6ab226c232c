#include "records/DurableFile.h"

#include "platform/FolderSync.h"

#include <cerrno>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tf {

namespace {

#ifdef _WIN32

/// An open handle, closed when it goes.
class File {
public:
    explicit File(HANDLE handle) : handle(handle) {}
    ~File() {
        if (open()) {
            CloseHandle(handle);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool open() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }

private:
    HANDLE handle;
};

bool WriteAll(HANDLE handle, std::string_view bytes) {
    DWORD written = 0;
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size();
}

bool EndsInLineEnd(HANDLE handle) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle, &size) == 0 || size.QuadPart == 0) {
        return true;
    }
    char last = '\n';
    DWORD read = 0;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(size.QuadPart - 1);
    at.OffsetHigh = static_cast<DWORD>((size.QuadPart - 1) >> 32);
    return ReadFile(handle, &last, 1, &read, &at) == 0 || read != 1 || last == '\n';
}

#else

/// An open descriptor, closed when it goes.
class File {
public:
    explicit File(int descriptor) : descriptor(descriptor) {}
    ~File() {
        if (open()) {
            ::close(descriptor);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool open() const { return descriptor >= 0; }
    int get() const { return descriptor; }

private:
    int descriptor;
};

bool WriteAll(int descriptor, std::string_view bytes) {
    // One call: a second one would let another appender's line in between.
    ssize_t written = 0;
    do {
        written = ::write(descriptor, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(bytes.size());
}

bool EndsInLineEnd(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || status.st_size == 0) {
        return true;
    }
    char last = '\n';
    return ::pread(descriptor, &last, 1, status.st_size - 1) != 1 || last == '\n';
}

#endif

DurableWrite Finish(const File& file, std::string_view bytes) {
    if (!WriteAll(file.get(), bytes)) {
        return DurableWrite::Failed;
    }
#ifdef _WIN32
    return FlushFileBuffers(file.get()) != 0 ? DurableWrite::Kept : DurableWrite::Failed;
#else
    return ::fsync(file.get()) == 0 ? DurableWrite::Kept : DurableWrite::Failed;
#endif
}

} // namespace

DurableWrite AppendLineDurably(const std::filesystem::path& path, std::string_view line) {
#ifdef _WIN32
    // Append-only access: every write lands at the end of the file, whoever else writes.
    const File file(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
#else
    const File file(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
#endif
    if (!file.open()) {
        return DurableWrite::CannotOpen;
    }
    std::string whole;
    whole.reserve(line.size() + 2);
    if (!EndsInLineEnd(file.get())) {
        whole += '\n';
    }
    whole += line;
    whole += '\n';
    const DurableWrite result = Finish(file, whole);
    // A file just made survives a power cut only once its folder's entry is on the disk too.
    SyncFolder(path.parent_path());
    return result;
}

DurableWrite WriteNewFileDurably(const std::filesystem::path& path, std::string_view bytes) {
#ifdef _WIN32
    const File file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
#else
    const File file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
#endif
    if (!file.open()) {
        return DurableWrite::CannotOpen;
    }
    const DurableWrite result = Finish(file, bytes);
    // A file just made survives a power cut only once its folder's entry is on the disk too.
    SyncFolder(path.parent_path());
    return result;
}

} // namespace tf
