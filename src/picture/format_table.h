#pragma once

#include "picture_error.h"
#include "picture_format_enum.h"
#include "picture_header_fields.h"
#include "row_sink.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QSize>
#include <QString>
#include <span>

namespace mirte {

// First bytes that announce a format: `lead` at the start and, when given, `tag` at `tagAt`
// (a RIFF file's form type comes after its size).
struct FormatSignature {
    QByteArrayView lead;
    qsizetype tagAt = 0;
    QByteArrayView tag = {};

    bool Matches(QByteArrayView firstBytes) const;
};

// One format, all in one place: how its first bytes and its extensions name it, how its header
// is read and how it is decoded.
struct FormatEntry {
    PictureFormat format = PictureFormat::Unknown;
    // No two formats' signatures match the same bytes, so their order does not matter.
    std::span<const FormatSignature> signatures = {};
    // The brands of an ISO base media file ("ftyp" box first) that announce the format: as its
    // major brand, and as one of its compatible brands. Looked at only when no signature matched.
    std::span<const QByteArrayView> majorBrands = {};
    std::span<const QByteArrayView> compatibleBrands = {};
    // Lower-cased extensions: those the browser lists, then those only recognised.
    std::span<const char* const> listedExtensions = {};
    std::span<const char* const> otherExtensions = {};
    // The header reader: from the open file at its start (the program's own readers, whose
    // reasons are their own), or, for the libraries that open the file themselves, from its
    // path (the file closed first), with the library's words beside the reason. Exactly one is
    // set.
    bool (*readHeader)(QIODevice& in, PictureHeader& header, QString& error) = nullptr;
    bool (*readHeaderAt)(const QString& path, PictureHeader& header,
                         TPictureFault& fault) = nullptr;
    // Decodes into the sink in stored orientation (HEIF's upright); `cover` is the size the
    // caller scales to, which the decoders that can scale as they decode aim at.
    void (*decode)(const QString& path, QSize cover, RowSink& sink) = nullptr;
};

// Every format, in the order the browser lists their extensions.
std::span<const FormatEntry> PictureFormats();
// The entry of a format; null for Unknown.
const FormatEntry* FindFormat(PictureFormat format);

} // namespace mirte
