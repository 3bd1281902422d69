// The clipboard: a picture put there comes back pixel for pixel and is offered as PNG; pictures
// other programs offer are read in their usual formats; text, broken and oversized pictures are
// told apart without decoding the oversized ones.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QtEndian>
#include <climits>

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

TEST(Clipboard, APicturePutThereComesBackPixelForPixel) {
  QtPlatform platform;
  const Raster picture = TestPicture();
  platform.SetClipboardPicture(picture);
  EXPECT_TRUE(platform.ClipboardHasPicture());
  const ClipboardPicture back = platform.GetClipboardPicture();
  ASSERT_EQ(back.kind, Kind::kPicture);
  EXPECT_EQ(back.width, 5);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.picture, picture);

  platform.ClearClipboard();
  EXPECT_FALSE(platform.ClipboardHasPicture());
  EXPECT_EQ(platform.GetClipboardPicture().kind, Kind::kNone);
}

TEST(Clipboard, OtherProgramsGetTheSamePixelsAsPng) {
  const Raster picture = TestPicture();
  const std::unique_ptr<QMimeData> data = PictureMimeData(picture);
  EXPECT_TRUE(data->hasImage());
  const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
  ASSERT_FALSE(png.isNull());
  EXPECT_FALSE(png.hasAlphaChannel());
  EXPECT_EQ(OpaqueRaster(png), picture);
  // What Qt derives from the image object for the other formats is the same picture.
  EXPECT_EQ(OpaqueRaster(qvariant_cast<QImage>(data->imageData())), picture);
}

TEST(Clipboard, TextIsNotAPicture) {
  QMimeData text;
  text.setText(QStringLiteral("图标"));
  text.setHtml(QStringLiteral("<img src=\"x.png\">"));
  EXPECT_FALSE(OffersPicture(text));
  EXPECT_EQ(ReadPicture(text).kind, Kind::kNone);

  QtPlatform platform;
  QGuiApplication::clipboard()->setText(QStringLiteral("32 x 32"));
  EXPECT_FALSE(platform.ClipboardHasPicture());
  EXPECT_EQ(platform.GetClipboardPicture().kind, Kind::kNone);
}

TEST(Clipboard, PicturesOfOtherProgramsAreRead) {
  const Raster picture = TestPicture();
  const QImage image = ToQImage(picture);
  for (const char* format : {"PNG", "BMP"}) {
    const QString mime = QStringLiteral("image/") + QString::fromLatin1(format).toLower();
    QMimeData data;
    data.setData(mime, Encoded(image, format));
    EXPECT_TRUE(OffersPicture(data)) << format;
    const ClipboardPicture read = ReadPicture(data);
    ASSERT_EQ(read.kind, Kind::kPicture) << format;
    EXPECT_EQ(read.picture, picture) << format;
  }
  // An image object alone, as a program hands it over inside itself.
  QMimeData object;
  object.setImageData(image);
  EXPECT_TRUE(OffersPicture(object));
  EXPECT_EQ(ReadPicture(object).picture, picture);
}

TEST(Clipboard, PngIsPreferredAndABrokenFormatGivesWayToTheNext) {
  QImage red(2, 2, QImage::Format_RGB32);
  red.fill(Qt::red);
  QImage blue(2, 2, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  QMimeData both;
  both.setData(QStringLiteral("image/bmp"), Encoded(blue, "BMP"));
  both.setData(QStringLiteral("image/png"), Encoded(red, "PNG"));
  EXPECT_EQ(ReadPicture(both).picture.At(0, 0), 0x0000FFu);

  QMimeData broken_png;
  broken_png.setData(QStringLiteral("image/png"), "\x89PNG\r\n\x1a\n not a picture");
  broken_png.setData(QStringLiteral("image/bmp"), Encoded(blue, "BMP"));
  EXPECT_EQ(ReadPicture(broken_png).picture.At(0, 0), 0xFF0000u);
}

TEST(Clipboard, APictureThatDoesNotDecodeIsOfferedButReportedAsBroken) {
  for (const QByteArray& bytes :
       {QByteArray(), QByteArray("not a picture"), PngHeader(10, 10), BmpHeader(10, -10)}) {
    QMimeData data;
    data.setData(QStringLiteral("image/png"), bytes);
    EXPECT_TRUE(OffersPicture(data));
    EXPECT_EQ(ReadPicture(data).kind, Kind::kUndecodable);
  }
}

TEST(Clipboard, APictureTooLargeIsRefusedFromItsHeaderWithItsSize) {
  struct Case {
    QString format;
    QByteArray bytes;
    int width;
    int height;
  };
  const Case cases[] = {
      {QStringLiteral("image/png"), PngHeader(20000, 20000), 20000, 20000},
      {QStringLiteral("image/png"), PngHeader(4097, 4096), 4097, 4096},
      {QStringLiteral("image/png"), PngHeader(16777217, 1), 16777217, 1},
      {QStringLiteral("image/png"), PngHeader(0xFFFFFFFF, 0xFFFFFFFF), INT_MAX, INT_MAX},
      {QStringLiteral("image/bmp"), BmpHeader(20000, -20000), 20000, 20000},
      {QStringLiteral("image/bmp"), BmpHeader(INT_MIN, 1), INT_MAX, 1},
  };
  for (const Case& c : cases) {
    const ClipboardPicture read = Offered(c.format, c.bytes);
    EXPECT_EQ(read.kind, Kind::kTooLarge) << c.width << " x " << c.height;
    EXPECT_EQ(read.width, c.width);
    EXPECT_EQ(read.height, c.height);
  }
  // The largest size taken goes on to decoding (and fails here: the header is all there is).
  EXPECT_EQ(Offered(QStringLiteral("image/png"), PngHeader(4096, 4096)).kind, Kind::kUndecodable);
  EXPECT_EQ(Offered(QStringLiteral("image/png"), PngHeader(16777216, 1)).kind, Kind::kUndecodable);
}

TEST(Clipboard, HeaderSizes) {
  EXPECT_EQ(HeaderSize(PngHeader(48, 40))->width, 48);
  EXPECT_EQ(HeaderSize(PngHeader(48, 40))->height, 40);
  EXPECT_EQ(HeaderSize(BmpHeader(33, -20))->height, 20);
  QByteArray core = BmpHeader(0, 0).left(26);  // the old 12-byte header: 16-bit sizes
  qToLittleEndian<quint32>(12, core.data() + 14);
  qToLittleEndian<quint16>(300, core.data() + 18);
  qToLittleEndian<quint16>(200, core.data() + 20);
  EXPECT_EQ(HeaderSize(core)->width, 300);
  EXPECT_EQ(HeaderSize(core)->height, 200);
  // Cut short, or not one of the two formats.
  EXPECT_FALSE(HeaderSize(PngHeader(48, 40).left(23)));
  EXPECT_FALSE(HeaderSize(BmpHeader(48, 40).left(25)));
  EXPECT_FALSE(HeaderSize(QByteArray("GIF89a\x20\x4e\x20\x4e", 10)));
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
