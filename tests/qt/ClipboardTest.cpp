// The clipboard: a picture put there comes back pixel for pixel and is offered as PNG; pictures
// other programs offer are read in their usual formats; text, broken and oversized pictures are
// told apart without decoding the oversized ones.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <climits>
#include <tuple>

#include "platform/qt/ClipboardData.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {
namespace {

using Kind = ClipboardPicture::Kind;

// Colours that a careless conversion gets wrong: pure and near white, black, each channel alone
// (a red/blue swap shows), and colours whose bytes all differ.
Raster TestPicture() {
  const Colour colours[] = {kWhite,   0xFEFEFE, kBlack,   0x0000FF, 0x00FF00,
                            0xFF0000, 0x123456, 0x010203, 0xABCDEF};
  Raster r(5, 3, kBlack);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x) r.SetPixel(x, y, colours[(x + y * r.width()) % 9]);
  return r;
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// A PNG signature and IHDR chunk alone (no pixel data, no valid checksum).
QByteArray PngHeader(quint32 width, quint32 height) {
  QByteArray bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
  bytes.resize(33, '\0');
  qToBigEndian(width, bytes.data() + 16);
  qToBigEndian(height, bytes.data() + 20);
  bytes[24] = 8;  // bit depth
  bytes[25] = 2;  // RGB
  return bytes;
}

// A BMP file header and a 40-byte bitmap header alone.
QByteArray BmpHeader(qint32 width, qint32 height) {
  QByteArray bytes(54, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  qToLittleEndian<quint32>(40, bytes.data() + 14);
  qToLittleEndian(width, bytes.data() + 18);
  qToLittleEndian(height, bytes.data() + 22);
  qToLittleEndian<quint16>(1, bytes.data() + 26);
  qToLittleEndian<quint16>(24, bytes.data() + 28);
  return bytes;
}

ClipboardPicture Offered(const QString& format, const QByteArray& bytes) {
  QMimeData data;
  data.setData(format, bytes);
  return ReadPicture(data);
}

TEST(Clipboard, APicturePutThereComesBackPixelForPixelAndTextIsNoPicture) {
  QtPlatform platform;
  const Raster picture = TestPicture();
  platform.SetClipboardPicture(picture, nullptr);
  EXPECT_TRUE(platform.ClipboardHasPicture());
  const ClipboardPicture back = platform.GetClipboardPicture();
  ASSERT_EQ(back.kind, Kind::kPicture);
  EXPECT_EQ(back.width, 5);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.picture, picture);

  EXPECT_FALSE(back.mask.has_value()) << "an opaque picture carries no mask";

  // With a mask: the transparent pixels come back as such, opaque white ones stay opaque.
  Raster mask(5, 3, kBlack);
  mask.SetPixel(1, 1, kWhite);
  Raster white_where_clear = picture;
  white_where_clear.SetPixel(1, 1, kWhite);
  platform.SetClipboardPicture(white_where_clear, &mask);
  const ClipboardPicture masked = platform.GetClipboardPicture();
  ASSERT_EQ(masked.kind, Kind::kPicture);
  EXPECT_EQ(masked.picture, white_where_clear);
  ASSERT_TRUE(masked.mask.has_value());
  EXPECT_EQ(*masked.mask, mask);
  const QImage png = QImage::fromData(
      QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), "PNG");
  EXPECT_EQ(qAlpha(png.pixel(1, 1)), 0) << "other programs see the pixel transparent";
  EXPECT_EQ(qAlpha(png.pixel(0, 0)), 255);

  platform.ClearClipboard();
  EXPECT_FALSE(platform.ClipboardHasPicture());
  EXPECT_EQ(platform.GetClipboardPicture().kind, Kind::kNone);
  auto text = std::make_unique<QMimeData>();
  text->setText(QStringLiteral("32 x 32"));
  text->setHtml(QStringLiteral("<img src=\"x.png\">"));
  QGuiApplication::clipboard()->setMimeData(text.release());
  EXPECT_FALSE(platform.ClipboardHasPicture());
  EXPECT_EQ(platform.GetClipboardPicture().kind, Kind::kNone);
}

TEST(Clipboard, OtherProgramsGetTheSamePixelsAsPng) {
  const Raster picture = TestPicture();
  const std::unique_ptr<QMimeData> data = PictureMimeData(picture);
  EXPECT_TRUE(data->hasImage());
  const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
  EXPECT_FALSE(png.hasAlphaChannel());
  EXPECT_EQ(OpaqueRaster(png), picture);
}

TEST(Clipboard, PicturesOfOtherProgramsAreReadPngFirst) {
  const Raster picture = TestPicture();
  const QImage image = ToQImage(picture);
  EXPECT_EQ(Offered(QStringLiteral("image/png"), Encoded(image, "PNG")).picture, picture);
  EXPECT_EQ(Offered(QStringLiteral("image/bmp"), Encoded(image, "BMP")).picture, picture);
  QMimeData object;  // an image object alone, as a program hands it over inside itself
  object.setImageData(image);
  EXPECT_EQ(ReadPicture(object).picture, picture);

  const Raster other(2, 2, 0x00FF00);
  QMimeData both;
  both.setData(QStringLiteral("image/bmp"), Encoded(ToQImage(other), "BMP"));
  both.setData(QStringLiteral("image/png"), Encoded(image, "PNG"));
  EXPECT_EQ(ReadPicture(both).picture, picture);
  // A format that does not decode gives way to the next; with none that decodes a picture is
  // still on offer, and the read says it is broken.
  both.setData(QStringLiteral("image/png"), "\x89PNG\r\n\x1a\n not a picture");
  EXPECT_EQ(ReadPicture(both).picture, other);
  for (const QByteArray& bytes : {QByteArray(), QByteArray("not a picture"), PngHeader(10, 10)}) {
    QMimeData data;
    data.setData(QStringLiteral("image/png"), bytes);
    EXPECT_TRUE(OffersPicture(data));
    EXPECT_EQ(ReadPicture(data).kind, Kind::kUndecodable);
  }
}

TEST(Clipboard, APictureTooLargeIsRefusedFromItsHeaderWithItsSize) {
  QByteArray core = BmpHeader(0, 0).left(22);  // the old 12-byte bitmap header: 16-bit sizes
  qToLittleEndian<quint32>(12, core.data() + 14);
  qToLittleEndian<quint16>(5000, core.data() + 18);
  qToLittleEndian<quint16>(4000, core.data() + 20);
  const std::tuple<QByteArray, int, int> cases[] = {{PngHeader(20000, 20000), 20000, 20000},
                                                    {PngHeader(4097, 4096), 4097, 4096},
                                                    {PngHeader(16777217, 1), 16777217, 1},
                                                    {PngHeader(0xFFFFFFFF, 1), INT_MAX, 1},
                                                    {BmpHeader(20000, -20000), 20000, 20000},
                                                    {BmpHeader(INT_MIN, 1), INT_MAX, 1},
                                                    {core, 5000, 4000}};
  for (const auto& [bytes, width, height] : cases) {
    const ClipboardPicture read = Offered(QStringLiteral("image/png"), bytes);
    EXPECT_EQ(read.kind, Kind::kTooLarge) << width << " x " << height;
    EXPECT_EQ(read.width, width);
    EXPECT_EQ(read.height, height);
  }
  // The largest sizes taken go on to decoding (and fail: the header is all there is), and so
  // do headers cut short.
  for (const QByteArray& bytes : {PngHeader(4096, 4096), PngHeader(16777216, 1),
                                  PngHeader(20000, 20000).left(23), BmpHeader(20000, 1).left(25)})
    EXPECT_EQ(Offered(QStringLiteral("image/png"), bytes).kind, Kind::kUndecodable);
}

// Files dropped on the window: pictures of other programs are read as the clipboard's are; the
// program's own icons, anything else, and anything but a regular file are no picture to paste.
TEST(Clipboard, PictureFilesAreReadByTheirContent) {
  QTemporaryDir dir;
  const auto file = [&](const QString& name, const QByteArray& bytes) {
    QFile out(dir.filePath(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return dir.filePath(name);
  };
  QImage with_alpha = ToQImage(TestPicture()).convertToFormat(QImage::Format_ARGB32);
  with_alpha.setPixel(1, 1, 0);
  const QString fifo = dir.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const std::tuple<QString, Kind> cases[] = {
      {file(QStringLiteral("a.png"), Encoded(with_alpha, "PNG")), Kind::kPicture},
      {file(QStringLiteral("named.ico"), Encoded(ToQImage(TestPicture()), "BMP")), Kind::kPicture},
      {file(QStringLiteral("huge.png"), PngHeader(20000, 20000)), Kind::kTooLarge},
      {file(QStringLiteral("icon.png"), Encoded(ToQImage(TestPicture()), "ICO")), Kind::kNone},
      {file(QStringLiteral("text.png"), "not a picture"), Kind::kNone},
      {dir.path(), Kind::kNone},
      {fifo, Kind::kNone},
      {dir.filePath(QStringLiteral("missing.png")), Kind::kNone},
  };
  for (const auto& [path, kind] : cases) {
    const ClipboardPicture read = ReadPictureFromFile(path);
    EXPECT_EQ(read.kind, kind) << path.toStdString();
    if (read.kind != Kind::kPicture) continue;
    const bool transparent = path.endsWith(QStringLiteral("a.png"));
    Raster expected = TestPicture();
    if (transparent) expected.SetPixel(1, 1, kWhite);  // laid over white, and in the mask
    EXPECT_EQ(read.picture, expected) << path.toStdString();
    EXPECT_EQ(read.mask.has_value(), transparent);
  }
}

TEST(Clipboard, TransparencyIsLaidOverWhite) {
  QImage image(4, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));  // opaque red
  image.setPixel(1, 0, qRgba(255, 0, 0, 0));    // transparent: white, whatever its colour
  image.setPixel(2, 0, qRgba(255, 0, 0, 128));  // half red
  image.setPixel(3, 0, qRgba(0x12, 0x34, 0x56, 255));
  const Raster r = Offered(QStringLiteral("image/png"), Encoded(image, "PNG")).picture;
  ASSERT_EQ(r.width(), 4);
  EXPECT_EQ(r.At(0, 0), 0x0000FFu);
  EXPECT_EQ(r.At(1, 0), kWhite);
  EXPECT_EQ(r.At(2, 0), 0x7F7FFFu);
  EXPECT_EQ(r.At(3, 0), 0x563412u);
}

}  // namespace
}  // namespace pelorin
