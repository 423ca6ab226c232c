#pragma once

namespace tf {

/// While one lives, ALSA's library keeps its own error lines ("ALSA lib pcm.c:...") off stderr.
/// Looking for an output that may not exist is expected to fail, and the port says what
/// failed in its own words. The handler is the process's one, so these live only on the
/// thread that opens the outputs, for the length of a probe; the last one to go puts ALSA's
/// default back.
class QuietAlsaErrors {
public:
    QuietAlsaErrors();
    ~QuietAlsaErrors();
    QuietAlsaErrors(const QuietAlsaErrors&) = delete;
    QuietAlsaErrors& operator=(const QuietAlsaErrors&) = delete;
};

} // namespace tf
