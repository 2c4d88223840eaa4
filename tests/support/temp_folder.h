#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace mirte::test {

// A scratch folder removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder();
    // A scratch folder on the file system that holds base (for tests across file systems).
    explicit TempFolder(const QString& base);

    const QString& Path() const { return m_path; }
    QString File(const QString& name) const;
    // Writes the bytes to name (creating its folders) and returns its full path.
    QString Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;
    QString MakeDir(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace mirte::test
