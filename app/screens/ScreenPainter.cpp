#include "app/screens/ScreenPainter.h"

#include "app/screens/Screens.h"
#include "app/shell/ShellView.h"
#include "app/text/Texts.h"

namespace tf {

void ScreenPainter::drawTitle(Language language) {
    shown = {};
    const Bitmap* title =
        language == Language::English && englishTitlePicture != nullptr ? englishTitlePicture : titlePicture;
    {
        std::lock_guard lock(surfaceLock);
        DrawScreen(surface, AppState::Title, title, resultPicture, tally, false, nullptr, language);
    }
    view.requestRepaint();
}

void ScreenPainter::showResult(const PlayResult& result) {
    shown = result;
    drawResult();
}

void ScreenPainter::drawResult() {
    {
        std::lock_guard lock(surfaceLock);
        DrawScreen(surface, AppState::Result, titlePicture, resultPicture, tally, shown.autoPlay,
                   &shown.timing, shown.language, shown.song);
    }
    view.requestRepaint();
}

void ScreenPainter::drawPauseLabel(Language language) {
    {
        std::lock_guard lock(surfaceLock);
        DrawPauseLabel(surface, Text(TextId::Pause, language));
    }
    view.requestRepaint();
}

} // namespace tf
