#include "IndexedImageWriter.h"

#include <QFile>
#include <cstdint>
#include <limits>

namespace {
void Put16(QByteArray& out, uint16_t value) {
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

void Put32(QByteArray& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(char((value >> shift) & 0xff));
    }
}

int RowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void PutInfoHeader(QByteArray& out, int width, int height, int bits, uint32_t imageSize,
                   uint32_t colours) {
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, uint16_t(bits));
    Put32(out, 0); // uncompressed
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
}

void PutPalette(QByteArray& out, const std::vector<QRgb>& palette) {
    for (QRgb colour : palette) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append(char(0));
    }
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray PackedRows(const QImage& indexed, int bits) {
    QByteArray rows;
    const int stride = RowBytes(indexed.width(), bits);
    for (int y = indexed.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < indexed.width(); ++x) {
            const int value = indexed.pixelIndex(x, y);
            if (bits == 8) {
                row[x] = char(value);
            } else {
                row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? value << 4 : value));
            }
        }
        rows.append(row);
    }
    return rows;
}

QByteArray MaskRows(const IconImage& image) {
    QByteArray rows;
    const int width = image.indexed.width();
    const int stride = RowBytes(width, 1);
    for (int y = image.indexed.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            if (image.transparent.pixelIndex(x, y) == 1) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        rows.append(row);
    }
    return rows;
}
} // namespace

std::vector<QRgb> BitmapPalette() {
    std::vector<QRgb> palette;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
            }
        }
    }
    for (int i = 0; i < 40; ++i) {
        const int level = 4 + i * 248 / 39;
        palette.push_back(qRgb(level, level, level));
    }
    return palette;
}

std::vector<QRgb> IconPalette() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage Quantize(const QImage& image, const std::vector<QRgb>& palette) {
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table(palette.begin(), palette.end());
    indexed.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            int best = 0;
            int bestDistance = std::numeric_limits<int>::max();
            for (int i = 0; i < int(palette.size()); ++i) {
                const int dr = qRed(pixel) - qRed(palette[i]);
                const int dg = qGreen(pixel) - qGreen(palette[i]);
                const int db = qBlue(pixel) - qBlue(palette[i]);
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            indexed.setPixel(x, y, uint(best));
        }
    }
    return indexed;
}

bool WriteBmp8(const QImage& indexed, const QString& path) {
    const QByteArray rows = PackedRows(indexed, 8);
    const uint32_t offset = 14 + 40 + 256 * 4;
    QByteArray out;
    out.append("BM");
    Put32(out, offset + uint32_t(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, indexed.width(), indexed.height(), 8, uint32_t(rows.size()), 256);
    const QList<QRgb> table = indexed.colorTable();
    std::vector<QRgb> palette(table.begin(), table.end());
    palette.resize(256, qRgb(0, 0, 0));
    PutPalette(out, palette);
    out.append(rows);
    return WriteFile(path, out);
}

bool WriteIcon4(const std::vector<IconImage>& images, const QString& path) {
    QByteArray directory;
    QByteArray data;
    Put16(directory, 0);
    Put16(directory, 1); // icon
    Put16(directory, uint16_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (const IconImage& image : images) {
        const int width = image.indexed.width();
        const int height = image.indexed.height();
        const QByteArray pixels = PackedRows(image.indexed, 4);
        const QByteArray mask = MaskRows(image);
        QByteArray entry;
        // The header's height counts the colour image and the mask together.
        PutInfoHeader(entry, width, height * 2, 4, uint32_t(pixels.size() + mask.size()), 16);
        const QList<QRgb> table = image.indexed.colorTable();
        std::vector<QRgb> palette(table.begin(), table.end());
        palette.resize(16, qRgb(0, 0, 0));
        PutPalette(entry, palette);
        entry.append(pixels);
        entry.append(mask);

        directory.append(char(width));
        directory.append(char(height));
        directory.append(char(16)); // colours
        directory.append(char(0));
        Put16(directory, 1);
        Put16(directory, 4);
        Put32(directory, uint32_t(entry.size()));
        Put32(directory, offset);
        offset += uint32_t(entry.size());
        data.append(entry);
    }
    return WriteFile(path, directory + data);
}
