// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KeypadButton.h"

#include <QPainter>
#include <QPixmap>

namespace ui {

QIcon keypadIcon()
{
    static const QIcon icon = [] {
        QPixmap pm(14, 14);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setPen(Qt::black);
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(1, 0, 11, 13);
        p.fillRect(3, 2, 8, 3, QColor(120, 170, 120));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) p.fillRect(3 + c * 3, 7 + r * 2, 2, 1, Qt::black);
        return QIcon(pm);
    }();
    return icon;
}

QToolButton* makeKeypadButton(QWidget* parent, const QString& name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(keypadIcon());
    b->setFixedSize(20, 20);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(QStringLiteral("キーパッド"));
    return b;
}

void runKeypadFor(platform::KeypadPort& keypad, QLineEdit* field)
{
    if (auto text = keypad.enterNumber(field->text().toStdString())) field->setText(QString::fromStdString(*text));
}

}  // namespace ui
