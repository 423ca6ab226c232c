#include "tools/artwork/Artwork.h"

#include "app/qt/Brushwork.h"
#include "app/screens/ClientArea.h"
#include "game/JudgementColours.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tf {

namespace {

// The play frame's fixed coordinates, which the background must line up with.
constexpr int LaneCount = 15;
constexpr int LanePitch = 16;
constexpr int LaneLeft = 22;
constexpr int NoteWidth = 15;
constexpr int JudgeLineY = 340;
constexpr int CounterCentreX = 450;
constexpr int TitleOverhang = 44;

int LaneX(int lane) {
    return LanePitch * lane + LaneLeft;
}

/// A small fixed-seed generator, so that every build draws the same stars and confetti.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state(seed) {}
    /// A value in [0, 1).
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    }

private:
    std::uint32_t state;
};

QFont Face(const char* family, double pixels, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage Canvas(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

void VerticalGradient(QPainter& painter, const QRectF& area,
                      std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    for (const auto& [at, colour] : stops) {
        gradient.setColorAt(at, colour);
    }
    painter.fillRect(area, gradient);
}

void Plate(QPainter& painter, const QRectF& area, double radius, const QColor& top, const QColor& bottom,
           const QColor& edge) {
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(QPen(edge, 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(area, radius, radius);
}

void Stars(QPainter& painter, const QRectF& sky, int count, std::uint32_t seed) {
    Scatter scatter(seed);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(sky.left() + scatter.next() * sky.width(),
                         sky.top() + scatter.next() * sky.height());
        const double size = 0.6 + 1.4 * scatter.next() * scatter.next();
        const int alpha = 80 + static_cast<int>(170 * scatter.next());
        painter.setBrush(QColor(230, 235, 255, alpha));
        painter.drawEllipse(at, size, size);
    }
}

void PlayFieldLanes(QPainter& painter) {
    const int left = LaneX(0) - 1;
    const int right = LaneX(LaneCount - 1) + NoteWidth + 1;
    // The well the lanes sit in; its rim frames the stage.
    painter.fillRect(QRect(left - 4, 0, right - left + 8, 346), QColor(4, 5, 12));
    painter.fillRect(QRect(left - 5, 0, 1, 346), QColor(90, 110, 190));
    painter.fillRect(QRect(right + 4, 0, 1, 346), QColor(90, 110, 190));
    for (int lane = 0; lane < LaneCount; ++lane) {
        const QRectF column(LaneX(lane), 0, NoteWidth, JudgeLineY + 4);
        // White notes fall on the dark lanes, blue notes on the pale ones, like a piano's keys
        // stretched upward.
        if (lane % 2 == 0) {
            VerticalGradient(
                painter, column,
                {{0.0, QColor(10, 12, 26)}, {0.7, QColor(24, 28, 52)}, {1.0, QColor(44, 50, 88)}});
        } else {
            VerticalGradient(
                painter, column,
                {{0.0, QColor(92, 100, 140)}, {0.7, QColor(150, 160, 205)}, {1.0, QColor(190, 198, 236)}});
        }
    }
    // Faint beat rules across the lanes give the fall a sense of speed.
    for (int y = 40; y < JudgeLineY; y += 60) {
        painter.fillRect(QRect(left, y, right - left, 1), QColor(255, 255, 255, 22));
    }
    // The judgement label reads over a darker band.
    QLinearGradient band(0, 250, 0, 286);
    band.setColorAt(0, QColor(0, 0, 0, 0));
    band.setColorAt(0.25, QColor(0, 0, 10, 150));
    band.setColorAt(0.75, QColor(0, 0, 10, 150));
    band.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(QRect(left, 250, right - left, 36), band);

    // The judgement line: a note's top edge meets it at its time.
    for (int spread = 6; spread >= 1; --spread) {
        painter.fillRect(QRect(left - 2, JudgeLineY - spread, right - left + 4, 2 + 2 * spread),
                         QColor(255, 70, 120, 18));
    }
    painter.fillRect(QRect(left - 2, JudgeLineY, right - left + 4, 2), QColor(255, 120, 160));
}

void Keyboard(QPainter& painter) {
    const int left = LaneX(0) - 5;
    const int right = LaneX(LaneCount - 1) + NoteWidth + 5;
    const QRectF bed(left, 343, right - left, 44);
    VerticalGradient(painter, bed, {{0.0, QColor(20, 22, 36)}, {1.0, QColor(8, 9, 16)}});
    painter.fillRect(QRectF(left, 342, right - left, 1), QColor(255, 140, 170));
    for (int lane = 0; lane < LaneCount; lane += 2) {
        // White keys hold the marks at y 351 to 374.
        const QRectF key(LaneX(lane), 347, NoteWidth, 34);
        QLinearGradient ivory(key.topLeft(), key.bottomLeft());
        ivory.setColorAt(0, QColor(250, 248, 240));
        ivory.setColorAt(0.85, QColor(226, 222, 210));
        ivory.setColorAt(1, QColor(180, 176, 166));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ivory);
        painter.drawRoundedRect(key, 2, 2);
    }
    for (int lane = 1; lane < LaneCount; lane += 2) {
        // Black keys stand 6 pixels higher, their marks at y 345 to 368.
        const QRectF key(LaneX(lane), 343, NoteWidth, 29);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(18, 20, 30));
        painter.drawRoundedRect(key, 2, 2);
        const QRectF top(LaneX(lane) + 1, 344, NoteWidth - 2, 26);
        QLinearGradient slate(top.topLeft(), top.bottomLeft());
        slate.setColorAt(0, QColor(150, 158, 190));
        slate.setColorAt(1, QColor(110, 118, 152));
        painter.setBrush(slate);
        painter.drawRoundedRect(top, 1.5, 1.5);
    }
}

/// The chip beside counter `row` (PERFECT first): its judgement's colour, as every other place
/// that shows judgements in colour has it.
QColor Chip(int row) {
    const Colour colour = JudgementColours[static_cast<std::size_t>(row)];
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void CounterPanel(QPainter& painter) {
    const QRectF panel(CounterCentreX - 100, 26, 200, 254);
    painter.setRenderHint(QPainter::Antialiasing);
    Glow(painter, panel.center(), 170, QColor(40, 120, 255, 40));
    Plate(painter, panel, 10, QColor(8, 14, 30, 235), QColor(4, 8, 18, 235), QColor(80, 200, 255, 170));
    // One row per counter, y 40, 90, ... 240, each 26 pixels of text.
    for (int row = 0; row < 5; ++row) {
        const double top = 40 + 50 * row;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Chip(row));
        painter.drawRoundedRect(QRectF(panel.left() + 6, top + 4, 4, 18), 2, 2);
        if (row < 4) {
            painter.fillRect(QRectF(panel.left() + 14, top + 36, panel.width() - 28, 1),
                             QColor(80, 200, 255, 60));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void Equaliser(QPainter& painter) {
    Scatter scatter(7);
    for (int bar = 0; bar < 5; ++bar) {
        const double x = 566 + bar * 12;
        const double height = 60 + 150 * scatter.next();
        QLinearGradient fill(0, 270 - height, 0, 270);
        fill.setColorAt(0, QColor(255, 90, 160, 200));
        fill.setColorAt(1, QColor(80, 120, 255, 60));
        for (double y = 270 - height; y < 270; y += 6) {
            painter.fillRect(QRectF(x, y, 9, 4), fill);
        }
    }
}

} // namespace

QImage PaintPlayField() {
    QImage picture = Canvas(ClientWidth, ClientHeight);
    QPainter painter(&picture);
    VerticalGradient(painter, QRectF(0, 0, ClientWidth, ClientHeight),
                     {{0.0, QColor(10, 8, 30)}, {0.6, QColor(26, 16, 58)}, {1.0, QColor(40, 16, 60)}});
    Glow(painter, QPointF(450, 160), 260, QColor(90, 60, 200, 70));
    painter.setRenderHint(QPainter::Antialiasing);
    Stars(painter, QRectF(280, 0, ClientWidth - 280, ClientHeight), 70, 11);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // A floor under the keyboard, with rules running toward the player.
    VerticalGradient(painter, QRectF(0, 388, 300, ClientHeight - 388),
                     {{0.0, QColor(30, 20, 60)}, {1.0, QColor(12, 8, 24)}});
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 100, 220, 70), 1));
    for (int i = -6; i <= 6; ++i) {
        painter.drawLine(QPointF(141 + i * 18, 388), QPointF(141 + i * 40, ClientHeight));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    PlayFieldLanes(painter);
    Keyboard(painter);
    Equaliser(painter);
    CounterPanel(painter);

    painter.setRenderHint(QPainter::Antialiasing);
    // The banner "NOW PLAYING!" blinks black and orange, centred at x 468 from y 356.
    Plate(painter, QRectF(392, 349, 152, 34), 8, QColor(252, 250, 244), QColor(222, 224, 234),
          QColor(255, 150, 60));
    // The clock, black, from (540, 400).
    Plate(painter, QRectF(530, 393, 92, 34), 8, QColor(240, 244, 252), QColor(200, 208, 226),
          QColor(120, 140, 200));
    painter.setPen(QColor(120, 130, 170));
    painter.setFont(Face("IPAPGothic", 10, true));
    painter.drawText(QRectF(530, 380, 92, 12), Qt::AlignCenter, QStringLiteral("TIME"));
    return picture;
}

QImage PaintTitle(Language language) {
    const int height = ClientHeight + TitleOverhang;
    QImage picture = Canvas(ClientWidth, height);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    VerticalGradient(painter, QRectF(0, 0, ClientWidth, height),
                     {{0.0, QColor(6, 6, 24)},
                      {0.45, QColor(34, 14, 72)},
                      {0.8, QColor(96, 30, 110)},
                      {1.0, QColor(220, 90, 120)}});
    Stars(painter, QRectF(0, 0, ClientWidth, height * 0.7), 180, 3);
    Glow(painter, QPointF(ClientWidth / 2.0, height * 0.98), 360, QColor(255, 160, 120, 110));

    // Lanes running to a vanishing point above the name.
    const QPointF vanish(ClientWidth / 2.0, 150);
    painter.setPen(QPen(QColor(160, 140, 255, 50), 1.2));
    for (int i = -8; i <= 8; ++i) {
        painter.drawLine(vanish, QPointF(ClientWidth / 2.0 + i * 70, height));
    }
    for (int row = 0; row < 7; ++row) {
        const double t = std::pow((row + 1) / 7.0, 2.0);
        const double y = vanish.y() + t * (height - vanish.y());
        painter.setPen(QPen(QColor(160, 140, 255, static_cast<int>(30 + 40 * t)), 1));
        painter.drawLine(QPointF(0, y), QPointF(ClientWidth, y));
    }

    // Notes falling behind the name.
    Scatter scatter(5);
    const std::array<QColor, 4> noteColours{QColor(255, 255, 255), QColor(90, 140, 255), QColor(255, 200, 80),
                                            QColor(255, 110, 170)};
    for (int i = 0; i < 60; ++i) {
        const double x = 20 + scatter.next() * (ClientWidth - 60);
        const double y = 60 + scatter.next() * (height - 140);
        const double w = 18 + 16 * scatter.next();
        const double trail = 30 + 70 * scatter.next();
        // The name and its subtitle stay clear.
        if (x > 50 && x < ClientWidth - 70 && y > 100 && y - trail < 330) {
            continue;
        }
        Streak(painter, QRectF(x, y, w, 5), trail,
               noteColours[static_cast<std::size_t>(i) % noteColours.size()]);
    }

    // The name, filled with a sunset gradient, outlined, over a soft glow.
    QFont nameFont = Face("IPAPGothic", 104, true);
    nameFont.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QString name = QStringLiteral("Tonefalls");
    const QFontMetricsF metrics(nameFont);
    const double nameWidth = metrics.horizontalAdvance(name);
    const QPointF baseline((ClientWidth - nameWidth) / 2.0, 250);
    QPainterPath path;
    path.addText(baseline, nameFont, name);
    Glow(painter, QPointF(ClientWidth / 2.0, 210), 300, QColor(255, 120, 200, 70));
    painter.translate(4, 6);
    painter.fillPath(path, QColor(10, 0, 30, 160));
    painter.translate(-4, -6);
    QLinearGradient sunset(0, 160, 0, 260);
    sunset.setColorAt(0, QColor(255, 250, 210));
    sunset.setColorAt(0.45, QColor(255, 200, 90));
    sunset.setColorAt(1, QColor(255, 80, 150));
    painter.setPen(QPen(QColor(40, 10, 70), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    painter.setBrush(sunset);
    painter.drawPath(path);

    // A light rule and the subtitle under the name.
    QLinearGradient rule(60, 0, ClientWidth - 60, 0);
    rule.setColorAt(0, QColor(255, 255, 255, 0));
    rule.setColorAt(0.5, QColor(255, 255, 255, 200));
    rule.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(60, 272, ClientWidth - 120, 2), rule);
    QFont sub = Face("IPAPGothic", 18, true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    painter.setFont(sub);
    painter.setPen(QColor(230, 225, 255));
    painter.drawText(QRectF(0, 282, ClientWidth, 26), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("KEYBOARD RHYTHM GAME"));
    painter.setFont(Face("IPAPGothic", 15, false));
    painter.setPen(QColor(200, 190, 240));
    painter.drawText(QRectF(0, 312, ClientWidth, 22), Qt::AlignHCenter | Qt::AlignTop,
                     language == Language::English
                         ? QStringLiteral("Any MIDI file you like, played as a chart")
                         : QStringLiteral("好きな MIDI がそのまま譜面に"));

    // A pale ribbon for the blue prompt, which starts at client (297, 386): picture row 430.
    QRectF ribbon(270, 421, ClientWidth - 270 + 20, 34);
    QLinearGradient paper(ribbon.topLeft(), ribbon.topRight());
    paper.setColorAt(0, QColor(255, 255, 255, 0));
    paper.setColorAt(0.08, QColor(255, 255, 255, 235));
    paper.setColorAt(1, QColor(240, 240, 255, 235));
    painter.setPen(Qt::NoPen);
    painter.setBrush(paper);
    painter.drawRoundedRect(ribbon, 17, 17);
    return picture;
}

QImage PaintResult() {
    QImage picture = Canvas(ClientWidth, ClientHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    VerticalGradient(
        painter, QRectF(0, 0, ClientWidth, ClientHeight),
        {{0.0, QColor(236, 242, 255)}, {0.6, QColor(220, 230, 255)}, {1.0, QColor(250, 232, 244)}});
    // Soft diagonal rays from behind the heading.
    painter.setPen(Qt::NoPen);
    for (int ray = 0; ray < 12; ++ray) {
        const double a0 = (ray * 30.0) * std::numbers::pi / 180.0;
        const double a1 = a0 + 12.0 * std::numbers::pi / 180.0;
        QPainterPath wedge(QPointF(ClientWidth / 2.0, 52));
        wedge.lineTo(ClientWidth / 2.0 + 900 * std::cos(a0), 52 + 900 * std::sin(a0));
        wedge.lineTo(ClientWidth / 2.0 + 900 * std::cos(a1), 52 + 900 * std::sin(a1));
        wedge.closeSubpath();
        painter.fillPath(wedge, QColor(255, 255, 255, 70));
    }
    // Confetti, kept to the edges so the texts stay clear.
    Scatter scatter(9);
    const std::array<QColor, 5> confetti{QColor(255, 200, 70), QColor(255, 120, 170), QColor(110, 200, 255),
                                         QColor(140, 220, 140), QColor(190, 150, 255)};
    for (int i = 0; i < 90; ++i) {
        const double x = scatter.next() * ClientWidth;
        const double y = scatter.next() * ClientHeight;
        const bool clearOfText = x < 100 || x > 520 || y < 12 || (y > 100 && y < 122);
        if (!clearOfText || (x > 470 && y > 320)) {
            continue;
        }
        painter.save();
        painter.translate(x, y);
        painter.rotate(360 * scatter.next());
        painter.setBrush(confetti[static_cast<std::size_t>(i) % confetti.size()]);
        painter.drawRect(QRectF(-4, -2, 8, 4));
        painter.restore();
    }

    // The card the five lines are written on, rows at y 140, 180 ... 300, 30 pixels each.
    const QRectF card(112, 124, 390, 222);
    painter.setBrush(QColor(60, 70, 140, 40));
    painter.drawRoundedRect(card.translated(3, 5), 14, 14);
    Plate(painter, card, 14, QColor(255, 255, 255, 240), QColor(246, 248, 255, 240), QColor(150, 160, 230));
    for (int row = 0; row < 5; ++row) {
        const double top = 140 + 40 * row;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Chip(row));
        painter.drawRoundedRect(QRectF(card.left() + 8, top + 4, 5, 22), 2.5, 2.5);
        if (row < 4) {
            painter.fillRect(QRectF(card.left() + 20, top + 34, card.width() - 40, 1),
                             QColor(170, 180, 230, 120));
        }
    }
    // A rosette behind the mark, centred on (534, 382).
    const QPointF medal(534, 381);
    for (int petal = 0; petal < 16; ++petal) {
        painter.save();
        painter.translate(medal);
        painter.rotate(petal * 22.5);
        painter.setBrush(petal % 2 == 0 ? QColor(255, 200, 80) : QColor(255, 170, 60));
        painter.drawEllipse(QRectF(-10, -54, 20, 28));
        painter.restore();
    }
    painter.setBrush(QColor(255, 214, 90));
    painter.drawEllipse(medal, 46, 46);
    QRadialGradient face(medal, 40);
    face.setColorAt(0, QColor(255, 255, 250));
    face.setColorAt(1, QColor(255, 244, 220));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(230, 160, 40), 2));
    painter.drawEllipse(medal, 40, 40);
    return picture;
}

} // namespace tf
