// SPDX-License-Identifier: GPL-3.0-or-later
// The explanatory pictures of the draft settings dialog: what W1 ... H2 of a section list
// frame are, and what the foundation depths A and B measure.
#pragma once

#include <QPixmap>

namespace ui {

QPixmap listFramePicture();
QPixmap foundationPicture();

}  // namespace ui
