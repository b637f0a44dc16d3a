// JPEG decoding through libjpeg.
#pragma once

#include "platform/d3d9/D3DXImage.h"

// True for data starting with the JPEG start-of-image marker.
bool D3DXIsJpeg(const BYTE* data, std::size_t size);
// Decodes to 0xFFRRGGBB. False on any error (the decoder's messages are not printed).
bool D3DXDecodeJpeg(const BYTE* data, std::size_t size, D3DXDecodedImage& out);
