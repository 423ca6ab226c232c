#pragma once

namespace tf {

/// Marks the shell as showing something modal (a dialog, the file chooser, a message box) for
/// as long as it lives; nested scopes leave the mark as they found it.
class ModalScope {
public:
    explicit ModalScope(bool& flag) : flag(flag), was(flag) { flag = true; }
    ~ModalScope() { flag = was; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    bool& flag;
    const bool was;
};

} // namespace tf
