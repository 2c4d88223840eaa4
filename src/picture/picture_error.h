#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// Why a picture cannot be read: the program's own reason, which the user sees, and, when a
// library failed, the library's own words ("LibRaw: Input/output error"), which go to the log
// and to mirte-cli facts after the reason, never alone to the user. picture_reasons.h makes
// them of the libraries' failures.
struct TPictureFault {
    QString reason;
    QString detail;
};

// A picture file that cannot be read or decoded; the text says which file and why.
class EPictureError : public std::runtime_error {
public:
    explicit EPictureError(const QString& message, QString detail = {});
    QString Message() const { return QString::fromUtf8(what()); }
    // The library's own words; empty when the reason is the program's alone.
    const QString& Detail() const { return m_detail; }
    // The message with the library's words after it: "... (LibRaw: Input/output error)".
    QString MessageWithDetail() const;

private:
    QString m_detail;
};

// "画像 "<path>" を読み込めません。詳細：<reason>"; the library's words, when given, are kept
// beside it and written to the log.
[[noreturn]] void ThrowPictureError(const QString& path, const QString& reason,
                                    const QString& detail = {});
[[noreturn]] void ThrowPictureError(const QString& path, const TPictureFault& fault);

} // namespace mirte
