// Pictures as clipboard data: what a copy offers other programs, and how a picture that any
// program offers, on the clipboard or as a file, is read, its size checked before it is decoded.
#pragma once

#include <QImage>
#include <QMimeData>
#include <memory>

#include "platform/Platform.h"

namespace pelorin {

// The picture as clipboard data: the image itself, from which Qt derives its own formats
// (application/x-qt-image, and under X11 image/bmp, image/jpeg and the rest), and image/png
// written out, so that every desktop gets a lossless format. With a `transparency` mask that
// has white (transparent) pixels, the image has an alpha channel, 0 at those pixels; otherwise
// it is opaque RGB.
std::unique_ptr<QMimeData> PictureMimeData(const Raster& picture,
                                           const Raster* transparency = nullptr);

// Whether the data offers a picture in a format Qt decodes; text is not a picture.
bool OffersPicture(const QMimeData& data);

// The picture the data offers. The formats are tried in the order image/png, image/bmp, then
// the others as offered; a format that does not decode gives way to the next. A PNG or BMP
// picture too large to take is refused from its header, before it is decoded; other formats
// decode under Qt's allocation limit.
ClipboardPicture ReadPicture(const QMimeData& data);
// The picture in the file at `path`, told by its content, read the same way; kNone for a file
// that holds no picture Qt reads, for an icon or cursor file, and for anything but a regular
// file (nothing waits on a pipe).
ClipboardPicture ReadPictureFromFile(const QString& path);

// An image as the program takes it from the clipboard: any transparency laid over white.
Raster OpaqueRaster(const QImage& image);
// The mask of an image with transparent parts: white where alpha is below 128, black elsewhere;
// nullopt for an image that is opaque throughout.
std::optional<Raster> TransparencyMask(const QImage& image);

}  // namespace pelorin
