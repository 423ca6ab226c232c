#pragma once

#include <atomic>

namespace tf {

/// The flags that the window thread and a worker (play or preview) read across threads, kept
/// together so that their one rule is seen at once: each is written by one side and read by the
/// other with acquire/release ordering.
struct TransportFlags {
    /// Set and cleared by `togglePause` on the window thread; the pump stops while it is set.
    std::atomic<bool> paused{false};
    /// Set by the pump's pass that ends the song; cleared when a play is reset.
    std::atomic<bool> songFinished{false};
    /// Set by a preview until its first note; the pump clears it.
    std::atomic<bool> previewWaiting{false};
};

} // namespace tf
