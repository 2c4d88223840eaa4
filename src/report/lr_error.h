#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// The report engine's failure; the text is the message shown to the user (translated), kept as
// UTF-8 in what().
class ELRError : public std::runtime_error {
public:
    explicit ELRError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The engine's messages, word for word; RaiseLRError shows them translated (context
// "ReportMessages").
namespace lr_message {
inline constexpr const char* kOnlyOnForm =
    QT_TRANSLATE_NOOP("ReportMessages", "フォーム上にのみ配置できます．");
inline constexpr const char* kOnlyOnPageOrLayout =
    QT_TRANSLATE_NOOP("ReportMessages", "VUvudiRoz上かTLRLayoutPanelにのみ配置できます．");
inline constexpr const char* kNotOnPage =
    QT_TRANSLATE_NOOP("ReportMessages", "VUvudiRoz上には配置できません．");
inline constexpr const char* kOnlyOnPanel =
    QT_TRANSLATE_NOOP("ReportMessages", "パネル上にのみ配置できます．");
inline constexpr const char* kColCount =
    QT_TRANSLATE_NOOP("ReportMessages", "列数が有効範囲を超えています．");
inline constexpr const char* kRowCount =
    QT_TRANSLATE_NOOP("ReportMessages", "行数が有効範囲を超えています．");
inline constexpr const char* kPrinting =
    QT_TRANSLATE_NOOP("ReportMessages", "プリンタは印刷中です．");
inline constexpr const char* kPageRange =
    QT_TRANSLATE_NOOP("ReportMessages", "印刷ページ範囲が正しくありません．");
inline constexpr const char* kPreviewWhilePrinting =
    QT_TRANSLATE_NOOP("ReportMessages", "プリンタが印刷中のため、プレビューを開始できません．");
inline constexpr const char* kNoBeginDoc =
    QT_TRANSLATE_NOOP("ReportMessages", "BeginDocが呼び出されていません．");
inline constexpr const char* kPaperSetup =
    QT_TRANSLATE_NOOP("ReportMessages", "用紙設定時にエラーが発生しました．");
// The printer refused to start the job (no queue, an output file that cannot be written).
inline constexpr const char* kCannotStart =
    QT_TRANSLATE_NOOP("ReportMessages", "印刷を開始できませんでした．");
// The printer could not finish the job (the output could not be written).
inline constexpr const char* kCannotEnd =
    QT_TRANSLATE_NOOP("ReportMessages", "印刷を終了できませんでした．");
inline constexpr const char* kPictureKind =
    QT_TRANSLATE_NOOP("ReportMessages", "イメージはビットマップかJPEGイメージのみ有効です");
} // namespace lr_message

// Raises ELRError with one of the messages above, translated.
[[noreturn]] void RaiseLRError(const char* message);

} // namespace mirte
