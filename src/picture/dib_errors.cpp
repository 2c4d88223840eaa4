#include "dib_errors.h"

namespace mirte {

EDibError::EDibError(const QString& message) : std::runtime_error(message.toStdString()) {}

} // namespace mirte
