#include "lr_error.h"

#include <QCoreApplication>

namespace mirte {

ELRError::ELRError(const QString& message) : std::runtime_error(message.toStdString()) {}

void RaiseLRError(const char* message) {
    throw ELRError(QCoreApplication::translate("ReportMessages", message));
}

} // namespace mirte
