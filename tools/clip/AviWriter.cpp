#include "tools/clip/AviWriter.h"

#include <cstring>
#include <string>

namespace avi {
namespace {

void PutU32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void PutU16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void PutCode(Bytes& b, const char* code) {
    b.insert(b.end(), code, code + 4);
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes b;
    PutCode(b, id);
    PutU32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1u)
        b.push_back(0);
    return b;
}

Bytes List(const char* type, const std::vector<Bytes>& chunks) {
    Bytes body;
    PutCode(body, type);
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("LIST", body);
}

Bytes MainHeader(const ClipLayout& l) {
    Bytes b;
    PutU32(b, uint32_t(l.microsecondsPerFrame));
    PutU32(b, 0); // max bytes per second
    PutU32(b, 0); // padding granularity
    PutU32(b, 0); // flags: no index, not interleaved
    PutU32(b, uint32_t(l.framePayloads.size()));
    PutU32(b, 0); // initial frames
    PutU32(b, 1); // streams
    PutU32(b, 0); // suggested buffer size
    PutU32(b, uint32_t(l.width));
    PutU32(b, uint32_t(l.height));
    for (int i = 0; i < 4; ++i)
        PutU32(b, 0);
    return b;
}

Bytes StreamHeader(const ClipLayout& l) {
    Bytes b;
    PutCode(b, "vids");
    PutCode(b, l.compression == 1 ? "mrle" : "DIB ");
    PutU32(b, 0);                                // flags
    PutU16(b, 0);                                // priority
    PutU16(b, 0);                                // language
    PutU32(b, 0);                                // initial frames
    PutU32(b, uint32_t(l.microsecondsPerFrame)); // scale
    PutU32(b, 1000000);                          // rate: frames per second = rate / scale
    PutU32(b, 0);                                // start
    PutU32(b, uint32_t(l.framePayloads.size()));
    PutU32(b, 0);          // suggested buffer size
    PutU32(b, 0xFFFFFFFF); // quality
    PutU32(b, 0);          // sample size
    for (int i = 0; i < 4; ++i)
        PutU16(b, 0); // frame rectangle
    return b;
}

Bytes StreamFormat(const ClipLayout& l) {
    Bytes b;
    PutU32(b, 40);
    PutU32(b, uint32_t(l.width));
    PutU32(b, uint32_t(l.height));
    PutU16(b, 1);
    PutU16(b, uint16_t(l.bitCount));
    PutU32(b, l.compression);
    PutU32(b, 0); // image size
    PutU32(b, 0);
    PutU32(b, 0);
    const bool indexed = l.bitCount == 8;
    PutU32(b, indexed ? 256 : 0);
    PutU32(b, 0);
    if (indexed)
        for (uint32_t rgb : l.palette)
            PutU32(b, rgb & 0xFFFFFF); // B, G, R, 0 in file order
    return b;
}

Bytes EncodeRle8(const IndexedFrame& f) {
    Bytes b;
    for (int row = f.height - 1; row >= 0; --row) {
        const uint8_t* p = f.pixels.data() + size_t(row) * f.width;
        for (int x = 0; x < f.width;) {
            int run = 1;
            while (x + run < f.width && run < 255 && p[x + run] == p[x])
                ++run;
            b.push_back(uint8_t(run));
            b.push_back(p[x]);
            x += run;
        }
        b.push_back(0);
        b.push_back(0); // end of line
    }
    b.push_back(0);
    b.push_back(1); // end of bitmap
    return b;
}

Bytes EncodeRows(const IndexedFrame& f, const Palette& palette, bool rgb24) {
    const size_t bytesPerPixel = rgb24 ? 3 : 1;
    const size_t stride = (f.width * bytesPerPixel + 3) / 4 * 4;
    Bytes b(stride * f.height, 0);
    for (int row = 0; row < f.height; ++row) {
        unsigned char* dst = b.data() + stride * (f.height - 1 - row);
        for (int x = 0; x < f.width; ++x) {
            const uint8_t index = f.pixels[size_t(row) * f.width + x];
            if (!rgb24) {
                dst[x] = index;
                continue;
            }
            const uint32_t rgb = palette[index];
            dst[3 * x] = uint8_t(rgb);
            dst[3 * x + 1] = uint8_t(rgb >> 8);
            dst[3 * x + 2] = uint8_t(rgb >> 16);
        }
    }
    return b;
}

} // namespace

Bytes PackAvi(const ClipLayout& l) {
    std::vector<Bytes> frames;
    for (const Bytes& payload : l.framePayloads)
        frames.push_back(Chunk(l.compression == 1 ? "00dc" : "00db", payload));
    const Bytes hdrl = List(
        "hdrl", {Chunk("avih", MainHeader(l)),
                 List("strl", {Chunk("strh", StreamHeader(l)), Chunk("strf", StreamFormat(l))})});
    const Bytes movi = List("movi", frames);
    Bytes body;
    PutCode(body, "AVI ");
    body.insert(body.end(), hdrl.begin(), hdrl.end());
    body.insert(body.end(), movi.begin(), movi.end());
    return Chunk("RIFF", body);
}

Bytes EncodeAvi(const std::vector<IndexedFrame>& frames, const Palette& palette,
                int microsecondsPerFrame, Encoding encoding) {
    ClipLayout l;
    l.width = frames.empty() ? 0 : frames[0].width;
    l.height = frames.empty() ? 0 : frames[0].height;
    l.bitCount = encoding == Encoding::Rgb24 ? 24 : 8;
    l.compression = encoding == Encoding::Rle8 ? 1 : 0;
    l.palette = palette;
    l.microsecondsPerFrame = microsecondsPerFrame;
    for (const IndexedFrame& f : frames)
        l.framePayloads.push_back(encoding == Encoding::Rle8
                                      ? EncodeRle8(f)
                                      : EncodeRows(f, palette, encoding == Encoding::Rgb24));
    return PackAvi(l);
}

} // namespace avi
