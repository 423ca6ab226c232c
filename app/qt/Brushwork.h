#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace tf {

/// A soft round light of `colour` at `centre`, fading out to `radius` pixels.
void Glow(QPainter& painter, QPointF centre, double radius, QColor colour);
/// A falling note with its fading trail, `trail` pixels long above the note's `head`, as the
/// title picture and the program icon show them.
void Streak(QPainter& painter, const QRectF& head, double trail, const QColor& colour);

} // namespace tf
