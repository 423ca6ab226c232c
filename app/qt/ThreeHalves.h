#pragma once

#include <QImage>

namespace tf {

/// The top left `width` x `height` pixels of `picture` (RGB32, both sizes even) scaled by 3/2
/// into `scaled`, made or reused at 1.5 times the size: each 2 x 2 block of pixels becomes 3 x 3,
/// its middle row and column the mean of their neighbours. The ×1.5 window's picture, at a
/// fraction of the cost of general smooth scaling, which on two cores spends more time handing
/// strips to helper threads than scaling. False, and `scaled` left alone, for any other picture.
bool ScaleThreeHalves(const QImage& picture, int width, int height, QImage& scaled);

} // namespace tf
