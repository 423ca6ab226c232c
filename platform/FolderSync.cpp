#include "platform/FolderSync.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tf {

void SyncFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        static_cast<void>(::fsync(descriptor));
        ::close(descriptor);
    }
#endif
}

} // namespace tf
