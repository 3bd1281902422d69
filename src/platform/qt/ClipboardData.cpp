#include "platform/qt/ClipboardData.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "platform/qt/QtConvert.h"

namespace pelorin {

namespace {

const QString kQtImage = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");
const QString kBmp = QStringLiteral("image/bmp");

// What Qt may allocate while decoding, in MB: the largest picture we take at 8 bytes a pixel (a
// PNG with 16-bit channels decodes into 64 bits a pixel).
constexpr int kDecodeLimitMb = static_cast<int>(kMaxClipboardPixels * 8 / (1024 * 1024));

struct PictureSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

bool Fits(PictureSize size) {
  return size.width <= kMaxClipboardPixels && size.height <= kMaxClipboardPixels &&
         size.width * size.height <= kMaxClipboardPixels;
}

ClipboardPicture TooLarge(PictureSize size) {
  ClipboardPicture result;
  result.kind = ClipboardPicture::Kind::kTooLarge;
  result.width = static_cast<int>(std::min<std::int64_t>(size.width, INT_MAX));
  result.height = static_cast<int>(std::min<std::int64_t>(size.height, INT_MAX));
  return result;
}

ClipboardPicture Undecodable() {
  ClipboardPicture result;
  result.kind = ClipboardPicture::Kind::kUndecodable;
  return result;
}

// A decoded image as the program takes it.
ClipboardPicture Taken(const QImage& image) {
  if (image.isNull()) return Undecodable();
  const PictureSize size{image.width(), image.height()};
  if (!Fits(size)) return TooLarge(size);
  ClipboardPicture picture = ClipboardPicture::Of(OpaqueRaster(image));
  picture.mask = TransparencyMask(image);
  return picture;
}

// The picture formats the data offers that Qt decodes, PNG and BMP first.
QStringList PictureFormats(const QStringList& offered) {
  const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
  QStringList formats;
  for (const QString& preferred : {kPng, kBmp})
    if (offered.contains(preferred)) formats << preferred;
  for (const QString& format : offered)
    if (format.startsWith(QLatin1String("image/")) && !formats.contains(format) &&
        readable.contains(format.toLatin1()))
      formats << format;
  return formats;
}

// The size a PNG (its IHDR) or BMP header gives, without decoding; nullopt for other data.
std::optional<PictureSize> HeaderSize(const QByteArray& bytes) {
  const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
  const qsizetype n = bytes.size();
  // PNG: the signature, then the IHDR chunk (length, type, width, height, big-endian).
  if (n >= 24 && bytes.startsWith("\x89PNG\r\n\x1a\n") && bytes.mid(12, 4) == "IHDR")
    return PictureSize{qFromBigEndian<quint32>(b + 16), qFromBigEndian<quint32>(b + 20)};
  // BMP: the 14-byte file header, then the bitmap header, whose first field is its size: 12 for
  // the old core header (16-bit width and height), more for the others (32-bit, a negative
  // height meaning top-down rows).
  if (n >= 18 && bytes.startsWith("BM")) {
    const quint32 header = qFromLittleEndian<quint32>(b + 14);
    if (header == 12 && n >= 22)
      return PictureSize{qFromLittleEndian<quint16>(b + 18), qFromLittleEndian<quint16>(b + 20)};
    if (header >= 16 && n >= 26) {
      const std::int64_t width = qFromLittleEndian<qint32>(b + 18);
      const std::int64_t height = qFromLittleEndian<qint32>(b + 22);
      return PictureSize{width < 0 ? -width : width, height < 0 ? -height : height};
    }
  }
  return std::nullopt;
}

// One encoded picture on `device`: refused as too large when its header says so, else decoded.
ClipboardPicture DecodePicture(QIODevice& device) {
  QImageReader reader(&device);
  reader.setAllocationLimit(kDecodeLimitMb);
  std::optional<PictureSize> size = HeaderSize(device.peek(26));
  if (!size) {
    const QSize read_size = reader.size();  // what the other formats' readers tell, if anything
    if (read_size.isValid()) size = PictureSize{read_size.width(), read_size.height()};
  }
  if (size && !Fits(*size)) return TooLarge(*size);
  return Taken(reader.read());
}

ClipboardPicture DecodePicture(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return DecodePicture(buffer);
}

}  // namespace

std::unique_ptr<QMimeData> PictureMimeData(const Raster& picture, const Raster* transparency) {
  auto data = std::make_unique<QMimeData>();
  QImage image = ToQImage(picture);  // opaque RGB32: the PNG has no alpha channel
  if (transparency != nullptr && transparency->width() == picture.width() &&
      transparency->height() == picture.height()) {
    bool any = false;
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
      auto* row = reinterpret_cast<quint32*>(argb.scanLine(y));
      for (int x = 0; x < argb.width(); ++x) {
        if (transparency->At(x, y) != kWhite) continue;
        row[x] &= 0x00FFFFFFu;
        any = true;
      }
    }
    if (any) image = argb;
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  data->setImageData(image);
  data->setData(kPng, png);
  return data;
}

bool OffersPicture(const QMimeData& data) {
  const QStringList offered = data.formats();
  return offered.contains(kQtImage) || !PictureFormats(offered).isEmpty();
}

ClipboardPicture ReadPicture(const QMimeData& data) {
  const QStringList formats = PictureFormats(data.formats());
  for (const QString& format : formats) {
    ClipboardPicture picture = DecodePicture(data.data(format));
    if (picture.kind != ClipboardPicture::Kind::kUndecodable) return picture;
  }
  if (!formats.isEmpty()) return Undecodable();
  // Only an image object, as a program hands it over inside itself. (Between programs Qt derives
  // the image object from the encoded formats above, and decoding it would skip the size check.)
  if (!data.hasImage()) return {};
  return Taken(qvariant_cast<QImage>(data.imageData()));
}

ClipboardPicture ReadPictureFromFile(const QString& path) {
  if (!QFileInfo(path).isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // The program's own kinds of file are opened, not pasted.
  const QByteArray format = QImageReader::imageFormat(&file).toLower();
  if (format.isEmpty() || format == "ico" || format == "cur") return {};
  return DecodePicture(file);
}

std::optional<Raster> TransparencyMask(const QImage& image) {
  if (!image.hasAlphaChannel()) return std::nullopt;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Raster mask(argb.width(), argb.height(), kBlack);
  bool any = false;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const quint32*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if ((in[x] >> 24) >= 128) continue;
      mask.Row(y)[x] = kWhite;
      any = true;
    }
  }
  if (!any) return std::nullopt;
  return mask;
}

Raster OpaqueRaster(const QImage& image) {
  if (!image.hasAlphaChannel()) return RasterFromImage(image);
  // Over white, exactly: with premultiplied channels the result is c + 255 - alpha.
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  Raster raster(argb.width(), argb.height(), kWhite);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const quint32*>(argb.constScanLine(y));
    Colour* out = raster.Row(y);
    for (int x = 0; x < argb.width(); ++x) {
      const quint32 p = in[x];
      const quint32 rest = 255 - (p >> 24);
      out[x] = (((p >> 16) & 0xFF) + rest) | ((((p >> 8) & 0xFF) + rest) << 8) |
               (((p & 0xFF) + rest) << 16);
    }
  }
  return raster;
}

}  // namespace pelorin
