#pragma once

#include <QString>
#include <stdexcept>

namespace mirte {

// The report engine's failure; the text is the Japanese message shown to the user, kept as UTF-8
// in what().
class ELRError : public std::runtime_error {
public:
    explicit ELRError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The engine's messages, word for word.
namespace lr_message {
inline constexpr const char* kOnlyOnForm = "フォーム上にのみ配置できます．";
inline constexpr const char* kOnlyOnPageOrLayout =
    "VUvudiRoz上かTLRLayoutPanelにのみ配置できます．";
inline constexpr const char* kNotOnPage = "VUvudiRoz上には配置できません．";
inline constexpr const char* kOnlyOnPanel = "パネル上にのみ配置できます．";
inline constexpr const char* kColCount = "列数が有効範囲を超えています．";
inline constexpr const char* kRowCount = "行数が有効範囲を超えています．";
inline constexpr const char* kPrinting = "プリンタは印刷中です．";
inline constexpr const char* kPageRange = "印刷ページ範囲が正しくありません．";
inline constexpr const char* kPreviewWhilePrinting =
    "プリンタが印刷中のため、プレビューを開始できません．";
inline constexpr const char* kNoBeginDoc = "BeginDocが呼び出されていません．";
inline constexpr const char* kPaperSetup = "用紙設定時にエラーが発生しました．";
// The printer refused to start the job (no queue, an output file that cannot be written).
inline constexpr const char* kCannotStart = "印刷を開始できませんでした．";
// The printer could not finish the job (the output could not be written).
inline constexpr const char* kCannotEnd = "印刷を終了できませんでした．";
inline constexpr const char* kPictureKind = "イメージはビットマップかJPEGイメージのみ有効です";
} // namespace lr_message

[[noreturn]] void RaiseLRError(const char* message);

} // namespace mirte
