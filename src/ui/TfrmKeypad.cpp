// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmKeypad.h"

#include <array>

#include <QGridLayout>
#include <QPalette>
#include <QPushButton>

#include "ui/AboveOpener.h"
#include "ui/Cursors.h"
#include "ui/NumberText.h"

namespace ui {

TNumEdit::TNumEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Keep the selection painted as selected when another control has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

TfrmKeypad::TfrmKeypad(platform::Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), platform_(platform)
{
    setObjectName(QStringLiteral("frmKeypad"));
    setWindowTitle(QStringLiteral("キーパッド"));
    setCursor(handCursor());

    edtDisplay = new TNumEdit(this);
    edtDisplay->setObjectName(QStringLiteral("edtDisplay"));
    edtDisplay->setGeometry(8, 6, 100, 20);

    // The display sits at its fixed place; the keys fill a grid below it.
    static const std::array<std::array<const char*, 4>, 4> rows = {{
        {"7", "8", "9", "←"},
        {"4", "5", "6", "C"},
        {"1", "2", "3", "+-"},
        {"0", ".", "1/", "En"},
    }};
    constexpr int key = 26, gap = 2, top = 32, left = 8;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QString text = QString::fromUtf8(rows[static_cast<size_t>(r)][static_cast<size_t>(c)]);
            auto* b = new QPushButton(text, this);
            b->setObjectName(QStringLiteral("btn") + text);
            b->setGeometry(left + c * (key + gap), top + r * (key + gap), key, key);
            b->setFocusPolicy(Qt::NoFocus);
            b->setAutoDefault(false);
            if (text == QLatin1String("En")) b->setDefault(true);
            connect(b, &QPushButton::clicked, this, [this, text] { press(text); });
        }
    }
    setFixedSize(left * 2 + 4 * key + 3 * gap, top + 4 * (key + gap) + 6);
}

QPushButton* TfrmKeypad::button(const QString& key) const
{
    return findChild<QPushButton*>(QStringLiteral("btn") + key);
}

void TfrmKeypad::initValue(const QString& text)
{
    const double value = parseReal(text).value_or(0.0);
    edtDisplay->setText(realText(value));
    edtDisplay->end(false);
}

std::optional<std::string> TfrmKeypad::enterNumber(const std::string& startText)
{
    initValue(QString::fromStdString(startText));
    const AboveOpener above(*this);
    exec();
    if (!confirmed_) return std::nullopt;
    return result_.toStdString();
}

void TfrmKeypad::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    confirmed_ = false;
    if (parseReal(edtDisplay->text()).value_or(0.0) == 0.0) edtDisplay->setText(QStringLiteral("0"));
    edtDisplay->setFocus();
    // The first key replaces the whole number.
    edtDisplay->selectAll();
}

void TfrmKeypad::typeCharacter(const QString& c)
{
    if (edtDisplay->text() == QLatin1String("0")) {
        edtDisplay->setText(c == QLatin1String(".") ? QStringLiteral("0") : QString());
        edtDisplay->end(false);
    }
    edtDisplay->insert(c);
}

void TfrmKeypad::press(const QString& key)
{
    QString t = edtDisplay->text();
    if (key.size() == 1 && (key[0].isDigit() || key == QLatin1String("."))) {
        typeCharacter(key);
    } else if (key == QLatin1String("C")) {
        edtDisplay->setText(QStringLiteral("0"));
    } else if (key == QLatin1String("+-")) {
        edtDisplay->setText(t.startsWith(u'-') ? t.mid(1) : QStringLiteral("-") + t);
    } else if (key == QStringLiteral("←")) {
        t.chop(1);
        edtDisplay->setText(t.isEmpty() ? QStringLiteral("0") : t);
    } else if (key == QLatin1String("1/")) {
        const auto v = parseReal(t);
        if (!v)
            platform_.messageBox(platform::kConfirmCaption, notAReal(t).toStdString(), platform::Buttons::Ok);
        else if (*v == 0)
            platform_.messageBox(platform::kConfirmCaption, "0 で割ることはできません。", platform::Buttons::Ok);
        else
            edtDisplay->setText(realText(1.0 / *v));
    } else if (key == QLatin1String("En")) {
        confirmed_ = true;
        result_ = realText(parseReal(t).value_or(0.0));
        accept();
    }
}

}  // namespace ui
