#include "temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace mirte::test {

TempFolder::TempFolder() : m_path(m_dir.path()) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::TempFolder(const QString& base)
    : m_dir(base + QStringLiteral("/mirte-test-XXXXXX")), m_path(m_dir.path()) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

QString TempFolder::File(const QString& name) const {
    return m_path + QLatin1Char('/') + name;
}

QString TempFolder::Write(const QString& name, const QByteArray& bytes) const {
    const QString path = File(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write a test file");
    }
    return path;
}

QByteArray TempFolder::Read(const QString& name) const {
    QFile file(name.startsWith(QLatin1Char('/')) ? name : File(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString TempFolder::MakeDir(const QString& name) const {
    const QString path = File(name);
    QDir().mkpath(path);
    return path;
}

} // namespace mirte::test
