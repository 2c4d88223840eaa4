#include "print_options.h"

#include "layouts/index_card_settings.h"

namespace mirte::cli {

namespace {

bool ParsePages(const QString& text, int& from, int& to) {
    const QStringList parts = text.split(QLatin1Char('-'));
    bool fromOk = false;
    bool toOk = false;
    if (parts.size() == 1) {
        from = to = parts[0].toInt(&fromOk);
        toOk = fromOk;
    } else if (parts.size() == 2) {
        from = parts[0].toInt(&fromOk);
        to = parts[1].toInt(&toOk);
    }
    return fromOk && toOk && from >= 1 && to >= from;
}

bool ParsePaper(const QString& text, QPageSize& paper) {
    if (text.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::A4);
        return true;
    }
    if (text.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::Letter);
        return true;
    }
    return false;
}

bool ParseOrder(const QString& text, int& order) {
    const QStringList names{QStringLiteral("name"), QStringLiteral("size"), QStringLiteral("date")};
    order = static_cast<int>(names.indexOf(text));
    return order >= 0;
}

} // namespace

const char* PrintUsage() {
    return "usage: mirte-cli print index FOLDER (--pdf OUT.pdf | --printer QUEUE | --png OUT_DIR)\n"
           "           [--settings Thumbnail.ini] [--cache CACHEDIR] [--pages FROM-TO]\n"
           "           [--paper A4|Letter] [--order name|size|date] [--layout 0..9]\n"
           "           [--title TEXT]\n";
}

bool ParsePrintOptions(const QStringList& args, PrintOptions& o, QString& error) {
    if (args.isEmpty()) {
        return false;
    }
    o.Kind = args.first();
    if (o.Kind != QLatin1String("index")) {
        error = QStringLiteral("unknown layout \"%1\"").arg(o.Kind);
        return false;
    }
    int outputs = 0;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const QString value = hasValue ? args[i + 1] : QString();
        bool ok = hasValue;
        if (a == QLatin1String("--pdf")) {
            o.PdfFile = value;
            ++outputs;
        } else if (a == QLatin1String("--printer")) {
            o.Queue = value;
            ++outputs;
        } else if (a == QLatin1String("--png")) {
            o.PngDir = value;
            ++outputs;
        } else if (a == QLatin1String("--settings")) {
            o.SettingsFile = value;
        } else if (a == QLatin1String("--cache")) {
            o.CacheDir = value;
        } else if (a == QLatin1String("--pages")) {
            ok = ok && ParsePages(value, o.FromPage, o.ToPage);
        } else if (a == QLatin1String("--paper")) {
            ok = ok && ParsePaper(value, o.Paper);
            o.HasPaper = true;
        } else if (a == QLatin1String("--order")) {
            ok = ok && ParseOrder(value, o.Order);
        } else if (a == QLatin1String("--layout")) {
            o.Layout = value.toInt(&ok);
            ok = ok && o.Layout >= 0 && o.Layout < index_card::LayoutCount;
        } else if (a == QLatin1String("--title")) {
            o.Title = value;
            o.HasTitle = true;
        } else if (!a.startsWith(QLatin1String("--")) && o.Folder.isEmpty()) {
            o.Folder = a;
            continue;
        } else {
            error = QStringLiteral("unknown argument \"%1\"").arg(a);
            return false;
        }
        if (!ok || value.isEmpty()) {
            error = QStringLiteral("%1 needs a valid value").arg(a);
            return false;
        }
        ++i;
    }
    if (o.Folder.isEmpty() || outputs != 1) {
        error = QStringLiteral("give the folder and one of --pdf, --printer, --png");
        return false;
    }
    return true;
}

} // namespace mirte::cli
