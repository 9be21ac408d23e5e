// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_table.h"

#include "settings/settings_store.h"

namespace settings {

namespace {

using Rows = std::vector<SettingKey>;

std::string twoDigits(size_t i) { return (i < 10 ? "0" : "") + std::to_string(i); }

// Keys of section DraftEnv are written by the dialog; SaveSettings writes a few of them too.
void add(Rows& rows, const char* section, std::string key, std::function<SettingField(Settings&)> field,
         int lo = INT_MIN, int hi = INT_MAX)
{
    SettingKey k;
    k.section = section;
    k.key = std::move(key);
    k.field = std::move(field);
    k.lo = lo;
    k.hi = hi;
    k.draftEnv = std::string_view(section) == kSectionDraftEnv;
    rows.push_back(std::move(k));
}

// A real that must be above 0 (scales, text heights, the width factor).
void addPositive(Rows& rows, const char* section, std::string key, std::function<SettingField(Settings&)> field)
{
    add(rows, section, std::move(key), std::move(field));
    rows.back().positive = true;
}

void draftTitles(Rows& r)
{
    const char* D = kSectionDraftEnv;
    // Title numbers index the title tables; 0 or below leaves the row out.
    const int lastGirderTitle = static_cast<int>(girderTitles().size()) - 1;
    const int lastColumnTitle = static_cast<int>(columnTitles().size()) - 1;
    for (size_t i = 0; i < DraftEnv{}.GTitle.size(); ++i)
        add(r, D, "GTitle" + std::to_string(i + 1), [i](Settings& s) { return &s.draft.GTitle[i]; }, INT_MIN,
            lastGirderTitle);
    for (size_t i = 0; i < DraftEnv{}.CTitle.size(); ++i)
        add(r, D, "CTitle" + std::to_string(i + 1), [i](Settings& s) { return &s.draft.CTitle[i]; }, INT_MIN,
            lastColumnTitle);
}

void pardo7(Rows& r)
{
    const char* P = kSectionPardo7;
    add(r, P, "nStands", [](Settings& s) { return &s.pardo7.nStands; });
    add(r, P, "modeStatic", [](Settings& s) { return &s.pardo7.modeStatic; });
    add(r, P, "modeDynamic", [](Settings& s) { return &s.pardo7.modeDynamic; });
}

void environment(Rows& r)
{
    const char* E = kSectionEnvironment;
#define ENV(name) add(r, E, #name, [](Settings& s) { return &s.env.name; })
    ENV(StructreType);
    ENV(Zoon);
    ENV(ZoonTX);
    ENV(ZoonTY);
    ENV(ZoonZ);
    ENV(ZoonTc);
    ENV(ZoonCe);
    ENV(ZoonHo);
    ENV(LoadDrawScale1);
    ENV(LoadDrawScale2);
    for (size_t i = 0; i < Environment{}.StressDrawScale.size(); ++i)
        add(r, E, "StressDrawScale" + std::to_string(i + 1), [i](Settings& s) { return &s.env.StressDrawScale[i]; });
    for (size_t i = 0; i < Environment{}.DecPlace.size(); ++i)
        add(r, E, "DecPlace" + std::to_string(i + 1), [i](Settings& s) { return &s.env.DecPlace[i]; });
    ENV(SIUnit);
    add(r, E, "MojiSize", [](Settings& s) { return &s.env.MojiSize; }, 1);  // a font height in pixels
    ENV(InitJointNumber);
    ENV(InitJointBaseNumber);
    ENV(ShowMemberName);
    ENV(ShowLoadValue);
    ENV(DrawDim);
    ENV(DrawBaseLine);
    ENV(ShowNumber);
    ENV(ShowStressType);
    ENV(ShowVolumeType);
    ENV(LoadCase);
    ENV(StressValue);
    ENV(ShowConsole);
    ENV(ShowGrid);
    ENV(ShowLineEndMark);
    ENV(SHowHelper);
    add(r, E, "AutoSaveMinutes", [](Settings& s) { return &s.env.AutoSaveMinutes; }, 0, 24 * 60);
#undef ENV
}

void draftValues(Rows& r)
{
    const char* D = kSectionDraftEnv;
#define DRAFT(name, ...) add(r, D, #name, [](Settings& s) { return &s.draft.name; } __VA_OPT__(,) __VA_ARGS__)
#define POSITIVE(name) addPositive(r, D, #name, [](Settings& s) { return &s.draft.name; })
    DRAFT(secRefNumber, 0, 3);  // one of the four mark presets
    for (size_t i = 0; i < model::kBarSlots; ++i)
        add(r, D, "RodMark" + twoDigits(i), [i](Settings& s) { return &s.draft.RodMark[i]; }, 0, 15);  // shapes
    POSITIVE(ListScale);
    POSITIVE(ListMojiHeight);
    POSITIVE(DrawScale);
    POSITIVE(DrawMojiHeight);
    POSITIVE(MojiRatio);
    DRAFT(DXFnBASE, 1, 9);  // DXF text origin codes
    DRAFT(DrawMojiUki);
    DRAFT(GirderListSlab);
    DRAFT(GirderListBase);
    DRAFT(BaseSizeA);
    DRAFT(BaseSizeB);
    DRAFT(InitGirder);
    DRAFT(InitGSec);
    DRAFT(ColumnListMark);
    DRAFT(ColumnListW1);
    DRAFT(ColumnListW2);
    DRAFT(ColumnListW3);
    DRAFT(ColumnListH);
    DRAFT(ColumnListHD);
    DRAFT(GirderListMark);
    DRAFT(GirderListW1);
    DRAFT(GirderListW2);
    DRAFT(GirderListW3);
    DRAFT(GirderListH);
    DRAFT(GirderListHD);
    DRAFT(InitColumn);
    DRAFT(InitCSec);
    DRAFT(TessmarStirStart);
#undef POSITIVE
#undef DRAFT
}

void draftAndPosition(Rows& r)
{
    add(r, kSectionDraft, "strCADfname", [](Settings& s) { return &s.strCADfname; });
    const char* P = kSectionPosition;
    add(r, P, "Top", [](Settings& s) { return &s.position.Top; });
    add(r, P, "Left", [](Settings& s) { return &s.position.Left; });
    add(r, P, "Width", [](Settings& s) { return &s.position.Width; });
    add(r, P, "Height", [](Settings& s) { return &s.position.Height; });
}

void gridNaming(Rows& r)
{
    const char* D = kSectionDraftEnv;
    static const char* const axes[3] = {"X", "Y", "Z"};
    for (size_t a = 0; a < 3; ++a)
        add(r, D, std::string("nGridName") + axes[a], [a](Settings& s) { return &s.draft.gridNaming[a].mode; }, 1, 3);
    using Text = std::string model::GridNaming::*;
    static const std::pair<const char*, Text> texts[] = {
        {"Moji1", &model::GridNaming::moji1}, {"Num1", &model::GridNaming::num1}, {"Moji2", &model::GridNaming::moji2},
        {"Num2", &model::GridNaming::num2},   {"Moji3", &model::GridNaming::moji3}, {"Num3", &model::GridNaming::num3},
    };
    for (size_t a = 0; a < 3; ++a)
        for (const auto& [suffix, member] : texts)
            add(r, D, std::string("cmb") + axes[a] + suffix,
                [a, m = member](Settings& s) { return &(s.draft.gridNaming[a].*m); });
}

// Covers and the aggregate size of the detailing checks; edited in the file by hand.
void checkLimits(Rows& r)
{
    const char* C = kSectionCheck;
    addPositive(r, C, "CoverGirder", [](Settings& s) { return &s.check.CoverGirder; });
    addPositive(r, C, "CoverColumn", [](Settings& s) { return &s.check.CoverColumn; });
    addPositive(r, C, "CoverFoundation", [](Settings& s) { return &s.check.CoverFoundation; });
    addPositive(r, C, "MaxAggregate", [](Settings& s) { return &s.check.MaxAggregate; });
}

// SaveSettings' keys in the order it writes them.
void numberSaved(Rows& rows)
{
    static const std::pair<const char*, const char*> saved[] = {
        {kSectionEnvironment, "DrawDim"},      {kSectionEnvironment, "ShowNumber"},
        {kSectionEnvironment, "ShowGrid"},     {kSectionEnvironment, "ShowLineEndMark"},
        {kSectionEnvironment, "SHowHelper"},   {kSectionDraft, "strCADfname"},
        {kSectionPosition, "Top"},             {kSectionPosition, "Left"},
        {kSectionPosition, "Width"},           {kSectionPosition, "Height"},
        {kSectionDraftEnv, "ListScale"},       {kSectionDraftEnv, "ListMojiHeight"},
        {kSectionDraftEnv, "DrawScale"},       {kSectionDraftEnv, "DrawMojiHeight"},
        {kSectionDraftEnv, "DrawMojiUki"},     {kSectionDraftEnv, "MojiRatio"},
        {kSectionDraftEnv, "DXFnBASE"},
    };
    int order = 0;
    for (const auto& [section, key] : saved) {
        ++order;
        for (auto& row : rows)
            if (std::string_view(row.section) == section && row.key == key) row.saveOrder = order;
    }
}

Rows buildTable()
{
    Rows rows;
    draftTitles(rows);
    pardo7(rows);
    environment(rows);
    draftValues(rows);
    draftAndPosition(rows);
    gridNaming(rows);
    checkLimits(rows);
    numberSaved(rows);
    return rows;
}

}  // namespace

const std::vector<SettingKey>& settingKeys()
{
    static const Rows rows = buildTable();
    return rows;
}

std::string storedText(const SettingKey& key, const Settings& settings)
{
    // The accessor only points into the record; nothing is changed through it here.
    const SettingField field = key.field(const_cast<Settings&>(settings));
    struct Format {
        std::string operator()(int* v) const { return formatInt(*v); }
        std::string operator()(double* v) const { return formatReal(*v); }
        std::string operator()(bool* v) const { return formatBool(*v); }
        std::string operator()(std::string* v) const { return *v; }
    };
    return std::visit(Format{}, field);
}

}  // namespace settings
