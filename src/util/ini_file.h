#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <stdexcept>
#include <vector>

namespace mirte {

// A settings file could not be written; the file on disk is unchanged.
class EIniFileError : public std::runtime_error {
public:
    explicit EIniFileError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// A settings file of "[Section]" and "Key=Value" lines in UTF-8.
// Section and key names compare without regard to case; where a name appears twice, the first
// one counts. Lines that are neither (comments, stray text) are kept as they are, the file's
// order is kept and new keys are appended to their section in the order written. Every write
// replaces the file atomically (a temporary file beside it, then a rename). A file that is
// read-only is never written; a file that could not be read is never overwritten.
class IniFile {
    Q_DECLARE_TR_FUNCTIONS(IniFile)

public:
    // Larger files are not read (and so never overwritten).
    static constexpr qint64 MaxFileBytes = qint64{16} * 1024 * 1024;

    explicit IniFile(QString fileName);

    const QString& FileName() const { return m_fileName; }
    bool Exists() const;
    // The file exists and may not be written (no write permission for its owner or for us).
    bool IsReadOnly() const;
    // Reads the file again, dropping what was read before.
    void Reload();

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // A value that is not a whole number reads as the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // A number: 0 is false, anything else true; a value that is not a number reads as the default.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // Each does nothing when the file is read-only and raises EIniFileError when the file cannot
    // be replaced. Line breaks in a value become blanks, since a value is one line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

private:
    // Index of the first line of the key's entry, or -1.
    qsizetype FindKey(const QString& section, const QString& key) const;
    void Save(const std::vector<QByteArray>& lines);

    QString m_fileName;
    std::vector<QByteArray> m_lines;
    QString m_readError; // why the file could not be read; then it is never written
};

} // namespace mirte
