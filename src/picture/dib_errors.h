#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// A device-independent bitmap that cannot be read, written or converted; the text names the
// operation and the fault, kept as UTF-8 in what().
class EDibError : public std::runtime_error {
public:
    explicit EDibError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The header, colour table or masks describe no usable image.
class EDibInvalidDib : public EDibError {
public:
    using EDibError::EDibError;
};

// The file is not a bitmap file or ends too early.
class EDibInvalidDibFile : public EDibError {
public:
    using EDibError::EDibError;
};

// An argument that no image can have.
class EDibInvalidDibPara : public EDibError {
public:
    using EDibError::EDibError;
};

// An operation that the image's pixel format does not allow.
class EDibBadDibType : public EDibError {
public:
    using EDibError::EDibError;
};

class EDibInvalidPalette : public EDibError {
public:
    using EDibError::EDibError;
};

class EDibCompressionFailed : public EDibError {
public:
    using EDibError::EDibError;
};

// A bitmap to draw into or to convert to could not be made.
class EDibCanvasFailed : public EDibError {
public:
    using EDibError::EDibError;
};

} // namespace mirte
