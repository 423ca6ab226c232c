#include "app/win32/MainMenu.h"

#include "app/settings/ViewMode.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "platform/win32/ChooseMidiFile.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <utility>

namespace tf {

namespace {

void AppendItem(HMENU menu, TextId text, int command, Language language) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), Widen(Text(text, language)).c_str());
}

void AppendPopup(HMENU menu, HMENU popup, TextId text, Language language) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Widen(Text(text, language)).c_str());
}

} // namespace

std::wstring ChooserFilters(Language language) {
    std::wstring list;
    for (const auto& [label, patterns] :
         {std::pair{Text(TextId::MidiFilesFilter, language), MidiFilesPatterns},
          std::pair{Text(TextId::AllFilesFilter, language), AllFilesPatterns}}) {
        std::wstring wide = Widen(patterns);
        std::replace(wide.begin(), wide.end(), L' ', L';');
        list += Widen(label);
        list += L'\0';
        list += wide;
        list += L'\0';
    }
    return list;
}

HMENU MakeMainMenu(Language language) {
    const HMENU bar = CreateMenu();
    const HMENU gamePlay = CreatePopupMenu();
    AppendItem(gamePlay, TextId::StartItem, StartCommand, language);
    const HMENU recent = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING | MF_GRAYED, RecentSongCommandBase, L"");
    AppendPopup(gamePlay, recent, TextId::RecentMenu, language);
    AppendMenuW(gamePlay, MF_SEPARATOR, 0, nullptr);
    AppendItem(gamePlay, TextId::ExitItem, ExitCommand, language);
    AppendPopup(bar, gamePlay, TextId::GamePlayMenu, language);

    const HMENU view = CreatePopupMenu();
    // The zooms read the same in every language.
    for (const auto& [name, zoom] : {std::pair{L"×&1", Zoom::X1}, std::pair{L"×1.&5", Zoom::X1_5},
                                     std::pair{L"×&2", Zoom::X2}, std::pair{L"×&3", Zoom::X3}}) {
        AppendMenuW(view, MF_STRING, static_cast<UINT_PTR>(ZoomCommand(zoom)), name);
    }
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendItem(view, TextId::FullScreenItem, FullScreenCommand, language);
    AppendItem(view, TextId::SmoothFullScreenItem, SmoothFullScreenCommand, language);
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendItem(view, TextId::HitErrorBarItem, HitErrorBarCommand, language);
    AppendItem(view, TextId::KeyLabelsItem, KeyLabelsCommand, language);
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    const HMENU languages = CreatePopupMenu();
    AppendItem(languages, TextId::JapaneseItem, JapaneseCommand, language);
    AppendItem(languages, TextId::EnglishItem, EnglishCommand, language);
    AppendPopup(view, languages, TextId::LanguageMenu, language);
    const HMENU midiInput = CreatePopupMenu();
    AppendItem(midiInput, TextId::NoMidiInputItem, MidiInputFirstCommand, language);
    AppendPopup(view, midiInput, TextId::MidiInputMenu, language);
    AppendPopup(bar, view, TextId::ViewMenu, language);

    const HMENU help = CreatePopupMenu();
    AppendItem(help, TextId::HelpItem, HelpCommand, language);
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendItem(help, TextId::AboutItem, AboutCommand, language);
    AppendPopup(bar, help, TextId::HelpMenu, language);
    return bar;
}

} // namespace tf
