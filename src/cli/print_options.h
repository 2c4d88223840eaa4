#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

namespace mirte::cli {

// The layouts `mirte-cli print` knows.
enum class PrintKind { Index, Jacket, Contact };

// What `mirte-cli print` was asked for.
struct PrintOptions {
    PrintKind Kind = PrintKind::Index;
    QString Source;  // the folder (index, contact) or the picture (jacket)
    QString PdfFile; // --pdf
    QString Queue;   // --printer
    QString PngDir;  // --png
    QString SettingsFile;
    QString CacheDir;
    int FromPage = 0; // --pages FROM-TO; 0: open on that side
    int ToPage = 0;
    QPageSize Paper = QPageSize(QPageSize::A4);
    bool HasPaper = false;
    int Order = 0;   // 0 name, 1 size, 2 date
    int Layout = -1; // the layout box's entry; -1: from the settings
    int Rotate = -1; // quarter turns of the back card's picture; -1: from the settings
    QString Title;
    bool HasTitle = false;
    bool NoNames = false;    // the contact sheet's file names off
    bool NoDates = false;    // and its date lines
    bool Draft = false;      // the thumbnails only, never the originals at the paper's resolution
    bool EachFolder = false; // the index card of the folder and all below it, by folder
};

// Reads the arguments after "print"; false with a reason (empty when only the usage is due).
bool ParsePrintOptions(const QStringList& args, PrintOptions& options, QString& error);
QString PrintUsage();

} // namespace mirte::cli
