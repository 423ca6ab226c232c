#pragma once

#include "app/qt/QtBitmap.h"
#include "platform/Surface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>

class QWidget;

namespace tf {

/// What the file chooser says, from the shell's text table: its title and its two filters'
/// labels (the patterns follow in parentheses, as the chooser reads them). Empty labels leave the
/// chooser showing all files.
struct ChooserTexts {
    QString title;
    QString midiFiles;
    QString allFiles;
};

/// The cell height, in pixels, of the font the judgement label is drawn in when none is chosen.
inline constexpr int DefaultFontHeight = 16;

/// The colour of a 0x00BBGGRR value.
QColor ToQColor(Colour colour);

/// A font of `face` whose cell (ascent plus descent) is `height` pixels, normal weight; with
/// `FontFace::Default` the surface's own font, bold IPAGothic of a 16-pixel cell, whatever
/// `height` says. Text is always drawn level.
QFont MakeFont(FontFace face, int height);

/// The picture in a BMP (or any format Qt reads) at its own size; null when the file is
/// missing or unreadable. A relative name is looked up in the working directory.
std::unique_ptr<Bitmap> LoadBitmapFile(const QString& fileName);

/// Copies the `width` x `height` region of `bitmap` at (sourceX, sourceY) to (x, y) of
/// `destination`, clipped at the edges of both pictures, negative positions included. A null
/// bitmap, or one that is not a QtBitmap, draws nothing.
void BlitBitmap(QImage& destination, const Bitmap* bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY);

/// Fills [left, right) x [top, bottom) of `destination` with `colour`, clipped at its edges.
void FillRect(QImage& destination, int left, int top, int right, int bottom, Colour colour);

/// A rectangle as a device context draws one: a solid pen of `penWidth` pixels (0 draws one
/// pixel) around [left, right) x [top, bottom), the inside filled with `brushColour`. With equal
/// colours it is a solid box over exactly that area. A wider pen straddles the outline, as the
/// classic drawing interface's solid pens do. Clipped at the picture's edges.
void DrawBox(QImage& destination, int left, int top, int right, int bottom, int penWidth, Colour penColour,
             Colour brushColour);

/// Asks for an existing file, offering "MIDI files (*.mid *.midi *.smf *.rmi)" first and
/// "All files (*)" (a name typed without an extension gets ".mid"), opening in `folder` (empty:
/// the dialog's own choice). True when one was chosen: `path` then holds its full path;
/// otherwise `path` is left as it was.
bool ChooseMidiFile(QWidget* owner, std::filesystem::path& path, const std::filesystem::path& folder = {},
                    const ChooserTexts& texts = {});

} // namespace tf
