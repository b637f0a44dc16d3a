#include "IndexedImage.h"

#include <algorithm>

#include "ByteWriter.h"

namespace testsupport {

Legend::Legend(std::initializer_list<std::pair<char, std::uint8_t>> entries)
{
    for (const auto& [c, index] : entries) {
        m_index[static_cast<unsigned char>(c)] = index;
    }
    m_index[static_cast<unsigned char>('.')] = 0;
    m_index[static_cast<unsigned char>(' ')] = 0;
}

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill)
{}

std::uint8_t IndexedImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0;
    }
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void IndexedImage::Set(int x, int y, std::uint8_t index)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = index;
}

void IndexedImage::Fill(int x, int y, int width, int height, std::uint8_t index)
{
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + width, m_width);
    const int y1 = std::min(y + height, m_height);
    for (int row = y0; row < y1; ++row) {
        for (int col = x0; col < x1; ++col) {
            m_pixels[static_cast<std::size_t>(row) * m_width + col] = index;
        }
    }
}

void IndexedImage::Frame(int x, int y, int width, int height, std::uint8_t index)
{
    Fill(x, y, width, 1, index);
    Fill(x, y + height - 1, width, 1, index);
    Fill(x, y, 1, height, index);
    Fill(x + width - 1, y, 1, height, index);
}

void IndexedImage::Draw(const IndexedImage& src, int x, int y, bool keyed)
{
    for (int row = 0; row < src.Height(); ++row) {
        for (int col = 0; col < src.Width(); ++col) {
            const std::uint8_t index = src.At(col, row);
            if (!keyed || index != 0) {
                Set(x + col, y + row, index);
            }
        }
    }
}

void IndexedImage::Art(int x, int y, std::initializer_list<std::string_view> rows, const Legend& legend, int scale)
{
    int row = 0;
    for (std::string_view text : rows) {
        for (std::size_t col = 0; col < text.size(); ++col) {
            const std::uint8_t index = legend[text[col]];
            if (index != 0) {
                Fill(x + static_cast<int>(col) * scale, y + row * scale, scale, scale, index);
            }
        }
        ++row;
    }
}

IndexedImage IndexedImage::Mirrored() const
{
    IndexedImage out(m_width, m_height);
    for (int row = 0; row < m_height; ++row) {
        for (int col = 0; col < m_width; ++col) {
            out.Set(m_width - 1 - col, row, At(col, row));
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image, const ColourTable& colours)
{
    constexpr std::uint32_t kHeaders = 14 + 40;
    constexpr std::uint32_t kTableBytes = 256 * 4;
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.Width()) + 3u) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.Height());
    ByteWriter out;
    out.Bytes("BM").U32(kHeaders + kTableBytes + pixelBytes).U16(0).U16(0).U32(kHeaders + kTableBytes);
    out.U32(40).I32(image.Width()).I32(image.Height()).U16(1).U16(8);
    out.U32(0).U32(pixelBytes).I32(2835).I32(2835).U32(256).U32(0);
    for (std::uint32_t colour : colours) {
        out.U8(static_cast<std::uint8_t>(colour)).U8(static_cast<std::uint8_t>(colour >> 8));
        out.U8(static_cast<std::uint8_t>(colour >> 16)).U8(0);
    }
    for (int row = image.Height() - 1; row >= 0; --row) {
        for (int col = 0; col < image.Width(); ++col) {
            out.U8(image.At(col, row));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.Width()); pad < stride; ++pad) {
            out.U8(0);
        }
    }
    return out.Data();
}

}  // namespace testsupport
