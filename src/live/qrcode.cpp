#include "qrcode.h"

#include <qrencode.h>

#include <memory>

namespace quilvarden::live {

QImage qrCode(const QString& text, int scale)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code || scale < 1)
        return {};
    constexpr int margin = 4; // modules of white around the code
    const int modules = code->width;
    const int side = (modules + 2 * margin) * scale;
    QImage image(side, side, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x) {
            // The lowest bit of each module tells whether it is dark.
            if ((code->data[y * modules + x] & 1) == 0)
                continue;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    image.setPixel((x + margin) * scale + dx, (y + margin) * scale + dy, 1);
        }
    return image;
}

} // namespace quilvarden::live
