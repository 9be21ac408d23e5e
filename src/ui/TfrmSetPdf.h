// SPDX-License-Identifier: GPL-3.0-or-later
// 作図 → 図面一式をPDFで保存: the numbered drawing set of the open project as one PDF, with a
// progress dialog whose キャンセル stops it and leaves no file behind.
#pragma once

#include <string>

#include <QProgressDialog>

#include "platform/platform.h"

namespace model {
class Session;
}

namespace ui {

class TfrmSetPdf : public QProgressDialog {
    Q_OBJECT
public:
    TfrmSetPdf(model::Session& session, platform::Platform& platform, QWidget* parent = nullptr);

    // Writes the set to `path` on the paper ("" automatic); says why when it could not.
    // False when cancelled or failed.
    bool save(const std::string& path, const std::string& paper = {});

private:
    model::Session& session_;
    platform::Platform& platform_;
};

}  // namespace ui
