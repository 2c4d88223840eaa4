#include "ini_file.h"

#include "common_text.h"
#include "errors.h"
#include "replace_file.h"

#include <QDir>
#include <QFileInfo>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace mirte {

EIniFileError::EIniFileError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

std::vector<QByteArray> SplitLines(const QByteArray& data) {
    std::vector<QByteArray> lines;
    qsizetype start = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype i = start;
    while (i < data.size()) {
        const char c = data[i];
        if (c != '\n' && c != '\r') {
            ++i;
            continue;
        }
        lines.push_back(data.mid(start, i - start));
        i += (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < data.size()) {
        lines.push_back(data.mid(start)); // no final line break
    }
    return lines;
}

// The section name of a "[Name]" line.
std::optional<QString> SectionOf(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(trimmed.mid(1, close - 1)).trimmed();
}

struct KeyValue {
    QString key;
    QByteArray value;
};

std::optional<KeyValue> KeyValueOf(const QByteArray& line) {
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0) {
        return std::nullopt;
    }
    const QByteArray key = line.left(equals).trimmed();
    if (key.isEmpty() || key.startsWith(';') || key.startsWith('[')) {
        return std::nullopt;
    }
    return KeyValue{QString::fromUtf8(key), line.mid(equals + 1).trimmed()};
}

bool SameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool IsBlank(const QByteArray& line) {
    return line.trimmed().isEmpty();
}

QByteArray OneLine(const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

} // namespace

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)) {
    Reload();
}

void IniFile::Reload() {
    m_lines.clear();
    m_readError.clear();
    QFile file(m_fileName);
    if (!file.exists()) {
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_readError = file.errorString();
        return;
    }
    if (file.size() > MaxFileBytes) {
        m_readError = tr("too large");
        return;
    }
    const QByteArray data = file.read(MaxFileBytes + 1);
    if (data.size() > MaxFileBytes || file.error() != QFileDevice::NoError) {
        m_readError = file.errorString();
        return;
    }
    m_lines = SplitLines(data);
}

bool IniFile::Exists() const {
    return QFileInfo::exists(m_fileName);
}

bool IniFile::IsReadOnly() const {
    const QByteArray path = QFile::encodeName(m_fileName);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        return false;
    }
    return !(st.st_mode & S_IWUSR) || ::access(path.constData(), W_OK) != 0;
}

qsizetype IniFile::FindKey(const QString& section, const QString& key) const {
    bool inSection = false;
    bool sectionSeen = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (const auto name = SectionOf(m_lines[i])) {
            if (inSection) {
                return -1; // only the first section of that name counts
            }
            inSection = !sectionSeen && SameName(*name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (inSection) {
            if (const auto entry = KeyValueOf(m_lines[i]); entry && SameName(entry->key, key)) {
                return static_cast<qsizetype>(i);
            }
        }
    }
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const qsizetype index = FindKey(section, key);
    if (index < 0) {
        return defaultValue;
    }
    return QString::fromUtf8(KeyValueOf(m_lines[index])->value);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    int value = 0;
    return TextToInt(ReadString(section, key, QString()), value) ? value : defaultValue;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::SectionExists(const QString& section) const {
    for (const QByteArray& line : m_lines) {
        if (const auto name = SectionOf(line); name && SameName(*name, section)) {
            return true;
        }
    }
    return false;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return FindKey(section, key) >= 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (IsReadOnly()) {
        return;
    }
    const QByteArray entry = key.toUtf8() + '=' + OneLine(value);
    std::vector<QByteArray> lines = m_lines;
    if (const qsizetype index = FindKey(section, key); index >= 0) {
        lines[index] = entry;
    } else {
        // After the last non-blank line of the first section of that name, or a new section.
        qsizetype insertAt = -1;
        bool inSection = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (const auto name = SectionOf(lines[i])) {
                if (inSection) {
                    break;
                }
                inSection = SameName(*name, section);
                if (inSection) {
                    insertAt = static_cast<qsizetype>(i) + 1;
                }
            } else if (inSection && !IsBlank(lines[i])) {
                insertAt = static_cast<qsizetype>(i) + 1;
            }
        }
        if (insertAt >= 0) {
            lines.insert(lines.begin() + insertAt, entry);
        } else {
            lines.push_back('[' + section.toUtf8() + ']');
            lines.push_back(entry);
        }
    }
    Save(lines);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::EraseSection(const QString& section) {
    if (IsReadOnly() || !SectionExists(section)) {
        return;
    }
    std::vector<QByteArray> lines;
    bool erasing = false;
    for (const QByteArray& line : m_lines) {
        if (const auto name = SectionOf(line)) {
            erasing = SameName(*name, section);
        }
        if (!erasing) {
            lines.push_back(line);
        }
    }
    Save(lines);
}

void IniFile::Save(const std::vector<QByteArray>& lines) {
    auto fail = [this](const QString& detail) {
        throw EIniFileError(
            tr("設定ファイル \"%1\" に書き込めません。詳細：%2").arg(m_fileName, detail));
    };
    if (!m_readError.isEmpty()) {
        fail(m_readError); // what we could not read, we must not replace
    }
    QByteArray data;
    for (const QByteArray& line : lines) {
        data += line;
        data += "\r\n";
    }
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    try {
        ReplaceFile(m_fileName, data, true);
    } catch (const EInOutError& error) {
        fail(SystemErrorText(error.ErrorCode()));
    }
    m_lines = lines;
}

} // namespace mirte
