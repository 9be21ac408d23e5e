// SPDX-License-Identifier: GPL-3.0-or-later
// The enlarged view: a white panel showing one picture that the section dialog draws, and a
// close button.
#pragma once

#include <QDialog>

#include "ui/AboveOpener.h"
#include "ui/CanvasWidget.h"
#include "ui/QtCanvas.h"

class QPushButton;

namespace ui {

class TfrmDetail : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDetail(QWidget* parent = nullptr);

    // The picture ("imgSection"); it has the size of the panel.
    editor::Canvas& canvas() { return canvas_; }
    QtCanvas& qtCanvas() { return canvas_; }
    // Gives the picture a size before drawing into it.
    void setPictureSize(int width, int height);
    void showModal()
    {
        const AboveOpener above(*this);
        exec();
    }

    CanvasWidget* imgSection;
    QPushButton* btnClose;

private:
    QtCanvas canvas_;
};

}  // namespace ui
