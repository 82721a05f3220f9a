#pragma once
// "O aplikaci": the program's name, maker, version and the minimum system requirements.
// The version label is filled once, when the box is created, from the program's version record.

#include "ui/app_context.h"
#include "ui/version_record.h"

#include <QDialog>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // The record of the running program: its file's on Windows, the built-in one elsewhere.
    static vx52::VersionRecord programVersionRecord();

    explicit TAboutBox(vx52::AppContext& ctx, QWidget* parent = nullptr,
                       vx52::VersionRecord record = programVersionRecord());
    ~TAboutBox() override;

    Ui::TAboutBox* ui;

    void FormCreate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    vx52::AppContext& ctx_;
    vx52::VersionRecord record_;
};
