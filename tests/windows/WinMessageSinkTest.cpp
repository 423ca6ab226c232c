#include "platform/win32/WinMessageSink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace tf {
namespace {

/// What the hook saw of the message box it closed.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool iconShown = false;
};

SeenBox seen;
HHOOK hook = nullptr;

BOOL CALLBACK FindText(HWND child, LPARAM) {
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    if (std::wstring_view(className) == L"Static") {
        wchar_t text[256]{};
        GetWindowTextW(child, text, 256);
        if (text[0] != L'\0') {
            seen.text = text;
        } else if ((GetWindowLongW(child, GWL_STYLE) & SS_ICON) != 0) {
            seen.iconShown = true;
        }
    }
    return TRUE;
}

// Reads the box as it appears and presses its OK button at once.
LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        const HWND box = call->hwnd;
        wchar_t caption[256]{};
        GetWindowTextW(box, caption, 256);
        seen.caption = caption;
        EnumChildWindows(box, FindText, 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

BOOL CALLBACK PressOk(HWND window, LPARAM) {
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

/// Presses OK on whatever box is still open after a long while, so that a hook that never
/// fired cannot leave the test waiting for a person.
class Rescue {
public:
    explicit Rescue(DWORD threadId) : worker([this, threadId] { watch(threadId); }) {}
    ~Rescue() {
        {
            const std::lock_guard lock(mutex);
            finished = true;
        }
        done.notify_one();
        worker.join();
    }

private:
    void watch(DWORD threadId) {
        std::unique_lock lock(mutex);
        if (!done.wait_for(lock, std::chrono::seconds(20), [this] { return finished; })) {
            EnumThreadWindows(threadId, PressOk, 0);
        }
    }

    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread worker;
};

TEST(WinMessageSink, JapaneseTextAndCaptionReachTheBoxIntact) {
    seen = {};
    hook = SetWindowsHookExW(WH_CALLWNDPROCRET, CloseBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    {
        const Rescue rescue(GetCurrentThreadId());
        WinMessageSink sink;
        sink.showMessage(MessageIcon::Stop, "Tonefalls", "MIDIポートが見つかりません。");
    }
    UnhookWindowsHookEx(hook);
    if (seen.caption.empty()) {
        GTEST_SKIP() << "no message box could be shown here (no display)";
    }
    EXPECT_EQ(seen.caption, L"Tonefalls");
    EXPECT_EQ(seen.text, L"MIDIポートが見つかりません。");
    EXPECT_TRUE(seen.iconShown);
}

} // namespace
} // namespace tf
