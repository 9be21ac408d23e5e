// SPDX-License-Identifier: GPL-3.0-or-later
// OK of the draft settings dialog: every field is checked before anything is changed.
#include "model/encoding.h"
#include "model/helpers.h"
#include "settings/draft_env_form.h"
#include "settings/draft_env_parts.h"
#include "settings/settings_store.h"

namespace settings {

namespace {

// Reads the fields and keeps the first problem; values of a form with a problem are not used.
class Fields {
public:
    explicit Fields(FormProblem& problem) : problem_(problem) {}

    bool ok() const { return !failed_; }

    // Scales and text heights: what is typed, or the fallback when it is not a usable number.
    static double realOr(const std::string& text, double fallback, bool positive)
    {
        if (!model::isNumber(text)) return fallback;
        const double v = model::strToFloatOr0(text);
        return positive && !(v > 0) ? fallback : v;
    }

    double positiveReal(const std::string& text, const char* control, const std::string& label)
    {
        const double v = model::isNumber(text) ? model::strToFloatOr0(text) : 0;
        if (!(v > 0)) fail(control, "「" + label + "」に 0 より大きい数値を入力して下さい。");
        return v;
    }

    int frameSize(const std::string& text, const char* control, const std::string& label)
    {
        int v = 0;
        if (!model::parseIntStrict(text, v) || v < 1) fail(control, "「" + label + "」に 1 以上の整数を入力して下さい。");
        return v;
    }

    // A default section part: it goes into a specification string, so no separators.
    std::string part(const std::string& text, const char* control, const std::string& label, bool number)
    {
        const std::string t = model::trim(text);
        // The default sizes may stay empty: the section dialog then starts without a size.
        if (number && !t.empty() && !model::isNumber(t))
            fail(control, "「" + label + "」に数値を入力して下さい。");
        else if (t.find_first_of(":;") != std::string::npos)
            fail(control, "「" + label + "」に「:」や「;」は使えません。");
        else
            storable(t, control, label);
        return t;
    }

    void storable(const std::string& text, const char* control, const std::string& label)
    {
        if (!model::utf8ToCp932(text) || text.find_first_of("\r\n\"") != std::string::npos)
            fail(control, "「" + label + "」に使えない文字があります。");
    }

private:
    void fail(const char* control, std::string message)
    {
        if (failed_) return;
        failed_ = true;
        problem_ = {control, std::move(message)};
    }

    FormProblem& problem_;
    bool failed_ = false;
};

int integerOr0(const std::string& text)
{
    int v = 0;
    return model::parseIntStrict(text, v) ? v : 0;
}

void takeFrame(Fields& in, const FrameSizes& f, const char* prefix, const char* page, int& w1, int& w2, int& w3,
               double& h, double& hd)
{
    static const char* const names[5] = {"W1", "W2", "W3", "H", "HD"};
    static const char* const labels[3] = {"W1", "W2", "W3"};
    int* widths[3] = {&w1, &w2, &w3};
    for (int i = 0; i < 3; ++i)
        *widths[i] = in.frameSize(f[i], (std::string("cmb") + prefix + names[i]).c_str(),
                                  std::string(page) + " " + labels[i]);
    h = model::strToFloatOr0(f[3]);
    hd = model::strToFloatOr0(f[4]);
}

template <class T, size_t N>
T takeParts(Fields& in, const std::array<DefaultPart<T>, N>& parts, const T& shown)
{
    T t;
    for (const auto& p : parts) t.*p.field = in.part(shown.*p.field, p.control, p.label, p.number);
    return t;
}

void takeNaming(Fields& in, const DraftEnvForm& form, DraftEnv& d)
{
    static const char* const axes[3] = {"X", "Y", "Z"};
    for (size_t a = 0; a < 3; ++a) {
        const model::GridNaming& f = form.naming[a];
        model::GridNaming& g = d.gridNaming[a];
        const std::string prefix = std::string("cmb") + axes[a];
        const std::string label = std::string("通り心 ") + axes[a] + "方向";
        g.mode = f.mode >= 1 && f.mode <= 3 ? f.mode : 2;
        // Num1 is used by no scheme and stays as it was.
        const std::pair<const std::string*, std::string*> texts[] = {
            {&f.moji1, &g.moji1}, {&f.moji2, &g.moji2}, {&f.num2, &g.num2}, {&f.moji3, &g.moji3}, {&f.num3, &g.num3}};
        static const char* const suffixes[] = {"Moji1", "Moji2", "Num2", "Moji3", "Num3"};
        for (size_t i = 0; i < 5; ++i) {
            in.storable(*texts[i].first, (prefix + suffixes[i]).c_str(), label);
            *texts[i].second = *texts[i].first;
        }
    }
}

}  // namespace

std::optional<DraftEnv> takeDraftEnvForm(const DraftEnvForm& form, const DraftEnv& draft, FormProblem& problem)
{
    Fields in(problem);
    DraftEnv d = draft;
    d.ListScale = Fields::realOr(form.listScale, 40, true);
    d.ListMojiHeight = Fields::realOr(form.listMojiHeight, 3, true);
    d.DrawScale = Fields::realOr(form.draftScale, 40, true);
    d.DrawMojiHeight = Fields::realOr(form.draftMojiHeight, 3, true);
    d.DrawMojiUki = Fields::realOr(form.mojiUki, 1, false);
    d.MojiRatio = in.positiveReal(form.mojiRatio, "cmbMojiRatio", "文字幅比率");
    d.DXFnBASE = form.dxfBase >= 1 && form.dxfBase <= 9 ? form.dxfBase : 7;
    d.secRefNumber = form.preset;
    d.RodMark = form.marks;
    d.ColumnListMark = form.columnDim ? form.columnDimRadio : -1;
    d.GirderListMark = form.girderDim ? form.girderDimRadio : -1;
    takeFrame(in, form.girderFrame, "G", "梁断面リスト2", d.GirderListW1, d.GirderListW2, d.GirderListW3,
              d.GirderListH, d.GirderListHD);
    takeFrame(in, form.columnFrame, "C", "柱断面リスト2", d.ColumnListW1, d.ColumnListW2, d.ColumnListW3,
              d.ColumnListH, d.ColumnListHD);
    d.TessmarStirStart = kStirStartValues[static_cast<size_t>(form.stirStart >= 0 && form.stirStart < 4 ? form.stirStart : 0)];
    for (size_t i = 0; i < d.GTitle.size(); ++i) d.GTitle[i] = form.girderTitles[i];
    for (size_t i = 0; i < d.CTitle.size(); ++i) d.CTitle[i] = form.columnTitles[i];
    d.GirderListSlab = form.slab;
    d.GirderListBase = form.foundation ? (form.foundationRadio == 2 ? 2 : 1) : 0;
    d.BaseSizeA = integerOr0(form.baseA);
    d.BaseSizeB = integerOr0(form.baseB);
    std::tie(d.InitGSec, d.InitGirder) = joinGirderDefaults(takeParts(in, girderParts(), form.girder));
    std::tie(d.InitCSec, d.InitColumn) = joinColumnDefaults(takeParts(in, columnParts(), form.column));
    takeNaming(in, form, d);
    if (!in.ok()) return std::nullopt;
    return d;
}

bool confirmDraftEnvForm(const DraftEnvForm& form, Settings& settings, model::GridModel& grid, IniFile& ini,
                         platform::Platform& platform, FormProblem& problem)
{
    auto taken = takeDraftEnvForm(form, settings.draft, problem);
    if (!taken) return false;
    settings.draft = std::move(*taken);
    model::makeGridNames(grid, settings.draft.gridNaming);
    WriteDraftEnv(ini, settings, platform);
    return true;
}

}  // namespace settings
