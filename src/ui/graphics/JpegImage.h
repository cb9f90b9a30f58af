#pragma once

// JPEG pictures through libjpeg. A broken or truncated file is an Error, never a crash.

#include <QImage>

#include <string>
#include <string_view>

namespace tovel {

// Decodes JPEG bytes into an RGB image; Error with libjpeg's message when they are not a
// picture libjpeg can read.
QImage DecodeJpeg(std::string_view bytes);
// Reads and decodes a file; Error when it cannot be read or decoded.
QImage LoadJpegFile(const std::string& path);

// Encodes an image as baseline JPEG of the given quality (1..100).
std::string EncodeJpeg(const QImage& image, int quality = 85);

} // namespace tovel
