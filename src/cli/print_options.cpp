#include "print_options.h"

#include "layouts/contact_sheet_settings.h"
#include "layouts/index_card_settings.h"
#include "layouts/jacket_settings.h"

#include <QCoreApplication>
#include <functional>
#include <map>

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

bool ParseIndex(const QString& text, int count, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0 && value < count;
}

int LayoutCount(PrintKind kind) {
    switch (kind) {
    case PrintKind::Jacket:
        return jacket::LayoutCount;
    case PrintKind::Contact:
        return contact_sheet::LayoutCount;
    case PrintKind::Index:
        break;
    }
    return index_card::LayoutCount;
}

} // namespace

QString PrintUsage() {
    return QCoreApplication::translate(
        "CliMessages",
        "使い方: mirte-cli print index フォルダ 出力 [--pages 開始-終了] [--order name|size|date]\n"
        "           [--layout 0..9] [--title 文字列] [--each-folder] [共通]\n"
        "       mirte-cli print jacket 画像 出力 [--layout 0..3] [--rotate 0..3]\n"
        "           [--title 文字列] [共通]\n"
        "       mirte-cli print contact フォルダ 出力 [--pages 開始-終了]\n"
        "           [--order name|size|date] [--layout 0..25] [--title 文字列] [--no-names]\n"
        "           [--no-dates] [共通]\n"
        "  出力: --pdf 出力.pdf | --printer キュー | --png 出力フォルダ\n"
        "  共通: [--settings Thumbnail.ini] [--cache キャッシュフォルダ] [--paper A4|Letter] "
        "[--draft]\n"
        "  --each-folder: フォルダとその下のすべてのフォルダを、フォルダごとのカードに印刷\n");
}

bool ParsePrintOptions(const QStringList& args, PrintOptions& o, QString& error) {
    if (args.isEmpty()) {
        return false;
    }
    const std::map<QString, PrintKind> kinds{{QStringLiteral("index"), PrintKind::Index},
                                             {QStringLiteral("jacket"), PrintKind::Jacket},
                                             {QStringLiteral("contact"), PrintKind::Contact}};
    const auto kind = kinds.find(args.first());
    if (kind == kinds.end()) {
        error =
            QCoreApplication::translate("CliMessages", "不明なレイアウト \"%1\"").arg(args.first());
        return false;
    }
    o.Kind = kind->second;
    const bool paged = o.Kind != PrintKind::Jacket;
    int outputs = 0;
    // The options that take a value, each with its reader; false for a value it refuses.
    using Reader = std::function<bool(const QString&)>;
    std::map<QString, Reader> valued{
        {QStringLiteral("--pdf"), [&](const QString& v) { return ++outputs, o.PdfFile = v, true; }},
        {QStringLiteral("--printer"),
         [&](const QString& v) { return ++outputs, o.Queue = v, true; }},
        {QStringLiteral("--png"), [&](const QString& v) { return ++outputs, o.PngDir = v, true; }},
        {QStringLiteral("--settings"), [&](const QString& v) { return o.SettingsFile = v, true; }},
        {QStringLiteral("--cache"), [&](const QString& v) { return o.CacheDir = v, true; }},
        {QStringLiteral("--paper"),
         [&](const QString& v) { return o.HasPaper = true, ParsePaper(v, o.Paper); }},
        {QStringLiteral("--layout"),
         [&](const QString& v) { return ParseIndex(v, LayoutCount(o.Kind), o.Layout); }},
        {QStringLiteral("--title"),
         [&](const QString& v) { return o.HasTitle = true, o.Title = v, true; }},
    };
    if (paged) {
        valued[QStringLiteral("--pages")] = [&](const QString& v) {
            return ParsePages(v, o.FromPage, o.ToPage);
        };
        valued[QStringLiteral("--order")] = [&](const QString& v) {
            o.Order = static_cast<int>(QStringList{"name", "size", "date"}.indexOf(v));
            return o.Order >= 0;
        };
    } else {
        valued[QStringLiteral("--rotate")] = [&](const QString& v) {
            return ParseIndex(v, 4, o.Rotate);
        };
    }
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (o.Kind == PrintKind::Contact && a == QLatin1String("--no-names")) {
            o.NoNames = true;
        } else if (o.Kind == PrintKind::Contact && a == QLatin1String("--no-dates")) {
            o.NoDates = true;
        } else if (o.Kind == PrintKind::Index && a == QLatin1String("--each-folder")) {
            o.EachFolder = true;
        } else if (a == QLatin1String("--draft")) {
            o.Draft = true;
        } else if (const auto reader = valued.find(a); reader != valued.end()) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || !reader->second(args[i + 1])) {
                error =
                    QCoreApplication::translate("CliMessages", "%1 には正しい値を指定してください")
                        .arg(a);
                return false;
            }
            ++i;
        } else if (!a.startsWith(QLatin1String("--")) && o.Source.isEmpty()) {
            o.Source = a;
        } else {
            error = QCoreApplication::translate("CliMessages", "不明な引数 \"%1\"").arg(a);
            return false;
        }
    }
    if (o.Source.isEmpty() || outputs != 1) {
        error = paged ? QCoreApplication::translate(
                            "CliMessages",
                            "フォルダと、--pdf・--printer・--png のどれかを指定してください")
                      : QCoreApplication::translate(
                            "CliMessages",
                            "画像と、--pdf・--printer・--png のどれかを指定してください");
        return false;
    }
    return true;
}

} // namespace mirte::cli
