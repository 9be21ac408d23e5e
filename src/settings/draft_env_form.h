// SPDX-License-Identifier: GPL-3.0-or-later
// What the draft settings dialog shows and how it goes back into the settings: the controls'
// contents as plain values (texts as typed, radio and list indexes, check boxes), the item
// lists, the bar-mark presets and the split and join of the default sections.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/bars.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace settings {

// Item lists of the dialog's boxes.
const std::vector<std::string>& scaleItems();          // 1 ... 500
const std::vector<std::string>& listMojiHeightItems();  // 1, 1.5, ... 10
const std::vector<std::string>& draftMojiHeightItems(); // 1 ... 10
const std::vector<std::string>& mojiUkiItems();         // 0, 0.5, ... 10
const std::vector<std::string>& mojiRatioItems();       // "0.5", "0.837", "1.0"
const std::vector<std::string>& barSizeItems();         // blank, D10 ... D32, 9φ ... 32φ
const std::vector<std::string>& barCountItems();        // blank, 2 ... 10
const std::vector<std::string>& pitchItems();           // blank, 100, 200
const std::vector<std::string>& frameSizeItems();       // 1 ... 80
const std::vector<std::string>& gridMoji1Items();       // a, A, 1
const std::vector<std::string>& gridMoji2Items();       // X, Y, Z, F, FL
const std::vector<std::string>& gridNumItems();         // 0, 1

// Bar-mark presets, by the index stored as secRefNumber: 0 "フリー" changes nothing.
inline constexpr int kPresetCount = 4;
const std::array<const char*, kPresetCount>& presetNames();
// The marks of preset 1..3 for D10 ... D51.
const model::RodMarks& presetMarks(int preset);
// Marks 0 ... 14 are offered in every mark box.
inline constexpr int kMarkChoices = 15;

// Stirrup layout start values by radio ("左から", "中央から", "右から", "案分").
inline constexpr std::array<int, 4> kStirStartValues{0, 1, 2, 9};

// The default girder and column bars as the boxes show them.
struct GirderDefaults {
    std::string width, depth;
    std::string topCount, topSize, bottomCount, bottomSize;
    std::string stirrupLegs, stirrupSize, stirrupPitch;
    std::string webCount, webSize;
};
struct ColumnDefaults {
    std::string dx, dy;
    std::string mainX, mainY, mainSize;
    std::string hoopX, hoopY, hoopSize, hoopPitch;
};
GirderDefaults splitGirderDefaults(const std::string& initGSec, const std::string& initGirder);
ColumnDefaults splitColumnDefaults(const std::string& initCSec, const std::string& initColumn);
// InitGSec and InitGirder, InitCSec and InitColumn.
std::pair<std::string, std::string> joinGirderDefaults(const GirderDefaults& g);
std::pair<std::string, std::string> joinColumnDefaults(const ColumnDefaults& c);

// One list's frame sizes: W1, W2, W3, H, HD.
using FrameSizes = std::array<std::string, 5>;

struct DraftEnvForm {
    // 文字サイズ
    std::string listScale, listMojiHeight, draftScale, draftMojiHeight, mojiUki, mojiRatio;
    int dxfBase = 7;  // checked origin radio, 1 ... 9
    // 鉄筋記号: the working copy of the marks and the preset shown
    model::RodMarks marks = model::kDefaultRodMarks;
    int preset = 1;
    // 梁断面リスト1 / 2
    std::array<int, 8> girderTitles{};  // selected heading indexes
    bool slab = true;
    GirderDefaults girder;
    bool foundation = false;
    int foundationRadio = 1;  // 1 "最下層", 2 "全て"
    std::string baseA, baseB;
    bool girderDim = false;
    int girderDimRadio = 0;  // 0 ... 3
    FrameSizes girderFrame;
    // 柱断面リスト1 / 2
    std::array<int, 5> columnTitles{};
    bool columnDim = false;
    int columnDimRadio = 0;
    ColumnDefaults column;
    FrameSizes columnFrame;
    // 通り心: mode 1 ... 3 and the scheme texts per axis X, Y, Z
    std::array<model::GridNaming, 3> naming;
    // 配筋図: index into kStirStartValues
    int stirStart = 0;
};

// setInitDialog: the controls as they show the settings.
DraftEnvForm fillDraftEnvForm(const DraftEnv& draft);

// A preset fills the marks; "フリー" leaves them.
void choosePreset(DraftEnvForm& form, int preset);
// A mark chosen by hand for bar slot 0 ... 11; the preset shown becomes "フリー".
void chooseMark(DraftEnvForm& form, int slot, int mark);

// A field that cannot be taken: the control's name and the message naming it.
struct FormProblem {
    std::string control;
    std::string message;
};

// The settings the form stands for, starting from `draft` (RodKind and Num1 stay). Every field
// is checked first: on a problem nothing is returned.
std::optional<DraftEnv> takeDraftEnvForm(const DraftEnvForm& form, const DraftEnv& draft, FormProblem& problem);

// OK of the dialog: takes the form into the settings, rebuilds the grid-line names and writes
// every DraftEnv key. On a problem with a field nothing changes and false is returned; a failed
// write is reported through the platform, the settings in memory are taken all the same.
bool confirmDraftEnvForm(const DraftEnvForm& form, Settings& settings, model::GridModel& grid, IniFile& ini,
                         platform::Platform& platform, FormProblem& problem);

}  // namespace settings
