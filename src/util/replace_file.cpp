#include "replace_file.h"

#include "errors.h"
#include "unique_fd.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace mirte {

namespace {

[[noreturn]] void Fail(const QString& path, int error) {
    throw EInOutError(
        FormatMessage("ファイル \"%s\" への書き込み中にエラーが発生しました。詳細：%s",
                      qUtf8Printable(path), qUtf8Printable(SystemErrorText(error))),
        error);
}

} // namespace

void ReplaceFile(const QString& path, QByteArrayView bytes, bool sync) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray fresh = target + "." + QByteArray::number(::getpid()) + ".new";
    int error = 0;
    {
        const UniqueFd fd(
            ::open(fresh.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (!fd.Valid()) {
            Fail(path, errno);
        }
        qsizetype done = 0;
        while (done < bytes.size() && error == 0) {
            const ssize_t put =
                ::write(fd.Get(), bytes.data() + done, std::size_t(bytes.size() - done));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                error = put < 0 ? errno : ENOSPC;
            } else {
                done += put;
            }
        }
        if (error == 0 && sync && ::fsync(fd.Get()) != 0) {
            error = errno;
        }
    }
    if (error == 0 && std::rename(fresh.constData(), target.constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(fresh.constData());
        Fail(path, error);
    }
}

} // namespace mirte
