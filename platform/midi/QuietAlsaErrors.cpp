#include "platform/midi/QuietAlsaErrors.h"

#include <alsa/asoundlib.h>

#include <atomic>

namespace tf {

namespace {

std::atomic<int> quietCount{0};

void IgnoreError(const char*, int, const char*, int, const char*, ...) {}

} // namespace

QuietAlsaErrors::QuietAlsaErrors() {
    if (quietCount.fetch_add(1) == 0) {
        snd_lib_error_set_handler(IgnoreError);
    }
}

QuietAlsaErrors::~QuietAlsaErrors() {
    if (quietCount.fetch_sub(1) == 1) {
        // Null puts back the library's own handler, which prints to stderr.
        snd_lib_error_set_handler(nullptr);
    }
}

} // namespace tf
