#include "app/qt/KeyMapping.h"

#include "app/shell/CommandIds.h"

#include <array>
#include <utility>

namespace tf {

namespace {

// Qt's key numbers for the non-printing keys we act on (Qt::Key values, kept here as plain
// numbers so that no toolkit header is needed).
constexpr int QtKeySpace = 0x20;
constexpr int QtKeyEscape = 0x01000000;
constexpr int QtKeyReturn = 0x01000004;
constexpr int QtKeyEnter = 0x01000005;
constexpr int QtKeyF1 = 0x01000030;
constexpr int QtKeyF2 = 0x01000031;
constexpr int QtKeyF3 = 0x01000032;
constexpr int QtKeyF4 = 0x01000033;

// X11 keycodes (evdev + 8) of the US keyboard's main block.
constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 48> KeycodeTable = {{
    {10, '1'}, {11, '2'},  {12, '3'},  {13, '4'},  {14, '5'},  {15, '6'},  {16, '7'},  {17, '8'},
    {18, '9'}, {19, '0'},  {20, 0xBD}, {21, 0xBB}, {24, 'Q'},  {25, 'W'},  {26, 'E'},  {27, 'R'},
    {28, 'T'}, {29, 'Y'},  {30, 'U'},  {31, 'I'},  {32, 'O'},  {33, 'P'},  {34, 0xDB}, {35, 0xDD},
    {38, 'A'}, {39, 'S'},  {40, 'D'},  {41, 'F'},  {42, 'G'},  {43, 'H'},  {44, 'J'},  {45, 'K'},
    {46, 'L'}, {47, 0xBA}, {48, 0xDE}, {49, 0xC0}, {51, 0xDC}, {52, 'Z'},  {53, 'X'},  {54, 'C'},
    {55, 'V'}, {56, 'B'},  {57, 'N'},  {58, 'M'},  {59, 0xBC}, {60, 0xBE}, {61, 0xBF}, {94, 0xE2},
}};

// A character, shifted or not, to the code of the US key that types it.
std::uint32_t FromCharacter(int c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint32_t>(c);
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint32_t>(c);
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<std::uint32_t>(c - 'a' + 'A');
    }
    switch (c) {
    case ';':
    case ':':
        return 0xBA;
    case '=':
    case '+':
        return 0xBB;
    case ',':
    case '<':
        return 0xBC;
    case '-':
    case '_':
        return 0xBD;
    case '.':
    case '>':
        return 0xBE;
    case '/':
    case '?':
        return 0xBF;
    case '`':
    case '~':
        return 0xC0;
    case '[':
    case '{':
        return 0xDB;
    case '\\':
    case '|':
        return 0xDC;
    case ']':
    case '}':
        return 0xDD;
    case '\'':
    case '"':
        return 0xDE;
    case '!':
        return '1';
    case '@':
        return '2';
    case '#':
        return '3';
    case '$':
        return '4';
    case '%':
        return '5';
    case '^':
        return '6';
    case '&':
        return '7';
    case '*':
        return '8';
    case '(':
        return '9';
    case ')':
        return '0';
    default:
        return 0;
    }
}

} // namespace

std::uint32_t VirtualKeyFromKeyEvent(int qtKey, std::uint32_t x11Keycode) {
    switch (qtKey) {
    case QtKeyReturn:
    case QtKeyEnter:
        return VkReturn;
    case QtKeyEscape:
        return VkEscape;
    case QtKeySpace:
        return VkSpace;
    case QtKeyF1:
        return VkF1;
    case QtKeyF2:
        return VkF2;
    case QtKeyF3:
        return VkF3;
    case QtKeyF4:
        return VkF4;
    default:
        break;
    }
    for (const auto& [keycode, vk] : KeycodeTable) {
        if (keycode == x11Keycode) {
            return vk;
        }
    }
    return FromCharacter(qtKey);
}

} // namespace tf
