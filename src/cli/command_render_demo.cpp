// render-demo: the demonstration report printed into a PDF file or to a print queue, or one
// of its pages rendered as a preview image.
#include "commands.h"
#include "demo_report.h"
#include "report/font_substitutes.h"
#include "report/lr_error.h"
#include "report/qt_printer_device.h"

#include <QCoreApplication>
#include <QPageSize>

namespace mirte::cli {

namespace {

void Usage(std::FILE* err) {
    std::fputs(
        qUtf8Printable(QCoreApplication::translate(
            "CliMessages", "使い方: mirte-cli render-demo 出力.pdf\n"
                           "       mirte-cli render-demo --printer キュー\n"
                           "       mirte-cli render-demo --png [--scale N] [--page N] 出力.png\n")),
        err);
}

} // namespace

int RunRenderDemo(const QStringList& args, std::FILE* out, std::FILE* err) {
    bool png = false;
    bool toQueue = false;
    QString queue;
    int scale = 2;
    int pageNo = 1;
    QString target;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        bool ok = true;
        if (a == QLatin1String("--png")) {
            png = true;
        } else if (a == QLatin1String("--printer") && i + 1 < args.size()) {
            toQueue = true;
            queue = args[++i];
        } else if (a == QLatin1String("--scale") && i + 1 < args.size()) {
            scale = args[++i].toInt(&ok);
            ok = ok && scale >= 1 && scale <= 8;
        } else if (a == QLatin1String("--page") && i + 1 < args.size()) {
            pageNo = args[++i].toInt(&ok);
            ok = ok && pageNo >= 1;
        } else if (target.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            target = a;
        } else {
            ok = false;
        }
        if (!ok) {
            Usage(err);
            return 2;
        }
    }
    if (toQueue == !target.isEmpty() || (png && toQueue)) {
        Usage(err);
        return 2;
    }

    InstallFontSubstitutes();
    DemoReport report;
    if (png) {
        const QImage image = report.Preview(pageNo, scale);
        if (!image.save(target, "PNG")) {
            std::fprintf(err, "%s\n",
                         qUtf8Printable(QCoreApplication::translate(
                                            "CliMessages", "mirte-cli: %1 に書き込めません")
                                            .arg(target)));
            return 1;
        }
        std::fprintf(out, "%s\t%dx%d\n", qUtf8Printable(target), image.width(), image.height());
        return 0;
    }
    auto printer = toQueue ? TQtPrinterDevice::ForPrinter(queue)
                           : TQtPrinterDevice::ForPdfFile(target, QPageSize(QPageSize::A4));
    report.Page().SetPrinter(printer.get());
    try {
        report.Print();
    } catch (const ELRError& e) {
        std::fprintf(err, "mirte-cli: %s\n", qUtf8Printable(e.Message()));
        return 1;
    }
    std::fprintf(out, "%s\t%d pages\n", qUtf8Printable(toQueue ? printer->Name() : target),
                 report.PageCount());
    return 0;
}

} // namespace mirte::cli
