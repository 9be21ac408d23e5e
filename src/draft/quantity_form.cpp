// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/quantity_form.h"

#include "draft/csv_save.h"
#include "session/session.h"
#include "settings/ini_file.h"

namespace draft::quantity {

QuantityForm::QuantityForm(model::Session& session, const settings::IniFile& ini, platform::FileDialogPort* files)
    : session_(session), ini_(ini), files_(files)
{
}

void QuantityForm::refresh()
{
    problems_.clear();
    const Conditions c = readConditions(ini_, problems_);
    takeoff_ = takeOff(session_.store, session_.sections, session_.grid, session_.settings.draft.TessmarStirStart, c);
    rows_ = tableRows(takeoff_);
}

std::vector<std::string> QuantityForm::conditionLines() const
{
    std::vector<std::string> lines = conditionsText(takeoff_.conditions);
    for (const std::string& p : problems_) lines.push_back("設定を既定値で使いました: " + p);
    return lines;
}

bool QuantityForm::saveCsv()
{
    if (!files_) return false;
    const std::optional<std::string> saved = saveCsvAs(*files_, session_.platform, lastSaved_,
                                                       [this](const std::string& path) { return writeQuantityCsv(path, takeoff_); });
    if (!saved) return false;
    lastSaved_ = *saved;
    return true;
}

}  // namespace draft::quantity
