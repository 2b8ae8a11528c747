// Writers for the resource picture formats: 8-bit palette BMPs and 16-colour icons with a
// transparency mask. Qt writes neither in these depths, so the bytes are laid out here.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

// The 256-entry palette of the bitmaps: a 6 x 6 x 6 colour cube and 40 greys.
std::vector<QRgb> BitmapPalette();
// The 16 colours of the icons.
std::vector<QRgb> IconPalette();

// Maps every pixel to the nearest palette entry.
QImage Quantize(const QImage& image, const std::vector<QRgb>& palette);

// An uncompressed bottom-up BMP, 8 bits per pixel, all 256 palette entries.
bool WriteBmp8(const QImage& indexed, const QString& path);

struct IconImage {
    QImage indexed;     // 16 colours
    QImage transparent; // Format_Mono-like: pixel value 1 where the icon is see-through
};
// An .ico with the images in the order given, 4 bits per pixel with an AND mask each.
bool WriteIcon4(const std::vector<IconImage>& images, const QString& path);
