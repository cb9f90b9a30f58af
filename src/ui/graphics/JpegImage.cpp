#include "ui/graphics/JpegImage.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// libjpeg's header expects FILE and size_t to be declared first.
#include <jpeglib.h>

namespace tovel {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// the setjmp of the routine that called libjpeg, with the message saved; no C++ object with a
// destructor lives between the two, so the jump skips nothing.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a slightly damaged file that still decodes) are not printed to the console.
void OutputMessage(j_common_ptr) {}

// The decompressor and its clean-up on every path out.
class Decompressor {
public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = ErrorExit;
        errors_.pub.output_message = OutputMessage;
        errors_.message[0] = '\0';
    }
    ~Decompressor() {
        if (created_)
            jpeg_destroy_decompress(&info_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Decodes into `image`; false with Message() set on failure.
    bool Run(const unsigned char* data, unsigned long size, QImage& image) {
        if (setjmp(errors_.jump))
            return false;
        jpeg_create_decompress(&info_);
        created_ = true;
        jpeg_mem_src(&info_, data, size);
        jpeg_read_header(&info_, TRUE);
        info_.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info_);
        if (info_.output_components != 3 || info_.output_width == 0 || info_.output_height == 0 ||
            info_.output_width > 20000 || info_.output_height > 20000) {
            std::snprintf(errors_.message, sizeof errors_.message, "Unsupported picture size or format");
            return false;
        }
        // The temporary QImage is gone before the next libjpeg call, so no destructor lies
        // between setjmp and a later jump.
        image = QImage(static_cast<int>(info_.output_width), static_cast<int>(info_.output_height),
                       QImage::Format_RGB888);
        if (image.isNull()) {
            std::snprintf(errors_.message, sizeof errors_.message, "Not enough memory for the picture");
            return false;
        }
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = image.scanLine(static_cast<int>(info_.output_scanline));
            jpeg_read_scanlines(&info_, &row, 1);
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

    const char* Message() const { return errors_.message; }

private:
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    bool created_ = false;
};

class Compressor {
public:
    Compressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = ErrorExit;
        errors_.pub.output_message = OutputMessage;
    }
    ~Compressor() {
        if (created_)
            jpeg_destroy_compress(&info_);
        std::free(buffer_);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    bool Run(const QImage& rgb, int quality) {
        if (setjmp(errors_.jump))
            return false;
        jpeg_create_compress(&info_);
        created_ = true;
        jpeg_mem_dest(&info_, &buffer_, &size_);
        info_.image_width = static_cast<JDIMENSION>(rgb.width());
        info_.image_height = static_cast<JDIMENSION>(rgb.height());
        info_.input_components = 3;
        info_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info_);
        jpeg_set_quality(&info_, quality, TRUE);
        jpeg_start_compress(&info_, TRUE);
        while (info_.next_scanline < info_.image_height) {
            JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(info_.next_scanline)));
            jpeg_write_scanlines(&info_, &row, 1);
        }
        jpeg_finish_compress(&info_);
        return true;
    }

    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(buffer_), size_); }
    const char* Message() const { return errors_.message; }

private:
    jpeg_compress_struct info_{};
    ErrorManager errors_{};
    bool created_ = false;
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
};

} // namespace

QImage DecodeJpeg(std::string_view bytes) {
    if (bytes.empty())
        throw Error("JPEG error: empty file");
    QImage image;
    Decompressor decompressor;
    if (!decompressor.Run(reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<unsigned long>(bytes.size()), image))
        throw Error(std::string("JPEG error: ") + decompressor.Message());
    return image;
}

QImage LoadJpegFile(const std::string& path) {
    return DecodeJpeg(ReadWholeFile(path));
}

std::string EncodeJpeg(const QImage& image, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw Error("JPEG error: empty picture");
    Compressor compressor;
    if (!compressor.Run(rgb, quality))
        throw Error(std::string("JPEG error: ") + compressor.Message());
    return compressor.Bytes();
}

} // namespace tovel
