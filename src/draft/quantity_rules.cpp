// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/quantity_rules.h"

#include <array>
#include <cmath>
#include <utility>

#include "draft/rebar_layout.h"
#include "model/helpers.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace draft::quantity {

namespace {

// JIS G 3112 nominal unit masses, kg/m.
constexpr std::array<std::pair<std::string_view, double>, 20> kUnitMasses{{
    {"D10", 0.560}, {"D13", 0.995}, {"D16", 1.56}, {"D19", 2.25}, {"D22", 3.04},  {"D25", 3.98},  {"D29", 5.04},
    {"D32", 6.23},  {"D35", 7.51},  {"D38", 8.95}, {"D41", 10.5}, {"D51", 15.9},  {"9φ", 0.499},  {"13φ", 1.04},
    {"16φ", 1.58},  {"19φ", 2.23},  {"22φ", 2.98}, {"25φ", 3.85}, {"28φ", 4.83}, {"32φ", 6.31},
}};

constexpr double kShortJointPitch = 6000;  // bars of 13 mm and less
constexpr double kLongJointPitch = 7000;   // bars of 16 mm and more
constexpr int kLargestShortBar = 13;
constexpr int kLargestLappedBar = 16;

}  // namespace

Conditions readConditions(const settings::IniFile& ini, std::vector<std::string>& problems)
{
    Conditions c;
    auto text = [&](const char* key) { return ini.lookup(kConditionsSection, key); };
    auto bad = [&](const char* key, const std::string& value, const char* what) {
        problems.push_back(std::string("[") + kConditionsSection + "] " + key + "=\"" + value + "\": " + what);
    };
    auto integer = [&](const char* key, int& field) {
        auto v = text(key);
        if (!v) return;
        int value = 0;
        if (model::parseIntStrict(v->text, value)) field = value;
        else bad(key, v->text, "整数ではありません");
    };
    auto positive = [&](const char* key, double& field) {
        auto v = text(key);
        if (!v) return;
        const double value = model::strToFloatDef(model::trim(v->text), -1);
        if (value > 0 && std::isfinite(value)) field = value;
        else bad(key, v->text, "0 より大きい数値でなければなりません");
    };
    integer("Grade", c.grade);
    integer("Fc", c.fc);
    int hooked = c.hooked ? 1 : 0;
    integer("Hooked", hooked);
    c.hooked = hooked != 0;
    positive("LapFactor", c.lapFactor);
    positive("Surcharge", c.surcharge);
    return c;
}

bool writeConditions(settings::IniFile& ini, const Conditions& c)
{
    settings::IniFile::Batch batch(ini);
    ini.write(kConditionsSection, "Grade", settings::formatInt(c.grade));
    ini.write(kConditionsSection, "Fc", settings::formatInt(c.fc));
    ini.write(kConditionsSection, "Hooked", settings::formatBool(c.hooked));
    ini.write(kConditionsSection, "LapFactor", settings::formatReal(c.lapFactor));
    ini.write(kConditionsSection, "Surcharge", settings::formatReal(c.surcharge));
    return batch.commit();
}

int sizeRank(std::string_view size)
{
    for (size_t i = 0; i < kUnitMasses.size(); ++i)
        if (kUnitMasses[i].first == size) return static_cast<int>(i);
    return -1;
}

double unitMass(std::string_view size)
{
    const int rank = sizeRank(size);
    return rank < 0 ? 0 : kUnitMasses[static_cast<size_t>(rank)].second;
}

Joints jointsOf(std::string_view size, double length, const Conditions& c)
{
    Joints j;
    const int d = rebar::barNumber(size);
    if (d <= 0 || !(length > 0)) return j;
    const double pitch = d <= kLargestShortBar ? kShortJointPitch : kLongJointPitch;
    // A length no building has (a damaged file) saturates instead of overflowing the count.
    const double count = std::floor(length / pitch + 1e-9);
    j.count = count < 1e15 ? static_cast<long long>(count) : 1'000'000'000'000'000LL;
    if (d <= kLargestLappedBar) j.addedLength = static_cast<double>(j.count) * c.lapFactor * d;
    return j;
}

double anchorage(std::string_view size, const Conditions& c)
{
    return rebar::anchorageLength(size, c.grade, c.fc, c.hooked);
}

std::vector<std::string> conditionsText(const Conditions& c)
{
    const std::string straight = std::to_string(rebar::anchorageMultiple(c.grade, c.fc, c.hooked));
    return {
        "鋼材 SD" + std::to_string(c.grade) + "、Fc" + std::to_string(c.fc) + "、定着 " + straight + "d（" +
            (c.hooked ? "フック付き" : "直線") + "）",
        "継手: 13 mm 以下 6.0 m ごと、16 mm 以上 7.0 m ごと。D16 以下は重ね継手（" +
            settings::formatReal(c.lapFactor) + "d）、D19 以上はガス圧接",
        "所要数量 = 設計数量 × " + settings::formatReal(c.surcharge),
    };
}

}  // namespace draft::quantity
