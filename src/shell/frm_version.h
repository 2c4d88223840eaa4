#pragma once

#include <QDialog>

class QLabel;

namespace mirte {

// The about box ("バージョン情報"), shown modally with exec(); closed by its close box.
class TfrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVersion(QWidget* owner = nullptr);

    // "Ver." and the program's version, as --version shows it.
    static QString VersionText();

    QLabel* lblVersion = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mirte
