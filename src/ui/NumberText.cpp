// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include <cmath>

#include "settings/settings_store.h"

namespace ui {

std::optional<double> parseReal(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    // toDouble would also take "inf" and "nan".
    for (QChar c : t) {
        const bool allowed = c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
        if (!allowed || c.unicode() > 127) return std::nullopt;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> parseInt(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

QString realText(double value) { return QString::fromStdString(settings::formatReal(value == 0 ? 0.0 : value)); }

QString notAnInteger(const QString& text) { return QStringLiteral("'%1' は整数ではありません。").arg(text); }

QString notAReal(const QString& text) { return QStringLiteral("'%1' は数値ではありません。").arg(text); }

}  // namespace ui
