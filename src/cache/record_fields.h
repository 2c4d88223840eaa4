#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace mirte {

// A field as the management file writes it: bare, or in double quotes (inner quotes doubled)
// when it holds a blank, a control character, a quote or a comma; an empty field is nothing.
QString QuoteField(const QString& field);

// Splits a management-file line into its fields: leading blanks and control characters are
// skipped; a quoted field runs to its closing quote ("" standing for one quote); a bare one up
// to the next comma or blank; a comma after a comma is an empty field, and so is a comma at the
// very end.
QStringList SplitFields(QStringView line);

} // namespace mirte
