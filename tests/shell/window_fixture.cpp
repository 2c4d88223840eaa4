#include "window_fixture.h"

#include "picture/picture_fixtures.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

namespace mirte::test {

TAppPaths WindowFixture::Paths() const {
    return ProgramPathsIn(Program.Path());
}

TAppPaths ProgramPathsIn(const QString& folder) {
    TAppPaths paths;
    paths.ExeDir = folder + QLatin1Char('/');
    paths.ExeName = paths.ExeDir + QStringLiteral("mirte");
    paths.IniFileName = paths.ExeDir + QStringLiteral("Thumbnail.ini");
    paths.DefaultCacheDir = paths.ExeDir + QStringLiteral("Temp");
    paths.ReadMeFile = paths.ExeDir + QStringLiteral("ReadMe.txt");
    return paths;
}

std::unique_ptr<TfrmThumbnail> WindowFixture::Open(const QString& folder) {
    TWindowOptions options;
    options.Paths = Paths();
    options.StartPath = folder;
    auto window = std::make_unique<TfrmThumbnail>(options);
    // No message box can come before the event loop runs, so this is in time.
    window->SetMessageFunction([this](const QString& text, const std::vector<std::uint8_t>&) {
        Messages.append(text);
        return Answer;
    });
    return window;
}

QString WindowFixture::CacheTableFile() const {
    return Program.File(QStringLiteral("Temp/_TDB0200/_TDBCache.dat"));
}

QStringList WritePhotos(const QString& folder, int count, int width, int height) {
    QDir().mkpath(folder);
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(width, height), "jpg", 85);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path =
            QDir(folder).filePath(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(jpeg);
        }
        paths.append(path);
    }
    return paths;
}

bool WaitForLoadEnd(const TfrmThumbnail& window, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!window.LoadFinished()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace mirte::test
