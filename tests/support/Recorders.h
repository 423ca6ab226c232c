#pragma once

#include "platform/KeyState.h"
#include "platform/MessageSink.h"
#include "platform/Surface.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tf::test {

/// Keeps every message the core wanted the player to see.
class RecordingSink final : public MessageSink {
public:
    struct Shown {
        MessageIcon icon;
        std::string caption;
        std::string text;
    };
    void showMessage(MessageIcon icon, std::string_view caption, std::string_view text) override {
        std::lock_guard lock(mutex);
        shown.push_back({icon, std::string(caption), std::string(text)});
    }
    std::vector<Shown> messages() const {
        std::lock_guard lock(mutex);
        return shown;
    }

private:
    mutable std::mutex mutex;
    std::vector<Shown> shown;
};

/// Key presses scripted by a test: `press(vk)` latches one press; every query is logged.
class ScriptedKeys final : public KeyState {
public:
    void press(std::uint32_t vk) { ++pending[vk]; }
    bool pressedSinceLastQuery(std::uint32_t vk) override {
        queries.push_back(vk);
        auto it = pending.find(vk);
        if (it == pending.end() || it->second == 0) {
            return false;
        }
        it->second = 0; // several presses between two queries report once
        return true;
    }
    std::vector<std::uint32_t> queries;

private:
    std::map<std::uint32_t, int> pending;
};

/// A surface that keeps every call as a line of text, for tests of what a frame draws.
class RecordingSurface final : public Surface {
public:
    struct Call {
        std::string op; ///< "fill", "blit", "box", "align", "colour", "text"
        int a = 0, b = 0, c = 0, d = 0;
        int penWidth = 0;
        Colour pen = 0, brush = 0;
        const Bitmap* bitmap = nullptr;
        FontFace face = FontFace::Default;
        int height = 0;
        TextAlign align = TextAlign::Left;
        Colour colour = 0;
        std::string text{};
    };

    RecordingSurface(int w = 634, int h = 436) : w(w), h(h) {}
    int width() const override { return w; }
    int height() const override { return h; }
    void fill(int l, int t, int r, int b, Colour c) override {
        calls.push_back({"fill", l, t, r, b, 0, c, c});
    }
    void blit(const Bitmap* bm, int x, int y, int bw, int bh, int, int) override {
        Call call{"blit", x, y, bw, bh};
        call.bitmap = bm;
        calls.push_back(call);
    }
    void box(int l, int t, int r, int b, int pw, Colour pen, Colour brush) override {
        calls.push_back({"box", l, t, r, b, pw, pen, brush});
    }
    void setTextAlign(TextAlign a) override {
        align = a;
        Call call{"align"};
        call.align = a;
        calls.push_back(call);
    }
    void setTextColour(Colour c) override {
        colour = c;
        Call call{"colour"};
        call.colour = c;
        calls.push_back(call);
    }
    void text(FontFace face, int height, int x, int y, std::string_view s) override {
        Call call{"text", x, y};
        call.face = face;
        call.height = height;
        call.align = align;
        call.colour = colour;
        call.text = std::string(s);
        calls.push_back(call);
    }

    std::vector<Call> calls;
    TextAlign align = TextAlign::Left;
    Colour colour = 0;

private:
    int w;
    int h;
};

} // namespace tf::test
