#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// A failure of the cache and its building blocks; the text is the message shown to the user
// (translated where it is made), kept as UTF-8 in what().
class ECacheError : public std::runtime_error {
public:
    explicit ECacheError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The operating system refused a read or a write in the middle of a file.
class EInOutError : public ECacheError {
public:
    EInOutError(const QString& message, int errorCode);
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

// Fills a printf-like pattern; %s takes UTF-8 text (qUtf8Printable).
QString FormatMessage(const char* pattern, ...);

// The operating system's text for an errno value; thread-safe.
QString SystemErrorText(int errorCode);

} // namespace mirte
