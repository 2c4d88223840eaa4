#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

class QLabel;
class QPushButton;

namespace mirte {

// The caption of every message box of the program, as written in the source; shown through
// ProgramCaption().
inline constexpr const char* kProgramCaption = QT_TRANSLATE_NOOP("MessageBox", "ミルテ");

// kProgramCaption in the language in use.
QString ProgramCaption();

// The kinds of button a message box can show; each has a fixed caption (Japanese in the source).
enum TMsgKind : std::uint8_t {
    mkOK = 0,     // "OK"
    mkCancel = 1, // "キャンセル"
    mkYes = 2,    // "はい"
    mkNo = 3,     // "いいえ"
    mkAbort = 4,  // "中止"
    mkRetry = 5,  // "再試行"
    mkIgnore = 6, // "無視"
};

// The caption of a button kind in the language in use; empty for a kind above mkIgnore.
QString MsgKindCaption(std::uint8_t kind);

// The program's message box builder: a small modal window with the program's button captions.
// GUI thread only.
class TMsgManage {
public:
    struct TLayout {
        int ClientWidth;
        std::array<int, 3> ButtonLeft; // -1 where the row has no such button
    };
    // One row per number of buttons (1 to 3).
    static constexpr std::array<TLayout, 3> Layouts{{
        {340, {133, -1, -1}},
        {380, {80, 200, -1}},
        {390, {30, 140, 250}},
    }};
    static constexpr int ClientHeight = 100;
    static constexpr int ButtonTop = 65;
    static constexpr int ButtonWidth = 85;
    static constexpr int ButtonHeight = 25;
    static constexpr int LabelTop = 20;
    static constexpr int LabelHeight = 20;

    // Shows the box modally and returns the 1-based position of the clicked button, or -1 when
    // the box was closed otherwise. One to three kinds; more are ignored, none shows one OK.
    // Enter presses the focused button (the first when the box opens); Escape does nothing.
    // Called off the GUI thread it shows nothing and returns -1.
    int ShowMessageBox(const QString& text, const QString& caption,
                       const std::vector<std::uint8_t>& kinds);

    // The box being shown (null otherwise), its label and buttons by position.
    QPointer<QDialog> Form;
    QLabel* Label = nullptr;
    std::vector<QPushButton*> Buttons;
    int Result = -1;
};

// The process-wide message box builder.
TMsgManage& MsgManage();

// MsgManage().ShowMessageBox with the given kinds.
int ShowMessageBox(const QString& text, const QString& caption,
                   std::initializer_list<std::uint8_t> kinds = {mkOK});

} // namespace mirte
