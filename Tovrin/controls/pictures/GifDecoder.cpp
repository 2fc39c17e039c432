#include "GifDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Larger screens or longer animations are not something a static control should hold.
const int kMaxSide = 4096;
const size_t kMaxTotalPixels = 32 * 1024 * 1024;
const int kMaxCodes = 4096;

const BYTE kExtension = 0x21;
const BYTE kImage = 0x2C;
const BYTE kTrailer = 0x3B;
const BYTE kGraphicControl = 0xF9;

enum Disposal { kKeep = 1, kRestoreBackground = 2, kRestorePrevious = 3 };

class ByteReader {
public:
    ByteReader(const BYTE* data, size_t size) : m_data(data), m_size(size), m_position(0) {}

    bool Byte(BYTE& value) {
        if (m_position >= m_size)
            return false;
        value = m_data[m_position++];
        return true;
    }
    bool Word(int& value) {
        BYTE low = 0, high = 0;
        if (!Byte(low) || !Byte(high))
            return false;
        value = low | (high << 8);
        return true;
    }
    const BYTE* Take(size_t count) {
        if (m_size - m_position < count)
            return nullptr;
        const BYTE* start = m_data + m_position;
        m_position += count;
        return start;
    }
    // Data sub-blocks up to their zero terminator, appended to out when given.
    bool SubBlocks(std::vector<BYTE>* out) {
        for (BYTE length = 0;;) {
            if (!Byte(length))
                return false;
            if (length == 0)
                return true;
            const BYTE* block = Take(length);
            if (!block)
                return false;
            if (out)
                out->insert(out->end(), block, block + length);
        }
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_position;
};

using Palette = std::vector<DWORD>;

bool ReadPalette(ByteReader& reader, BYTE flags, Palette& palette) {
    const size_t count = size_t(2) << (flags & 0x07);
    const BYTE* entries = reader.Take(count * 3);
    if (!entries)
        return false;
    palette.resize(count);
    for (size_t i = 0; i < count; ++i)
        palette[i] = 0xFF000000 | (entries[i * 3] << 16) | (entries[i * 3 + 1] << 8) | entries[i * 3 + 2];
    return true;
}

// Variable-length LZW codes, least significant bit first. Stops at the end code, at the end of
// the data or when every pixel has its index; pixels without one keep the value they had.
bool DecodeLzw(const std::vector<BYTE>& data, int minimumCodeSize, std::vector<BYTE>& indexes) {
    if (minimumCodeSize < 2 || minimumCodeSize > 8)
        return false;
    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    std::vector<int> prefix(kMaxCodes);
    std::vector<BYTE> suffix(kMaxCodes);
    std::vector<BYTE> first(kMaxCodes);
    std::vector<BYTE> stack(kMaxCodes + 1);
    for (int code = 0; code < clear; ++code) {
        suffix[code] = static_cast<BYTE>(code);
        first[code] = static_cast<BYTE>(code);
    }

    int codeSize = minimumCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    size_t out = 0;
    unsigned int bits = 0;
    int bitCount = 0;
    for (size_t position = 0; out < indexes.size();) {
        while (bitCount < codeSize && position < data.size()) {
            bits |= static_cast<unsigned int>(data[position++]) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeSize)
            break;
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = minimumCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0 && code >= clear)
            return false;
        if (code > next || (code == next && previous < 0))
            return false;

        // A code not yet in the table is the previous string plus its own first byte.
        int walk = code < next ? code : previous;
        int depth = 0;
        if (code == next)
            stack[depth++] = first[previous];
        while (walk >= clear) {
            stack[depth++] = suffix[walk];
            walk = prefix[walk];
        }
        stack[depth++] = static_cast<BYTE>(walk);
        while (depth > 0 && out < indexes.size())
            indexes[out++] = stack[--depth];

        if (previous >= 0 && next < kMaxCodes) {
            prefix[next] = previous;
            suffix[next] = static_cast<BYTE>(walk);
            first[next] = first[previous];
            ++next;
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        previous = code;
    }
    return true;
}

// An interlaced image stores every 8th row from 0, then every 8th from 4, every 4th from 2 and
// every 2nd from 1; the result is in display order.
std::vector<BYTE> Deinterlace(const std::vector<BYTE>& stored, int width, int height) {
    std::vector<BYTE> rows(stored.size());
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    size_t source = 0;
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = starts[pass]; row < height; row += steps[pass]) {
            std::copy_n(stored.begin() + source, width, rows.begin() + static_cast<size_t>(row) * width);
            source += width;
        }
    }
    return rows;
}

struct Control {
    int disposal = 0;
    int transparent = -1;
    UINT delay = 0;
};

struct FrameRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class Decoder {
public:
    Decoder(const BYTE* data, size_t size, GifAnimation& animation, size_t maxFrames)
        : m_reader(data, size), m_animation(animation), m_maxFrames(maxFrames) {}

    bool Run() {
        if (!ReadHeader())
            return false;
        for (BYTE block = 0; m_animation.frames.size() < m_maxFrames && m_reader.Byte(block) && block != kTrailer;) {
            const bool read = block == kExtension ? ReadExtension() : block == kImage ? ReadImage() : false;
            if (!read)
                break;
        }
        return !m_animation.frames.empty();
    }

private:
    bool ReadHeader() {
        const BYTE* signature = m_reader.Take(6);
        BYTE flags = 0, background = 0, aspect = 0;
        if (!signature || (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0))
            return false;
        if (!m_reader.Word(m_animation.width) || !m_reader.Word(m_animation.height) || !m_reader.Byte(flags) ||
            !m_reader.Byte(background) || !m_reader.Byte(aspect))
            return false;
        if (m_animation.width <= 0 || m_animation.height <= 0 || m_animation.width > kMaxSide ||
            m_animation.height > kMaxSide)
            return false;
        if ((flags & 0x80) && !ReadPalette(m_reader, flags, m_global))
            return false;
        m_canvas.assign(static_cast<size_t>(m_animation.width) * m_animation.height, 0);
        return true;
    }

    bool ReadExtension() {
        BYTE label = 0;
        if (!m_reader.Byte(label))
            return false;
        if (label != kGraphicControl)
            return m_reader.SubBlocks(nullptr);
        std::vector<BYTE> body;
        if (!m_reader.SubBlocks(&body) || body.size() < 4)
            return false;
        m_control.disposal = (body[0] >> 2) & 0x07;
        m_control.transparent = (body[0] & 0x01) ? body[3] : -1;
        m_control.delay = (body[1] | (body[2] << 8)) * 10u;
        return true;
    }

    bool ReadImage() {
        FrameRect rect;
        BYTE flags = 0, minimumCodeSize = 0;
        if (!m_reader.Word(rect.left) || !m_reader.Word(rect.top) || !m_reader.Word(rect.width) ||
            !m_reader.Word(rect.height) || !m_reader.Byte(flags))
            return false;
        Palette local;
        if ((flags & 0x80) && !ReadPalette(m_reader, flags, local))
            return false;
        std::vector<BYTE> data;
        if (!m_reader.Byte(minimumCodeSize) || !m_reader.SubBlocks(&data))
            return false;
        const Palette& palette = (flags & 0x80) ? local : m_global;
        if (palette.empty() || rect.width > kMaxSide || rect.height > kMaxSide)
            return false;
        std::vector<BYTE> indexes(static_cast<size_t>(rect.width) * rect.height, 0);
        if (!DecodeLzw(data, minimumCodeSize, indexes))
            return false;
        if (flags & 0x40)
            indexes = Deinterlace(indexes, rect.width, rect.height);
        if ((m_animation.frames.size() + 1) * m_canvas.size() > kMaxTotalPixels)
            return false;

        DisposePreviousFrame();
        if (m_control.disposal == kRestorePrevious)
            m_saved = m_canvas;
        Paint(rect, indexes, palette);
        GifFrame frame;
        frame.pixels = m_canvas;
        frame.delay = m_control.delay;
        m_animation.frames.push_back(std::move(frame));
        m_previousRect = rect;
        m_previousDisposal = m_control.disposal;
        m_control = Control();
        return true;
    }

    void DisposePreviousFrame() {
        if (m_previousDisposal == kRestorePrevious && m_saved.size() == m_canvas.size()) {
            m_canvas = m_saved;
        } else if (m_previousDisposal == kRestoreBackground) {
            ForEachVisiblePixel(m_previousRect, [this](size_t, size_t target) { m_canvas[target] = 0; });
        }
    }

    void Paint(const FrameRect& rect, const std::vector<BYTE>& indexes, const Palette& palette) {
        ForEachVisiblePixel(rect, [&](size_t source, size_t target) {
            const BYTE index = indexes[source];
            if (index != m_control.transparent && index < palette.size())
                m_canvas[target] = palette[index];
        });
    }

    // source: index into the frame's own pixels; target: index into the canvas. Parts of the
    // frame outside the logical screen are skipped.
    template <typename Visit>
    void ForEachVisiblePixel(const FrameRect& rect, Visit visit) {
        for (int y = 0; y < rect.height; ++y) {
            for (int x = 0; x < rect.width; ++x) {
                const int canvasX = rect.left + x;
                const int canvasY = rect.top + y;
                if (canvasX < m_animation.width && canvasY < m_animation.height)
                    visit(static_cast<size_t>(y) * rect.width + x, static_cast<size_t>(canvasY) * m_animation.width + canvasX);
            }
        }
    }

    ByteReader m_reader;
    GifAnimation& m_animation;
    size_t m_maxFrames;
    Palette m_global;
    Control m_control;
    std::vector<DWORD> m_canvas;
    std::vector<DWORD> m_saved;
    FrameRect m_previousRect;
    int m_previousDisposal = 0;
};

}  // namespace

bool DecodeGif(const BYTE* data, size_t size, GifAnimation& animation, size_t maxFrames) {
    animation = GifAnimation();
    if (!data || !Decoder(data, size, animation, maxFrames).Run()) {
        animation = GifAnimation();
        return false;
    }
    return true;
}
