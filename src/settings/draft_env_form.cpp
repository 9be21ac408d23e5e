// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/draft_env_form.h"

#include "model/encoding.h"
#include "model/helpers.h"
#include "settings/draft_env_parts.h"
#include "settings/settings_store.h"

namespace settings {

namespace {

std::vector<std::string> numbers(double from, double to, double step)
{
    std::vector<std::string> items;
    for (double v = from; v <= to + 1e-9; v += step) items.push_back(formatReal(v));
    return items;
}

std::string item(std::string_view group, int index) { return model::fieldAt(index, group, ':'); }

// The index-th ";" group of a default specification.
std::string group(std::string_view spec, int index) { return model::fieldAt(index, spec, ';'); }

template <class T, size_t N>
T splitParts(const std::array<DefaultPart<T>, N>& parts, const std::string& sizes, const std::string& bars)
{
    T t;
    for (const auto& p : parts) t.*p.field = item(group(p.inBars ? bars : sizes, p.group), p.item);
    return t;
}

int clampedIndex(int value, int last) { return value >= 0 && value <= last ? value : 0; }

}  // namespace

const std::vector<std::string>& scaleItems()
{
    static const std::vector<std::string> items{"1",  "2",  "3",   "4",   "5",   "10",  "20", "30",
                                                "40", "50", "100", "200", "300", "400", "500"};
    return items;
}
const std::vector<std::string>& listMojiHeightItems()
{
    static const auto items = numbers(1, 10, 0.5);
    return items;
}
const std::vector<std::string>& draftMojiHeightItems()
{
    static const auto items = numbers(1, 10, 1);
    return items;
}
const std::vector<std::string>& mojiUkiItems()
{
    static const auto items = numbers(0, 10, 0.5);
    return items;
}
const std::vector<std::string>& mojiRatioItems()
{
    static const std::vector<std::string> items{"0.5", "0.837", "1.0"};
    return items;
}
const std::vector<std::string>& barSizeItems()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{""};
        for (const char* name : model::deformedBarNames()) {
            v.emplace_back(name);
            if (v.back() == "D32") break;
        }
        for (const char* name : model::roundBarNames()) v.emplace_back(name);
        return v;
    }();
    return items;
}
const std::vector<std::string>& barCountItems()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> v{""};
        for (int n = 2; n <= 10; ++n) v.push_back(std::to_string(n));
        return v;
    }();
    return items;
}
const std::vector<std::string>& pitchItems()
{
    static const std::vector<std::string> items{"", "100", "200"};
    return items;
}
const std::vector<std::string>& frameSizeItems()
{
    static const auto items = numbers(1, 80, 1);
    return items;
}
const std::vector<std::string>& gridMoji1Items()
{
    static const std::vector<std::string> items{"a", "A", "1"};
    return items;
}
const std::vector<std::string>& gridMoji2Items()
{
    static const std::vector<std::string> items{"X", "Y", "Z", "F", "FL"};
    return items;
}
const std::vector<std::string>& gridNumItems()
{
    static const std::vector<std::string> items{"0", "1"};
    return items;
}

const std::array<const char*, kPresetCount>& presetNames()
{
    static const std::array<const char*, kPresetCount> names{"フリー", "日本建築学会", "公共建築協会", "東京都財務局"};
    return names;
}

const model::RodMarks& presetMarks(int preset)
{
    static const std::array<model::RodMarks, 3> marks{{
        {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
        {2, 1, 6, 14, 5, 8, 7, 11, 0, 0, 0, 0},
        {2, 1, 4, 14, 5, 8, 7, 11, 12, 9, 0, 0},
    }};
    return marks[static_cast<size_t>(preset >= 1 && preset <= 3 ? preset - 1 : 0)];
}

const std::array<DefaultPart<GirderDefaults>, 11>& girderParts()
{
    using G = GirderDefaults;
    static const std::array<DefaultPart<G>, 11> parts{{
        {&G::width, false, 0, 0, "edtInitB", "幅(mm)", true},
        {&G::depth, false, 0, 1, "edtInitD", "成(mm)", true},
        {&G::topCount, true, 0, 0, "cmbNoUP", "上端筋", false},
        {&G::topSize, true, 0, 2, "cmbNmUP", "上端筋", false},
        {&G::bottomCount, true, 1, 0, "cmbNoDN", "下端筋", false},
        {&G::bottomSize, true, 1, 2, "cmbNmDN", "下端筋", false},
        {&G::stirrupLegs, true, 6, 0, "cmbNoSTAR", "スターラップ", false},
        {&G::stirrupSize, true, 6, 1, "cmbNmSTAR", "スターラップ", false},
        {&G::stirrupPitch, true, 6, 2, "cmbPitchSTAR", "スターラップ", false},
        {&G::webCount, true, 7, 0, "cmbNoBODY", "腹筋", false},
        {&G::webSize, true, 7, 1, "cmbNmBODY", "腹筋", false},
    }};
    return parts;
}

const std::array<DefaultPart<ColumnDefaults>, 9>& columnParts()
{
    using C = ColumnDefaults;
    static const std::array<DefaultPart<C>, 9> parts{{
        {&C::dx, false, 0, 0, "edtInitDx", "Dx", true},
        {&C::dy, false, 0, 1, "edtInitDy", "Dy", true},
        {&C::mainX, true, 0, 0, "cmbNoMX", "主筋 X", false},
        {&C::mainY, true, 0, 1, "cmbNoMY", "主筋 Y", false},
        {&C::mainSize, true, 0, 2, "cmbNmMain", "主筋 径", false},
        {&C::hoopX, true, 1, 0, "cmbNoHoopX", "フープ X", false},
        {&C::hoopY, true, 1, 1, "cmbNoHoopY", "フープ Y", false},
        {&C::hoopSize, true, 1, 2, "cmbNmHoop", "フープ 径", false},
        {&C::hoopPitch, true, 1, 3, "cmbPitchHoop", "フープ @", false},
    }};
    return parts;
}

GirderDefaults splitGirderDefaults(const std::string& initGSec, const std::string& initGirder)
{
    return splitParts(girderParts(), initGSec, initGirder);
}

ColumnDefaults splitColumnDefaults(const std::string& initCSec, const std::string& initColumn)
{
    return splitParts(columnParts(), initCSec, initColumn);
}

std::pair<std::string, std::string> joinGirderDefaults(const GirderDefaults& g)
{
    const std::string pair = g.width + ":" + g.depth;
    std::string bars;
    for (int i = 0; i < 3; ++i) bars += g.topCount + "::" + g.topSize + ";" + g.bottomCount + "::" + g.bottomSize + ";";
    bars += g.stirrupLegs + ":" + g.stirrupSize + ":" + g.stirrupPitch + ";";
    bars += g.webCount + ":" + g.webSize + ";";
    return {pair + ":" + pair + ":" + pair + ";", bars};
}

std::pair<std::string, std::string> joinColumnDefaults(const ColumnDefaults& c)
{
    return {c.dx + ":" + c.dy + ";", c.mainX + ":" + c.mainY + ":" + c.mainSize + ";" + c.hoopX + ":" + c.hoopY +
                                         ":" + c.hoopSize + ":" + c.hoopPitch + ";"};
}

DraftEnvForm fillDraftEnvForm(const DraftEnv& d)
{
    DraftEnvForm f;
    f.listScale = formatReal(d.ListScale);
    f.listMojiHeight = formatReal(d.ListMojiHeight);
    f.draftScale = formatReal(d.DrawScale);
    f.draftMojiHeight = formatReal(d.DrawMojiHeight);
    f.mojiUki = formatReal(d.DrawMojiUki);
    f.mojiRatio = formatReal(d.MojiRatio);
    f.dxfBase = d.DXFnBASE >= 1 && d.DXFnBASE <= 9 ? d.DXFnBASE : 7;
    f.marks = d.RodMark;
    f.preset = clampedIndex(d.secRefNumber, kPresetCount - 1);
    for (size_t i = 0; i < f.girderTitles.size(); ++i)
        f.girderTitles[i] = clampedIndex(d.GTitle[i], static_cast<int>(girderTitles().size()) - 1);
    for (size_t i = 0; i < f.columnTitles.size(); ++i)
        f.columnTitles[i] = clampedIndex(d.CTitle[i], static_cast<int>(columnTitles().size()) - 1);
    f.slab = d.GirderListSlab;
    f.girder = splitGirderDefaults(d.InitGSec, d.InitGirder);
    f.foundation = d.GirderListBase != 0;
    f.foundationRadio = d.GirderListBase == 2 ? 2 : 1;
    f.baseA = formatInt(d.BaseSizeA);
    f.baseB = formatInt(d.BaseSizeB);
    f.girderDim = d.GirderListMark >= 0;
    f.girderDimRadio = clampedIndex(d.GirderListMark, 3);
    f.girderFrame = {formatInt(d.GirderListW1), formatInt(d.GirderListW2), formatInt(d.GirderListW3),
                     formatReal(d.GirderListH), formatReal(d.GirderListHD)};
    f.columnDim = d.ColumnListMark >= 0;
    f.columnDimRadio = clampedIndex(d.ColumnListMark, 3);
    f.column = splitColumnDefaults(d.InitCSec, d.InitColumn);
    f.columnFrame = {formatInt(d.ColumnListW1), formatInt(d.ColumnListW2), formatInt(d.ColumnListW3),
                     formatReal(d.ColumnListH), formatReal(d.ColumnListHD)};
    f.naming = d.gridNaming;
    f.stirStart = 0;
    for (size_t i = 0; i < kStirStartValues.size(); ++i)
        if (kStirStartValues[i] == d.TessmarStirStart) f.stirStart = static_cast<int>(i);
    return f;
}

void choosePreset(DraftEnvForm& form, int preset)
{
    if (preset < 0 || preset >= kPresetCount) return;
    form.preset = preset;
    if (preset > 0) form.marks = presetMarks(preset);
}

void chooseMark(DraftEnvForm& form, int slot, int mark)
{
    if (slot < 0 || slot >= model::kBarSlots || mark < 0 || mark >= kMarkChoices) return;
    form.marks[static_cast<size_t>(slot)] = mark;
    form.preset = 0;
}

}  // namespace settings
