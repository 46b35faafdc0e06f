#include "engine/JpegFile.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg reports errors through this handler; it jumps back to the writer.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1); }

}  // namespace

bool SaveJpeg(const QImage& image, const QString& fileName) {
    if (image.isNull()) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    FILE* out = std::fopen(QFile::encodeName(fileName).constData(), "wb");
    if (!out) return false;
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    if (setjmp(errors.back)) {
        jpeg_destroy_compress(&info);
        std::fclose(out);
        QFile::remove(fileName);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const bool written = std::fflush(out) == 0 && !std::ferror(out);
    if (std::fclose(out) != 0 || !written) {
        QFile::remove(fileName);
        return false;
    }
    return true;
}
