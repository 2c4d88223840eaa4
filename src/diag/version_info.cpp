#include "version_info.h"

#include "generated/mirte_version.h"
#include "util/errors.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace mirte {

TVersionInfo::TVersionInfo(const QString& fileName) : m_fileName(fileName) {
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        const int error = errno; // before anything else may change it
        throw ECacheError(tr("\"%1\"のバージョン情報のサイズを取得できません。詳細:%2")
                              .arg(fileName, QString::number(error)));
    }
    if (!S_ISREG(st.st_mode)) {
        throw ECacheError(tr("\"%1\"のバージョン情報を作成できません。詳細:%2")
                              .arg(fileName, QString::number(EISDIR)));
    }
}

QString TVersionInfo::GetValue(const QString& name) const {
    if (name == QLatin1String("FileVersion") || name == QLatin1String("ProductVersion")) {
        return QStringLiteral(MIRTE_VERSION);
    }
    if (name == QLatin1String("ProductName")) {
        return tr("ミルテ");
    }
    if (name == QLatin1String("FileDescription")) {
        return tr("ミルテ サムネイル印刷");
    }
    return {};
}

} // namespace mirte
