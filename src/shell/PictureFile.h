#pragma once

#include <QImage>
#include <QString>

// The picture file of the picture tool: a Windows bitmap, taken whole.
//
// Refused with a null image (the caller shows IdsBitmapLoadFailed): a file
// that cannot be read (or is no regular file, such as a FIFO) or is larger
// than kMaxPictureFileBytes; a file that
// IsWholeBitmapFile refuses (another format under the name ".bmp", a
// bitmap cut short); one that the image reader does not take as "bmp"; one
// whose header claims a picture that would take more than
// kMaxPictureDecodeMegabytes to decode, convert and scale, refused before
// decoding. Otherwise the picture, scaled down to the display where it is
// larger (PictureOnDisplay).
QImage ReadPictureFile(const QString& path);

// `image` itself when it fits the 192 x 64 display, else scaled down on the
// axis that exceeds it.
QImage PictureOnDisplay(const QImage& image);

// No bitmap of the display's size comes near these; they bound what a file
// that claims a huge picture may cost: the bytes read, and the memory that
// the picture takes beyond them at the peak of its placement.
constexpr qint64 kMaxPictureFileBytes = 64 << 20;
constexpr int kMaxPictureDecodeMegabytes = 128;
