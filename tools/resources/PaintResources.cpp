// Draws the window's pictures and writes them in their resource formats: the eleven
// picture-button faces, the About box's banner (bitmap 142) and the application icon (150).
// Usage: zemlo_paint_resources <output directory>
#include "IndexedImageWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <iostream>

namespace {
constexpr int kFace = 30;
const QColor kButtonFace(192, 192, 192);
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

enum class FaceState { Up, Down, Focused, Disabled };
// flat: paint the whole motif in that one colour (the disabled face); null: in its colours.
using Motif = std::function<void(QPainter&, const QColor* flat)>;

// A raised (or, pressed, sunken) grey button, the motif on it.
QImage PaintFace(const Motif& motif, FaceState state) {
    QImage image(kFace, kFace, QImage::Format_RGB32);
    image.fill(kButtonFace);
    QPainter painter(&image);
    const bool down = state == FaceState::Down;
    const QColor outerTopLeft = down ? Qt::black : kHighlight;
    const QColor innerTopLeft = down ? kShadow : kButtonFace.lighter(110);
    const QColor outerBottomRight = down ? kHighlight : Qt::black;
    const QColor innerBottomRight = down ? kButtonFace : kShadow;
    const int last = kFace - 1;
    painter.setPen(outerTopLeft);
    painter.drawLine(0, 0, last - 1, 0);
    painter.drawLine(0, 0, 0, last - 1);
    painter.setPen(innerTopLeft);
    painter.drawLine(1, 1, last - 2, 1);
    painter.drawLine(1, 1, 1, last - 2);
    painter.setPen(outerBottomRight);
    painter.drawLine(0, last, last, last);
    painter.drawLine(last, 0, last, last);
    painter.setPen(innerBottomRight);
    painter.drawLine(1, last - 1, last - 1, last - 1);
    painter.drawLine(last - 1, 1, last - 1, last - 1);

    painter.save();
    if (down) {
        painter.translate(2, 2); // pressed in: the motif moves towards the lower right
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (state == FaceState::Disabled) {
        // Embossed grey: a white copy one pixel down and right under the grey motif.
        painter.save();
        painter.translate(1, 1);
        motif(painter, &kHighlight);
        painter.restore();
    }
    motif(painter, state == FaceState::Disabled ? &kShadow : nullptr);
    painter.restore();

    if (state == FaceState::Focused) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(0, 0, 64), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(3, 3, kFace - 7, kFace - 7));
    }
    return image;
}

QColor Tint(const QColor* flat, const QColor& colour) {
    return flat ? *flat : colour;
}

void PaintOkMotif(QPainter& painter, const QColor* flat) {
    // A green zig-zag trace rising from left to right.
    QPen pen(Tint(flat, QColor(0, 150, 0)), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF trace[] = {{6, 22}, {10, 16}, {13, 19}, {17, 11}, {20, 14}, {24, 7}};
    painter.drawPolyline(trace, 6);
    painter.setBrush(Tint(flat, QColor(0, 150, 0)));
    painter.setPen(Qt::NoPen);
    const QPointF arrow[] = {{25.5, 4.5}, {26, 11}, {21, 8}};
    painter.drawPolygon(arrow, 3);
}

// Letters of a 3 x 5 pixel font, rows top to bottom, 3 bits each (bit 2 is the left column).
void PaintTinyText(QPainter& painter, const char* text, int x, int y, const QColor& colour) {
    static const std::pair<char, std::array<int, 5>> kGlyphs[] = {
        {'S', {7, 4, 7, 1, 7}},
        {'T', {7, 2, 2, 2, 2}},
        {'O', {7, 5, 5, 5, 7}},
        {'P', {7, 5, 7, 4, 4}},
    };
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const char* c = text; *c; ++c, x += 4) {
        for (const auto& [letter, rows] : kGlyphs) {
            if (letter != *c) {
                continue;
            }
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < 3; ++column) {
                    if (rows[row] & (4 >> column)) {
                        painter.fillRect(x + column, y + row, 1, 1, colour);
                    }
                }
            }
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
}

void PaintCancelMotif(QPainter& painter, const QColor* flat) {
    // A red octagonal stop sign with STOP in white.
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const double angle = (22.5 + 45.0 * i) * M_PI / 180.0;
        octagon << QPointF(14.5 + 11.5 * std::cos(angle), 14.5 + 11.5 * std::sin(angle));
    }
    painter.setPen(QPen(Tint(flat, QColor(255, 255, 255)), 1));
    painter.setBrush(Tint(flat, QColor(210, 0, 0)));
    painter.drawPolygon(octagon);
    PaintTinyText(painter, "STOP", 7, 12, flat ? kButtonFace : QColor(255, 255, 255));
}

void PaintExitMotif(QPainter& painter, const QColor* flat) {
    // A red key lying diagonally, its bow at the upper left, its bit at the lower right.
    const QColor red = Tint(flat, QColor(200, 0, 0));
    painter.setPen(QPen(red, 3, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(9, 9), 4.5, 4.5);
    painter.drawLine(QPointF(12.5, 12.5), QPointF(24, 24));
    painter.setPen(QPen(red, 2.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(20, 20), QPointF(17, 23));
    painter.drawLine(QPointF(23, 23), QPointF(20, 26));
}

QImage PaintBanner() {
    QImage image(278, 158, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 158);
    sky.setColorAt(0, QColor(0, 32, 96));
    sky.setColorAt(1, QColor(0, 0, 32));
    painter.fillRect(image.rect(), sky);

    // A processor die with its pins.
    const QRect die(18, 40, 78, 78);
    painter.setPen(QPen(QColor(204, 204, 204), 3));
    for (int i = 0; i < 6; ++i) {
        const int at = die.left() + 10 + i * 12;
        painter.drawLine(at, die.top() - 9, at, die.top());
        painter.drawLine(at, die.bottom(), at, die.bottom() + 9);
        const int row = die.top() + 10 + i * 12;
        painter.drawLine(die.left() - 9, row, die.left(), row);
        painter.drawLine(die.right(), row, die.right() + 9, row);
    }
    painter.setPen(QPen(QColor(153, 153, 153), 2));
    painter.setBrush(QColor(51, 51, 51));
    painter.drawRect(die);
    painter.setBrush(QColor(0, 102, 51));
    painter.drawRect(die.adjusted(14, 14, -14, -14));
    painter.setPen(QColor(255, 255, 255));
    QFont chipFont(QStringLiteral("DejaVu Sans Mono"), 10, QFont::Bold);
    painter.setFont(chipFont);
    painter.drawText(die.adjusted(14, 14, -14, -14), Qt::AlignCenter, QStringLiteral("RISC\nV"));

    // The title and a small chart of value locality.
    painter.setPen(QColor(255, 204, 0));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 22, QFont::Bold));
    painter.drawText(QRect(112, 14, 160, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zemlo"));
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    painter.drawText(QRect(112, 52, 160, 30), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Value locality and load value prediction simulation"));

    const QRect chart(118, 88, 146, 56);
    painter.setPen(QPen(QColor(102, 153, 204), 1));
    for (int y = chart.top(); y <= chart.bottom(); y += 14) {
        painter.drawLine(chart.left(), y, chart.right(), y);
    }
    const QColor bars[] = {QColor(255, 51, 51), QColor(51, 153, 255), QColor(255, 0, 255),
                           QColor(0, 204, 0)};
    const int heights[] = {24, 40, 32, 50};
    for (int i = 0; i < 4; ++i) {
        painter.fillRect(chart.left() + 12 + i * 34, chart.bottom() - heights[i], 20, heights[i],
                         bars[i]);
    }
    painter.setPen(QPen(QColor(255, 255, 255), 2));
    painter.drawLine(chart.bottomLeft(), chart.bottomRight());
    painter.drawLine(chart.bottomLeft(), chart.topLeft());
    return image;
}

// The icon: four bars, red, blue, magenta and green, on a grey grid between black axes.
IconImage PaintIcon(int size) {
    const std::vector<QRgb> palette = IconPalette();
    QImage indexed(size, size, QImage::Format_Indexed8);
    indexed.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    QImage transparent(size, size, QImage::Format_Indexed8);
    transparent.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    enum { Black = 0, Silver = 7, Grey = 8, Red = 9, Blue = 12, Magenta = 13, Green = 10 };
    const int margin = size / 16;       // see-through border
    const int axis = margin + size / 8; // where the axes stand
    const int grid = size / 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool outside =
                x < margin || y < margin || x >= size - margin || y >= size - margin;
            transparent.setPixel(x, y, outside ? 1 : 0);
            int colour = Silver;
            if (!outside && ((x - axis) % grid == 0 || (size - 1 - margin - y) % grid == 0)) {
                colour = Grey;
            }
            indexed.setPixel(x, y, outside ? Black : colour);
        }
    }
    const int bottom = size - 1 - axis;
    const int barColours[] = {Red, Blue, Magenta, Green};
    const double barHeights[] = {0.45, 0.75, 0.55, 0.9};
    const int barWidth = std::max(2, size / 8);
    const int gap = std::max(1, size / 16);
    for (int i = 0; i < 4; ++i) {
        const int left = axis + gap + 1 + i * (barWidth + gap);
        const int top = bottom - int(barHeights[i] * (bottom - margin - 1));
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < left + barWidth; ++x) {
                indexed.setPixel(x, y, barColours[i]);
            }
        }
    }
    for (int i = margin; i < size - margin; ++i) {
        indexed.setPixel(axis, std::min(i, size - margin - 1), Black); // vertical axis
        indexed.setPixel(i, bottom, Black);                            // horizontal axis
    }
    return {indexed, transparent};
}
} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: zemlo_paint_resources <output directory>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.filePath(QStringLiteral("faces")));
    const std::vector<QRgb> palette = BitmapPalette();
    bool ok = true;
    const auto writeFace = [&](const char* name, const Motif& motif, FaceState state) {
        const QString path = out.filePath(QStringLiteral("faces/%1.bmp").arg(name));
        ok = WriteBmp8(Quantize(PaintFace(motif, state), palette), path) && ok;
    };
    writeFace("OKU", PaintOkMotif, FaceState::Up);
    writeFace("OKD", PaintOkMotif, FaceState::Down);
    writeFace("OKF", PaintOkMotif, FaceState::Focused);
    writeFace("OKX", PaintOkMotif, FaceState::Disabled);
    writeFace("CANCELU", PaintCancelMotif, FaceState::Up);
    writeFace("CANCELD", PaintCancelMotif, FaceState::Down);
    writeFace("CANCELF", PaintCancelMotif, FaceState::Focused);
    writeFace("CANCELX", PaintCancelMotif, FaceState::Disabled);
    // Exit is never disabled: it has no disabled face.
    writeFace("EXITU", PaintExitMotif, FaceState::Up);
    writeFace("EXITD", PaintExitMotif, FaceState::Down);
    writeFace("EXITF", PaintExitMotif, FaceState::Focused);

    ok = WriteBmp8(Quantize(PaintBanner(), palette),
                   out.filePath(QStringLiteral("bitmap142.bmp"))) &&
         ok;
    ok =
        WriteIcon4({PaintIcon(32), PaintIcon(16)}, out.filePath(QStringLiteral("zemlo.ico"))) && ok;
    if (!ok) {
        std::cerr << "zemlo_paint_resources: could not write every picture\n";
        return 1;
    }
    return 0;
}
