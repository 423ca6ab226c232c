#pragma once

#include "app/text/Language.h"

#include <QImage>

namespace tf {

/// The play-field background, ClientWidth x ClientHeight: fifteen lanes whose notes are 15
/// pixels wide at x = 16 j + 22, the judgement line at y = 340, a keyboard under the key marks,
/// and plates behind the counters, the banner and the clock, all where the play frame draws.
QImage PaintPlayField();
/// The title picture, ClientWidth x (ClientHeight + 44): its top 44 rows are never seen, and the
/// prompt is written near its bottom. The tagline under the name is in `language`; the rest is
/// the same picture in every language.
QImage PaintTitle(Language language = Language::Japanese);
/// The title picture of each language, as the game finds it (see `TitleBitmapFileFor`).
inline QImage PaintJapaneseTitle() {
    return PaintTitle(Language::Japanese);
}
inline QImage PaintEnglishTitle() {
    return PaintTitle(Language::English);
}
/// The result picture, ClientWidth x ClientHeight, light enough for blue and red text.
QImage PaintResult();

} // namespace tf
