#pragma once

#include <QCoreApplication>
#include <QString>

namespace mirte {

// The version facts of the program, compiled in from the project's version.
class TVersionInfo {
    Q_DECLARE_TR_FUNCTIONS(TVersionInfo)

public:
    // Raises ECacheError when the file cannot be examined (it is missing, say).
    explicit TVersionInfo(const QString& fileName);

    // "FileVersion", "ProductVersion", "ProductName", "FileDescription"; empty for other names.
    QString GetValue(const QString& name) const;

    const QString& FileName() const { return m_fileName; }

private:
    QString m_fileName;
};

} // namespace mirte
