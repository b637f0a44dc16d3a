// PNG decoding through libpng's simplified reader.
#pragma once

#include "platform/d3d9/D3DXImage.h"

// True for data starting with the PNG signature.
bool D3DXIsPng(const BYTE* data, std::size_t size);
// Decodes to 0xAARRGGBB (alpha as stored; 255 for pictures without alpha). False on any error.
bool D3DXDecodePng(const BYTE* data, std::size_t size, D3DXDecodedImage& out);
