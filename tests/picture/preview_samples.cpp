#include "preview_samples.h"

#include "picture_fixtures.h"
#include "support/temp_folder.h"

#include <QPainter>
#include <QProcess>
#include <stdexcept>

namespace mirte::test {

namespace {

void PutU16(QByteArray& out, std::uint32_t value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}
void PutU32(QByteArray& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}
void PutEntry(QByteArray& out, std::uint32_t tag, std::uint32_t type, std::uint32_t count,
              std::uint32_t value) {
    PutU16(out, tag);
    PutU16(out, type);
    PutU32(out, count);
    PutU32(out, value);
}

} // namespace

namespace {

QByteArray MpfSegment(std::uint32_t mainSize, std::uint32_t tiffAt, std::uint32_t previewSize,
                      const MpfOptions& options) {
    // Little-endian MP Index IFD: version, number of images, the entry list after the IFD.
    constexpr std::uint32_t ListAt = 8 + 2 + 3 * 12 + 4;
    QByteArray tiff("II*\0", 4);
    PutU32(tiff, 8);
    PutU16(tiff, 3);
    PutEntry(tiff, 0xB000, 7, 4, 0x30303130); // "0100"
    PutEntry(tiff, 0xB001, 4, 1, 2);
    PutEntry(tiff, 0xB002, 7, 32, ListAt);
    PutU32(tiff, 0);
    PutU32(tiff, 0x20030000); // the representative primary picture
    PutU32(tiff, mainSize);
    PutU32(tiff, 0);
    PutU32(tiff, 0);
    PutU32(tiff, options.attribute);
    PutU32(tiff, std::uint32_t(options.size >= 0 ? options.size : previewSize));
    PutU32(tiff, std::uint32_t(options.offset >= 0 ? options.offset : mainSize - tiffAt));
    PutU32(tiff, 0);
    return QByteArray("MPF\0", 4) + tiff;
}

} // namespace

QByteArray MakeMpfJpeg(const QByteArray& main, const QByteArray& preview,
                       const MpfOptions& options) {
    // Made twice: the first tells where the segment lands, and so the main picture's size.
    const QByteArray placed = InsertSegment(main, 0xE2, MpfSegment(0, 0, 0, options));
    const auto mainSize = std::uint32_t(placed.size());
    const auto tiffAt = std::uint32_t(placed.indexOf(QByteArray("MPF\0", 4)) + 4);
    return InsertSegment(main, 0xE2,
                         MpfSegment(mainSize, tiffAt, std::uint32_t(preview.size()), options)) +
           preview;
}

QByteArray WithExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail) {
    TempFolder dir;
    dir.Write("thumb.jpg", thumbnail);
    const QString path = dir.Write("out.jpg", jpeg);
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral("exiftool"),
               {"-q", "-overwrite_original", "-ThumbnailImage<=" + dir.File("thumb.jpg"), path});
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        throw std::runtime_error(("exiftool failed: " + tool.readAll()).toStdString());
    }
    return dir.Read("out.jpg");
}

QImage Letterboxed(const QImage& picture, QSize box, QRgb bars) {
    QImage out(box, QImage::Format_RGB32);
    out.fill(bars);
    const QImage fitted = picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&out);
    painter.drawImage((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2,
                      fitted);
    return out;
}

} // namespace mirte::test
