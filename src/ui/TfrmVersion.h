// SPDX-License-Identifier: GPL-3.0-or-later
// The version box: product name, version and a notice line.
#pragma once

#include <QDialog>

#include "platform/feature_ports.h"

#include "ui/AboveOpener.h"

class QLabel;
class QPushButton;

namespace ui {

class TfrmVersion : public QDialog, public platform::VersionBoxPort {
    Q_OBJECT
public:
    explicit TfrmVersion(QWidget* parent = nullptr);

    void showVersion() override
    {
        const AboveOpener above(*this);
        exec();
    }

    QLabel* lblProduct;
    QLabel* lblVersion;
    QLabel* lblNotice;
    QPushButton* btnOK;
};

}  // namespace ui
