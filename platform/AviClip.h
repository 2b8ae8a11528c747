// A reader for the AVI clips the animation control plays: RIFF AVI with one video stream of
// uncompressed 8- or 24-bit DIB frames or RLE8-compressed frames. Every frame is decoded up
// front, so a clip that reads at all can never fail while it plays.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <vector>

struct AviClip {
    std::vector<QImage> frames; // top-down, RGB32
    int microsecondsPerFrame = 0;

    // Nothing for a file that is missing, truncated, not an AVI or in a format not listed
    // above; never a crash.
    static std::optional<AviClip> Load(const std::string& path);
    static std::optional<AviClip> Parse(const std::vector<unsigned char>& bytes);
};
