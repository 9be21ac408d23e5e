#include "draft/quantity_form.h"

#include <filesystem>

#include "model/session.h"
#include "platform/dialog_ports.h"
#include "platform/platform.h"
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
    const std::optional<std::string> chosen = files_->saveFile(kCsvFilter, lastSaved_);
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (!std::filesystem::path(path).has_extension()) path += ".csv";
    const model::FileResult r = writeQuantityCsv(path, takeoff_);
    if (!r.ok) {
        session_.platform.messageBox(platform::kConfirmCaption, r.message, platform::Buttons::Ok);
        return false;
    }
    lastSaved_ = path;
    return true;
}

}  // namespace draft::quantity
