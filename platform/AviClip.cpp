#include "platform/AviClip.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The clip is read as a sequence of RIFF chunks: four-character code, little-endian size,
// payload padded to an even length. Every read is bounds-checked; a short file is a
// broken clip, not a crash.
class ByteView {
public:
    ByteView(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    size_t size() const { return size_; }
    const unsigned char* data() const { return data_; }
    bool has(size_t offset, size_t n) const { return offset <= size_ && n <= size_ - offset; }
    uint32_t u32(size_t offset) const {
        return has(offset, 4)
                   ? uint32_t(data_[offset]) | uint32_t(data_[offset + 1]) << 8 |
                         uint32_t(data_[offset + 2]) << 16 | uint32_t(data_[offset + 3]) << 24
                   : 0;
    }
    uint16_t u16(size_t offset) const {
        return has(offset, 2) ? uint16_t(data_[offset] | data_[offset + 1] << 8) : 0;
    }
    bool fourcc(size_t offset, const char* code) const {
        return has(offset, 4) && std::memcmp(data_ + offset, code, 4) == 0;
    }
    ByteView sub(size_t offset, size_t n) const {
        return has(offset, n) ? ByteView(data_ + offset, n) : ByteView(data_, 0);
    }

private:
    const unsigned char* data_;
    size_t size_;
};

struct Chunk {
    char id[5] = {};
    ByteView body{nullptr, 0};
};

// Walks the chunks of a RIFF list body; stops at the first chunk that overruns it.
template <typename Visit> void ForEachChunk(const ByteView& list, Visit visit) {
    size_t at = 0;
    while (list.has(at, 8)) {
        Chunk c;
        std::memcpy(c.id, list.data() + at, 4);
        const uint32_t size = list.u32(at + 4);
        if (!list.has(at + 8, size))
            return;
        c.body = list.sub(at + 8, size);
        if (!visit(c))
            return;
        at += 8 + size + (size & 1u);
    }
}

struct VideoFormat {
    int width = 0;
    int height = 0; // rows, always positive
    bool bottomUp = true;
    int bitCount = 0; // 8 or 24
    uint32_t compression = 0;
    QList<QRgb> palette;
};

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr int kMaxSide = 4096; // far more than any animation control shows

bool ReadFormat(const ByteView& strf, VideoFormat& f) {
    const uint32_t headerSize = strf.u32(0);
    if (headerSize < 40 || !strf.has(0, headerSize))
        return false;
    const int32_t width = int32_t(strf.u32(4));
    const int32_t height = int32_t(strf.u32(8));
    f.bitCount = strf.u16(14);
    f.compression = strf.u32(16);
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    f.width = width;
    f.bottomUp = height > 0;
    f.height = height > 0 ? height : -height;
    const bool rgb24 = f.bitCount == 24 && f.compression == kBiRgb;
    const bool indexed = f.bitCount == 8 && (f.compression == kBiRgb || f.compression == kBiRle8);
    if (!rgb24 && !indexed)
        return false;
    if (indexed) {
        uint32_t colours = strf.u32(32);
        if (colours == 0 || colours > 256)
            colours = 256;
        f.palette.fill(qRgb(0, 0, 0), 256);
        for (uint32_t i = 0; i < colours && strf.has(headerSize + 4 * i, 4); ++i) {
            const size_t p = headerSize + 4 * i;
            f.palette[int(i)] = qRgb(strf.data()[p + 2], strf.data()[p + 1], strf.data()[p]);
        }
    }
    return true;
}

size_t RowStride(const VideoFormat& f) {
    return ((size_t(f.width) * f.bitCount + 31) / 32) * 4;
}

// Row r of the picture as stored (0 = first stored row) is image row:
int ImageRow(const VideoFormat& f, int storedRow) {
    return f.bottomUp ? f.height - 1 - storedRow : storedRow;
}

bool DecodeUncompressed(const VideoFormat& f, const ByteView& data, QImage& image) {
    const size_t stride = RowStride(f);
    if (!data.has(0, stride * f.height))
        return false;
    for (int r = 0; r < f.height; ++r) {
        const unsigned char* src = data.data() + stride * r;
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(ImageRow(f, r)));
        for (int x = 0; x < f.width; ++x)
            dst[x] = f.bitCount == 8 ? f.palette[src[x]]
                                     : qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
    }
    return true;
}

// RLE8 draws onto the previous frame's indices: pixels a delta skips keep their colour.
bool DecodeRle8(const VideoFormat& f, const ByteView& data, std::vector<uint8_t>& indices) {
    int x = 0;
    int row = 0; // stored row
    size_t at = 0;
    auto put = [&](uint8_t value) {
        if (x < f.width && row < f.height)
            indices[size_t(row) * f.width + x] = value;
        ++x;
    };
    while (data.has(at, 2)) {
        const uint8_t count = data.data()[at];
        const uint8_t code = data.data()[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(code);
        } else if (code == 0) { // end of line
            x = 0;
            ++row;
        } else if (code == 1) { // end of bitmap
            return true;
        } else if (code == 2) { // delta
            if (!data.has(at, 2))
                return false;
            x += data.data()[at];
            row += data.data()[at + 1];
            at += 2;
        } else { // literal run, padded to a word
            if (!data.has(at, code))
                return false;
            for (int i = 0; i < code; ++i)
                put(data.data()[at + i]);
            at += code + (code & 1u);
        }
    }
    return true; // a frame may end without its end-of-bitmap code
}

QImage IndicesToImage(const VideoFormat& f, const std::vector<uint8_t>& indices) {
    QImage image(f.width, f.height, QImage::Format_RGB32);
    for (int r = 0; r < f.height; ++r) {
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(ImageRow(f, r)));
        for (int x = 0; x < f.width; ++x)
            dst[x] = f.palette[indices[size_t(r) * f.width + x]];
    }
    return image;
}

struct Headers {
    uint32_t microsecondsPerFrame = 0;
    VideoFormat format;
    bool haveFormat = false;
    ByteView movi{nullptr, 0};
};

// The first video stream's format; audio or other streams are ignored.
void ReadStreamList(const ByteView& strl, Headers& h) {
    bool isVideo = false;
    ForEachChunk(strl, [&](const Chunk& c) {
        if (std::strcmp(c.id, "strh") == 0)
            isVideo = c.body.fourcc(0, "vids");
        else if (std::strcmp(c.id, "strf") == 0 && isVideo && !h.haveFormat)
            h.haveFormat = ReadFormat(c.body, h.format);
        return true;
    });
}

void ReadHeaderList(const ByteView& hdrl, Headers& h) {
    ForEachChunk(hdrl, [&](const Chunk& c) {
        if (std::strcmp(c.id, "avih") == 0)
            h.microsecondsPerFrame = c.body.u32(0);
        else if (std::strcmp(c.id, "LIST") == 0 && c.body.fourcc(0, "strl"))
            ReadStreamList(c.body.sub(4, c.body.size() - 4), h);
        return true;
    });
}

// Frame chunks of stream 0: "00db" uncompressed, "00dc" compressed; "rec " lists nest them.
template <typename Visit> void ForEachFrameChunk(const ByteView& list, Visit& visit) {
    ForEachChunk(list, [&](const Chunk& c) {
        if (std::strcmp(c.id, "LIST") == 0 && c.body.fourcc(0, "rec ")) {
            ForEachFrameChunk(c.body.sub(4, c.body.size() - 4), visit);
            return true;
        }
        if (std::strcmp(c.id, "00db") == 0 || std::strcmp(c.id, "00dc") == 0)
            return visit(c.body);
        return true;
    });
}

} // namespace

std::optional<AviClip> AviClip::Parse(const std::vector<unsigned char>& bytes) {
    const ByteView file(bytes.data(), bytes.size());
    if (!file.fourcc(0, "RIFF") || !file.fourcc(8, "AVI "))
        return std::nullopt;
    const uint32_t riffSize = file.u32(4);
    const ByteView body = file.sub(12, std::min<size_t>(riffSize - 4, file.size() - 12));

    Headers h;
    ForEachChunk(body, [&](const Chunk& c) {
        if (std::strcmp(c.id, "LIST") == 0 && c.body.fourcc(0, "hdrl"))
            ReadHeaderList(c.body.sub(4, c.body.size() - 4), h);
        else if (std::strcmp(c.id, "LIST") == 0 && c.body.fourcc(0, "movi"))
            h.movi = c.body.sub(4, c.body.size() - 4);
        return true;
    });
    if (!h.haveFormat || h.movi.data() == nullptr)
        return std::nullopt;

    AviClip clip;
    clip.microsecondsPerFrame = int(std::min<uint32_t>(h.microsecondsPerFrame, 10'000'000));
    const VideoFormat& f = h.format;
    std::vector<uint8_t> indices(size_t(f.width) * f.height, 0);
    bool broken = false;
    auto decode = [&](const ByteView& data) {
        if (f.compression == kBiRle8) {
            broken = !DecodeRle8(f, data, indices);
            if (!broken)
                clip.frames.push_back(IndicesToImage(f, indices));
        } else {
            QImage image(f.width, f.height, QImage::Format_RGB32);
            broken = !DecodeUncompressed(f, data, image);
            if (!broken)
                clip.frames.push_back(image);
        }
        return !broken;
    };
    ForEachFrameChunk(h.movi, decode);
    if (broken || clip.frames.empty())
        return std::nullopt;
    return clip;
}

std::optional<AviClip> AviClip::Load(const std::string& path) {
    // Non-blocking and regular files only: a FIFO named like the clip must not freeze the
    // window as it opens.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    constexpr off_t kMaxClipBytes = 64 << 20;
    std::vector<unsigned char> bytes;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxClipBytes;
    if (ok) {
        bytes.resize(size_t(st.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            ok = n > 0 || (n < 0 && errno == EINTR);
            if (n > 0)
                done += size_t(n);
        }
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return Parse(bytes);
}
