#include "lr_error.h"

namespace mirte {

ELRError::ELRError(const QString& message) : std::runtime_error(message.toStdString()) {}

void RaiseLRError(const char* message) {
    throw ELRError(QString::fromUtf8(message));
}

} // namespace mirte
