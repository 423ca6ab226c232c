#include "app/qt/KeyMapping.h"

#include "platform/KeyCodes.h"

#include <array>
#include <string_view>
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
    {10, Vk1},         {11, Vk2}, {12, Vk3},     {13, Vk4},         {14, Vk5},           {15, Vk6},
    {16, Vk7},         {17, Vk8}, {18, Vk9},     {19, Vk0},         {20, VkMinus},       {21, VkEquals},
    {24, VkQ},         {25, VkW}, {26, VkE},     {27, VkR},         {28, VkT},           {29, VkY},
    {30, VkU},         {31, VkI}, {32, VkO},     {33, VkP},         {34, VkOpenBracket}, {35, VkCloseBracket},
    {38, VkA},         {39, VkS}, {40, VkD},     {41, VkF},         {42, VkG},           {43, VkH},
    {44, VkJ},         {45, VkK}, {46, VkL},     {47, VkSemicolon}, {48, VkQuote},       {49, VkBackquote},
    {51, VkBackslash}, {52, VkZ}, {53, VkX},     {54, VkC},         {55, VkV},           {56, VkB},
    {57, VkN},         {58, VkM}, {59, VkComma}, {60, VkPeriod},    {61, VkSlash},       {94, VkIsoExtra},
}};

// The shifted digits of a US keyboard, from '0' to '9': the key of each is its digit's.
constexpr std::string_view ShiftedDigits = ")!@#$%^&*(";

// A character, shifted or not, to the code of the US key that types it.
std::uint32_t FromCharacter(int c) {
    if (c >= '0' && c <= '9') {
        return DigitKey(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return LetterKey(c - 'A');
    }
    if (c >= 'a' && c <= 'z') {
        return LetterKey(c - 'a');
    }
    if (c > 0 && c < 0x80) {
        if (const std::size_t digit = ShiftedDigits.find(static_cast<char>(c));
            digit != std::string_view::npos) {
            return DigitKey(static_cast<int>(digit));
        }
    }
    switch (c) {
    case ';':
    case ':':
        return VkSemicolon;
    case '=':
    case '+':
        return VkEquals;
    case ',':
    case '<':
        return VkComma;
    case '-':
    case '_':
        return VkMinus;
    case '.':
    case '>':
        return VkPeriod;
    case '/':
    case '?':
        return VkSlash;
    case '`':
    case '~':
        return VkBackquote;
    case '[':
    case '{':
        return VkOpenBracket;
    case '\\':
    case '|':
        return VkBackslash;
    case ']':
    case '}':
        return VkCloseBracket;
    case '\'':
    case '"':
        return VkQuote;
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
