#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// A picture file that cannot be read or decoded; the text says which file and why.
class EPictureError : public std::runtime_error {
public:
    explicit EPictureError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// "画像 "<path>" を読み込めません。詳細：<detail>"
[[noreturn]] void ThrowPictureError(const QString& path, const QString& detail);

} // namespace mirte
