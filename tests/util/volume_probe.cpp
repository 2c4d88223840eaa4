// Prints the volume facts of a path, so a test can compare them across processes.
#include "util/volume_info.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    QString label;
    QString serial;
    mirte::GetVolumeInfo(QCoreApplication::arguments().at(1), label, serial);
    std::printf("%s\t%s\n", qUtf8Printable(label), qUtf8Printable(serial));
    return 0;
}
