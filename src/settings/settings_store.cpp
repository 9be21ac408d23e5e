#include "settings/settings_store.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "model/helpers.h"

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

bool parseReal(std::string_view text, double& out)
{
    if (!model::isNumber(text)) return false;
    out = std::strtod(model::trim(text).c_str(), nullptr);
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

std::string twoDigits(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

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
    const char* D = kSectionDraftEnv;
    const char* E = kSectionEnvironment;
    DraftEnv& d = s.draft;
    Environment& env = s.env;

    // Title numbers index the title tables; 0 or below leaves the row out.
    const int lastGirderTitle = static_cast<int>(girderTitles().size()) - 1;
    const int lastColumnTitle = static_cast<int>(columnTitles().size()) - 1;
    for (size_t i = 0; i < d.GTitle.size(); ++i)
        in.integer(D, "GTitle" + std::to_string(i + 1), d.GTitle[i], INT_MIN, lastGirderTitle);
    for (size_t i = 0; i < d.CTitle.size(); ++i)
        in.integer(D, "CTitle" + std::to_string(i + 1), d.CTitle[i], INT_MIN, lastColumnTitle);

    Pardo7& p = s.pardo7;
    in.integer(kSectionPardo7, "nStands", p.nStands);
    in.integer(kSectionPardo7, "modeStatic", p.modeStatic);
    in.integer(kSectionPardo7, "modeDynamic", p.modeDynamic);

    in.text(E, "StructreType", env.StructreType);
    in.text(E, "Zoon", env.Zoon);
    in.text(E, "ZoonTX", env.ZoonTX);
    in.text(E, "ZoonTY", env.ZoonTY);
    in.text(E, "ZoonZ", env.ZoonZ);
    in.text(E, "ZoonTc", env.ZoonTc);
    in.text(E, "ZoonCe", env.ZoonCe);
    in.text(E, "ZoonHo", env.ZoonHo);
    in.real(E, "LoadDrawScale1", env.LoadDrawScale1);
    in.real(E, "LoadDrawScale2", env.LoadDrawScale2);
    for (size_t i = 0; i < env.StressDrawScale.size(); ++i)
        in.real(E, "StressDrawScale" + std::to_string(i + 1), env.StressDrawScale[i]);
    for (size_t i = 0; i < env.DecPlace.size(); ++i) in.integer(E, "DecPlace" + std::to_string(i + 1), env.DecPlace[i]);
    in.boolean(E, "SIUnit", env.SIUnit);
    in.integer(E, "MojiSize", env.MojiSize, 1);  // a font height in pixels
    in.integer(E, "InitJointNumber", env.InitJointNumber);
    in.integer(E, "InitJointBaseNumber", env.InitJointBaseNumber);
    in.boolean(E, "ShowMemberName", env.ShowMemberName);
    in.boolean(E, "ShowLoadValue", env.ShowLoadValue);
    in.boolean(E, "DrawDim", env.DrawDim);
    in.boolean(E, "DrawBaseLine", env.DrawBaseLine);
    in.boolean(E, "ShowNumber", env.ShowNumber);
    in.integer(E, "ShowStressType", env.ShowStressType);
    in.integer(E, "ShowVolumeType", env.ShowVolumeType);
    in.integer(E, "LoadCase", env.LoadCase);
    in.integer(E, "StressValue", env.StressValue);
    in.boolean(E, "ShowConsole", env.ShowConsole);
    in.boolean(E, "ShowGrid", env.ShowGrid);
    in.boolean(E, "ShowLineEndMark", env.ShowLineEndMark);
    in.boolean(E, "SHowHelper", env.SHowHelper);

    in.integer(D, "secRefNumber", d.secRefNumber, 0, 3);  // one of the four mark presets
    for (size_t i = 0; i < d.RodMark.size(); ++i)
        in.integer(D, "RodMark" + twoDigits(static_cast<int>(i)), d.RodMark[i], 0, 15);  // bar-mark shapes
    in.real(D, "ListScale", d.ListScale, true);
    in.real(D, "ListMojiHeight", d.ListMojiHeight, true);
    in.real(D, "DrawScale", d.DrawScale, true);
    in.real(D, "DrawMojiHeight", d.DrawMojiHeight, true);
    in.real(D, "MojiRatio", d.MojiRatio, true);
    in.integer(D, "DXFnBASE", d.DXFnBASE, 1, 9);  // DXF text origin codes
    in.real(D, "DrawMojiUki", d.DrawMojiUki);
    in.boolean(D, "GirderListSlab", d.GirderListSlab);
    in.integer(D, "GirderListBase", d.GirderListBase);
    in.integer(D, "BaseSizeA", d.BaseSizeA);
    in.integer(D, "BaseSizeB", d.BaseSizeB);
    in.text(D, "InitGirder", d.InitGirder);
    in.text(D, "InitGSec", d.InitGSec);
    in.integer(D, "ColumnListMark", d.ColumnListMark);
    in.integer(D, "ColumnListW1", d.ColumnListW1);
    in.integer(D, "ColumnListW2", d.ColumnListW2);
    in.integer(D, "ColumnListW3", d.ColumnListW3);
    in.real(D, "ColumnListH", d.ColumnListH);
    in.real(D, "ColumnListHD", d.ColumnListHD);
    in.integer(D, "GirderListMark", d.GirderListMark);
    in.integer(D, "GirderListW1", d.GirderListW1);
    in.integer(D, "GirderListW2", d.GirderListW2);
    in.integer(D, "GirderListW3", d.GirderListW3);
    in.real(D, "GirderListH", d.GirderListH);
    in.real(D, "GirderListHD", d.GirderListHD);
    in.text(D, "InitColumn", d.InitColumn);
    in.text(D, "InitCSec", d.InitCSec);
    in.integer(D, "TessmarStirStart", d.TessmarStirStart);

    in.text(kSectionDraft, "strCADfname", s.strCADfname);

    const char* P = kSectionPosition;
    in.integer(P, "Top", s.position.Top);
    in.integer(P, "Left", s.position.Left);
    in.integer(P, "Width", s.position.Width);
    in.integer(P, "Height", s.position.Height);

    static const char* const axes[3] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) in.integer(D, std::string("nGridName") + axes[a], d.gridNaming[a].mode, 1, 3);
    for (int a = 0; a < 3; ++a) {
        model::GridNaming& g = d.gridNaming[a];
        std::string prefix = std::string("cmb") + axes[a];
        in.text(D, prefix + "Moji1", g.moji1);
        in.text(D, prefix + "Num1", g.num1);
        in.text(D, prefix + "Moji2", g.moji2);
        in.text(D, prefix + "Num2", g.num2);
        in.text(D, prefix + "Moji3", g.moji3);
        in.text(D, prefix + "Num3", g.num3);
    }

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

bool SaveSettings(IniFile& ini, const Settings& settings, platform::Platform& platform)
{
    std::vector<std::string> failures;
    auto put = [&](const char* section, const char* key, const std::string& value) {
        if (!ini.write(section, key, value)) failures.push_back(ini.lastError());
    };
    const Environment& env = settings.env;
    const DraftEnv& d = settings.draft;
    IniFile::Batch batch(ini);
    put(kSectionEnvironment, "DrawDim", formatBool(env.DrawDim));
    put(kSectionEnvironment, "ShowNumber", formatBool(env.ShowNumber));
    put(kSectionEnvironment, "ShowGrid", formatBool(env.ShowGrid));
    put(kSectionEnvironment, "ShowLineEndMark", formatBool(env.ShowLineEndMark));
    put(kSectionEnvironment, "SHowHelper", formatBool(env.SHowHelper));
    put(kSectionDraft, "strCADfname", settings.strCADfname);
    put(kSectionPosition, "Top", formatInt(settings.position.Top));
    put(kSectionPosition, "Left", formatInt(settings.position.Left));
    put(kSectionPosition, "Width", formatInt(settings.position.Width));
    put(kSectionPosition, "Height", formatInt(settings.position.Height));
    put(kSectionDraftEnv, "ListScale", formatReal(d.ListScale));
    put(kSectionDraftEnv, "ListMojiHeight", formatReal(d.ListMojiHeight));
    put(kSectionDraftEnv, "DrawScale", formatReal(d.DrawScale));
    put(kSectionDraftEnv, "DrawMojiHeight", formatReal(d.DrawMojiHeight));
    put(kSectionDraftEnv, "DrawMojiUki", formatReal(d.DrawMojiUki));
    put(kSectionDraftEnv, "MojiRatio", formatReal(d.MojiRatio));
    put(kSectionDraftEnv, "DXFnBASE", formatInt(d.DXFnBASE));
    if (!batch.commit()) failures.push_back(ini.lastError());
    if (failures.empty()) return true;
    std::string text = "設定を保存できませんでした。";
    for (const auto& f : failures) text += "\n" + f;
    platform.messageBox(platform::kConfirmCaption, text, platform::Buttons::Ok);
    return false;
}

}  // namespace settings
