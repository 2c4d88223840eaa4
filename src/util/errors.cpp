#include "errors.h"

#include <cstdarg>
#include <cstring>

namespace mirte {

ECacheError::ECacheError(const QString& message) : std::runtime_error(message.toStdString()) {}

EInOutError::EInOutError(const QString& message, int errorCode)
    : ECacheError(message), m_errorCode(errorCode) {}

QString FormatMessage(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    QString text = QString::vasprintf(pattern, args);
    va_end(args);
    return text;
}

QString SystemErrorText(int errorCode) {
    char buffer[256] = {};
    // GNU strerror_r returns the text, which may or may not live in the buffer.
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

} // namespace mirte
