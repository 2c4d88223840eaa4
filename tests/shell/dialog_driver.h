#pragma once

#include "shell/msg_manage.h"
#include "support/when_ready.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace mirte::test {

// What a message box showed.
struct ShownMessage {
    bool Shown = false;
    QString Text;
    QString Caption;
    QStringList Buttons;
};

// When the next message box of the program is showing: records it into `shown` and then runs
// `answer` on it (for instance a click on a button).
inline void WhenMessageBoxShows(ShownMessage& shown, std::function<void(TMsgManage&)> answer) {
    WhenReady([] { return MsgManage().Form && MsgManage().Form->isVisible(); },
              [&shown, answer] {
                  TMsgManage& box = MsgManage();
                  shown.Shown = true;
                  shown.Text = box.Label->text();
                  shown.Caption = box.Form->windowTitle();
                  for (QPushButton* button : box.Buttons) {
                      shown.Buttons << button->text();
                  }
                  answer(box);
              });
}

// Clicks button `position` (1-based) of the next message box.
inline void ClickInNextMessageBox(ShownMessage& shown, int position) {
    WhenMessageBoxShows(shown, [position](TMsgManage& box) {
        box.Buttons.at(static_cast<size_t>(position - 1))->click();
    });
}

} // namespace mirte::test
