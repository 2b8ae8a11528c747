// Writes the small AVI clips the animation control plays: one video stream of 8-bit
// palettized frames, stored uncompressed or RLE8, or 24-bit frames. Used by the clip
// generator and by tests that need clips of a known content.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace avi {

using Bytes = std::vector<unsigned char>;
using Palette = std::array<uint32_t, 256>; // 0xRRGGBB

struct IndexedFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // top-down rows, one index a pixel
};

enum class Encoding { Uncompressed8, Rle8, Rgb24 };

// The stream's format and already encoded frame payloads, packed into a RIFF AVI file.
struct ClipLayout {
    int width = 0;
    int height = 0; // positive: bottom-up rows, as DIBs store them
    int bitCount = 8;
    uint32_t compression = 0; // 0 uncompressed, 1 RLE8
    Palette palette{};
    int microsecondsPerFrame = 100000;
    std::vector<Bytes> framePayloads;
};

Bytes PackAvi(const ClipLayout& layout);

// Encodes whole frames: RLE8 as runs and end-of-line codes, uncompressed as bottom-up rows
// padded to four bytes.
Bytes EncodeAvi(const std::vector<IndexedFrame>& frames, const Palette& palette,
                int microsecondsPerFrame, Encoding encoding);

} // namespace avi
