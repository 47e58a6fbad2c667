#pragma once

#include <QImage>
#include <QString>

namespace quilvarden::live {

// The QR code of a text (an address to give out), black on white with the quiet margin
// readers need, each module scale pixels wide. A null image when the text does not fit.
QImage qrCode(const QString& text, int scale = 6);

} // namespace quilvarden::live
