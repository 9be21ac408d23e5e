// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

#include "model/helpers.h"
#include "settings/settings_table.h"

namespace settings {

namespace {

constexpr size_t kMaxReportedProblems = 10;
constexpr size_t kMaxShownValueBytes = 60;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool parseInt(std::string_view text, int& out)
{
    std::string t = model::trim(text);
    const char* b = t.data();
    const char* e = t.data() + t.size();
    if (b != e && *b == '+') {
        ++b;
        if (b == e || !isDigit(*b)) return false;
    }
    int value = 0;
    auto [ptr, ec] = std::from_chars(b, e, value);
    if (b == e || ec != std::errc() || ptr != e) return false;
    out = value;
    return true;
}

// "." is the decimal point whatever the locale says.
bool parseReal(std::string_view text, double& out)
{
    if (!model::isNumber(text)) return false;
    out = model::strToFloatOr0(text);
    return true;
}

// A value as shown in a message: control bytes made visible, long values cut at a character
// boundary.
std::string shownValue(std::string_view value)
{
    std::string out;
    size_t i = 0;
    while (i < value.size()) {
        if (out.size() >= kMaxShownValueBytes) {
            out += "…";
            break;
        }
        auto c = static_cast<unsigned char>(value[i]);
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        if (i + len > value.size()) len = value.size() - i;
        if (c < 0x20 || c == 0x7F)
            out += '?';
        else
            out.append(value.substr(i, len));
        i += len;
    }
    return out;
}

// Reads keys into fields, keeping each field's value (the default) when the key is missing or
// unusable, and collects what was unusable for one message.
class Loader {
public:
    explicit Loader(const IniFile& ini) : ini_(ini) {}

    void read(const SettingKey& key, SettingField field)
    {
        struct Visit {
            Loader& in;
            const SettingKey& k;
            void operator()(int* f) const { in.integer(k.section, k.key, *f, k.lo, k.hi); }
            void operator()(double* f) const { in.real(k.section, k.key, *f, k.positive); }
            void operator()(bool* f) const { in.boolean(k.section, k.key, *f); }
            void operator()(std::string* f) const { in.text(k.section, k.key, *f); }
        };
        std::visit(Visit{*this, key}, field);
    }

    void integer(const char* section, const std::string& key, int& field, int lo = INT_MIN, int hi = INT_MAX)
    {
        auto v = ini_.lookup(section, key);
        if (!v) return;
        int value = 0;
        if (!parseInt(v->text, value)) {
            problem(section, key, v->text, "整数ではありません", formatInt(field));
        } else if (value < lo || value > hi) {
            problem(section, key, v->text, rangeText(lo, hi), formatInt(field));
        } else {
            field = value;
        }
    }

    // positive: only values above 0 are usable (scales, text heights).
    void real(const char* section, const std::string& key, double& field, bool positive = false)
    {
        auto v = ini_.lookup(section, key);
        if (!v) return;
        double value = 0;
        if (!parseReal(v->text, value)) {
            problem(section, key, v->text, "数値ではありません", formatReal(field));
        } else if (positive && !(value > 0)) {
            problem(section, key, v->text, "0 より大きい数値でなければなりません", formatReal(field));
        } else {
            field = value;
        }
    }

    void boolean(const char* section, const std::string& key, bool& field)
    {
        auto v = ini_.lookup(section, key);
        if (!v) return;
        int value = 0;
        if (!parseInt(v->text, value))
            problem(section, key, v->text, "整数（0 または 1）ではありません", formatBool(field));
        else
            field = value != 0;
    }

    void text(const char* section, const std::string& key, std::string& field)
    {
        auto v = ini_.lookup(section, key);
        if (!v) return;
        if (!v->encodingOk)
            problem(section, key, v->text, "Shift-JIS として読めない文字があります", field);
        else
            field = v->text;
    }

    void report(platform::Platform& platform) const
    {
        if (problems_.empty()) return;
        std::string text = "設定ファイル";
        if (ini_.hasFile()) text += " " + ini_.path().string() + " ";
        text += "に使えない値があります。これらの設定は既定値を使います。\n";
        for (size_t i = 0; i < problems_.size() && i < kMaxReportedProblems; ++i) text += "\n" + problems_[i];
        if (problems_.size() > kMaxReportedProblems)
            text += "\nほか " + std::to_string(problems_.size() - kMaxReportedProblems) + " 件";
        platform.messageBox(platform::kConfirmCaption, text, platform::Buttons::Ok);
    }

private:
    static std::string rangeText(int lo, int hi)
    {
        if (lo == INT_MIN) return formatInt(hi) + " 以下の整数でなければなりません";
        if (hi == INT_MAX) return formatInt(lo) + " 以上の整数でなければなりません";
        return formatInt(lo) + "～" + formatInt(hi) + " の整数でなければなりません";
    }

    void problem(const char* section, const std::string& key, const std::string& value, const std::string& reason,
                 const std::string& fallback)
    {
        problems_.push_back("[" + std::string(section) + "] " + key + "=\"" + shownValue(value) + "\": " + reason +
                            "（既定値 \"" + shownValue(fallback) + "\"）");
    }

    const IniFile& ini_;
    std::vector<std::string> problems_;
};

}  // namespace

std::string formatReal(double value)
{
    char buf[64];
    double a = std::fabs(value);
    // Plain digits where a person reading the file expects them; exponent form only for
    // numbers no drawing setting takes.
    auto r = (a == 0 || (a >= 1e-5 && a < 1e15)) ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                                                 : std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string formatInt(int value) { return std::to_string(value); }

std::string formatBool(bool value) { return value ? "1" : "0"; }

std::string ReadSetting(const IniFile& ini, std::string_view section, std::string_view key, std::string_view fallback)
{
    return ini.read(section, key, fallback);
}

bool WriteSetting(IniFile& ini, std::string_view section, std::string_view key, std::string_view value)
{
    return ini.write(section, key, value);
}

void loadSettingsInto(const IniFile& ini, Settings& settings, platform::Platform& platform)
{
    // Start from the defaults so that a key that has gone from the file reads as its default.
    Settings s;
    s.draft.RodKind = settings.draft.RodKind;
    Loader in(ini);
    for (const SettingKey& key : settingKeys()) in.read(key, key.field(s));

    // Not stored: the XOR colour of transient marks, the grid dots and the arrow size.
    s.transientColour = 0xDEDEDE;
    s.gridDotColour = 0x000000;
    s.gridDivisor = 1;
    s.arrowSize = 200;

    settings = std::move(s);
    in.report(platform);
}

void LoadSettings(IniFile& ini, Settings& settings, platform::Platform& platform)
{
    if (!ini.reload())
        platform.messageBox(platform::kConfirmCaption, ini.lastError() + "\n既定の設定を使います。", platform::Buttons::Ok);
    loadSettingsInto(ini, settings, platform);
}

namespace {

// Writes the keys in one write of the file; a failure is reported once.
bool writeKeys(IniFile& ini, const std::vector<const SettingKey*>& keys, const Settings& settings,
               platform::Platform& platform)
{
    std::vector<std::string> failures;
    IniFile::Batch batch(ini);
    for (const SettingKey* key : keys)
        if (!ini.write(key->section, key->key, storedText(*key, settings))) failures.push_back(ini.lastError());
    if (!batch.commit()) failures.push_back(ini.lastError());
    if (failures.empty()) return true;
    std::string text = "設定を保存できませんでした。";
    for (const auto& f : failures) text += "\n" + f;
    platform.messageBox(platform::kConfirmCaption, text, platform::Buttons::Ok);
    return false;
}

}  // namespace

bool SaveSettings(IniFile& ini, const Settings& settings, platform::Platform& platform)
{
    std::vector<const SettingKey*> keys;
    for (const SettingKey& key : settingKeys())
        if (key.saveOrder > 0) keys.push_back(&key);
    std::sort(keys.begin(), keys.end(), [](const SettingKey* a, const SettingKey* b) { return a->saveOrder < b->saveOrder; });
    return writeKeys(ini, keys, settings, platform);
}

bool WriteDraftEnv(IniFile& ini, const Settings& settings, platform::Platform& platform)
{
    std::vector<const SettingKey*> keys;
    for (const SettingKey& key : settingKeys())
        if (key.draftEnv) keys.push_back(&key);
    return writeKeys(ini, keys, settings, platform);
}

}  // namespace settings
