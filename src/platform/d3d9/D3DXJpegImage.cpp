#include "platform/d3d9/D3DXJpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr /*info*/)
{}

// The decode proper. Everything it changes lives in the caller's frame, so that the long jump of
// the error handler leaves no half-destroyed object behind in this one.
bool DecodeInto(jpeg_decompress_struct* info, JpegErrorManager* err, const BYTE* data, std::size_t size,
                std::vector<BYTE>* row, D3DXDecodedImage* out)
{
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, const_cast<BYTE*>(data), static_cast<unsigned long>(size));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (!D3DXImageSizeAllowed(info->image_width, info->image_height)) return false;
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    if (info->output_components != 3) return false;
    out->width = info->output_width;
    out->height = info->output_height;
    out->fileFormat = D3DXIFF_JPG;
    out->argb.assign(static_cast<std::size_t>(out->width) * out->height, 0);
    row->resize(static_cast<std::size_t>(out->width) * 3);
    while (info->output_scanline < info->output_height) {
        const std::size_t y = info->output_scanline;
        JSAMPROW rows[1] = {row->data()};
        if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
        std::uint32_t* dst = out->argb.data() + y * out->width;
        for (UINT x = 0; x < out->width; ++x) {
            const BYTE* p = row->data() + static_cast<std::size_t>(x) * 3;
            dst[x] =
                0xFF000000u | (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
        }
    }
    jpeg_finish_decompress(info);
    return true;
}

}  // namespace

bool D3DXIsJpeg(const BYTE* data, std::size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool D3DXDecodeJpeg(const BYTE* data, std::size_t size, D3DXDecodedImage& out)
{
    jpeg_decompress_struct info{};
    JpegErrorManager err{};
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnJpegError;
    err.pub.output_message = OnJpegMessage;
    std::vector<BYTE> row;
    bool ok = false;
    try {
        ok = DecodeInto(&info, &err, data, size, &row, &out);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&info);
    return ok;
}
