// SPDX-License-Identifier: GPL-3.0-or-later
// Every user setting with its default, as kept in the ini file.
#pragma once

#include <array>
#include <string>

#include "model/bars.h"
#include "model/grid.h"

namespace settings {

struct DraftEnv {
    std::array<int, 8> GTitle{1, 2, 3, 4, 5, 6, 7, 8};
    std::array<int, 5> CTitle{1, 2, 3, 4, 5};
    int secRefNumber = 1;
    model::RodMarks RodMark = model::kDefaultRodMarks;
    double ListScale = 40;
    double ListMojiHeight = 3;
    double DrawScale = 40;
    double DrawMojiHeight = 3;
    double MojiRatio = 0.5;
    int DXFnBASE = 7;
    double DrawMojiUki = 0;
    bool GirderListSlab = true;
    int GirderListBase = 0;
    int BaseSizeA = 50;
    int BaseSizeB = 150;
    std::string InitGirder = "3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
    std::string InitGSec = "400:900:400:900:400:900;";
    int ColumnListMark = 0;
    int ColumnListW1 = 2, ColumnListW2 = 9, ColumnListW3 = 15;
    double ColumnListH = 2;
    double ColumnListHD = 16;
    int GirderListMark = -1;
    int GirderListW1 = 2, GirderListW2 = 9, GirderListW3 = 30;
    double GirderListH = 2;
    double GirderListHD = 15;
    std::string InitColumn = "4:3:D22;2:2:D13:100;";
    std::string InitCSec = "600:600;";
    int TessmarStirStart = 0;
    // Grid naming per axis X, Y, Z (nGridName?, cmb?Moji1 ... cmb?Num3).
    std::array<model::GridNaming, 3> gridNaming{
        model::GridNaming{2, "1", "0", "X", "0", "X", "0"},
        model::GridNaming{2, "A", "0", "Y", "0", "Y", "0"},
        model::GridNaming{2, "a", "0", "Z", "0", "Z", "0"},
    };
    int RodKind = 0;  // 1: round bars; chosen in the section dialog
};

struct Pardo7 {
    int nStands = 1;
    int modeStatic = 1;
    int modeDynamic = 1;
};

struct Environment {
    std::string StructreType = "SPACE&LAYER";
    std::string Zoon = ":ZAI";
    std::string ZoonTX = "1.0", ZoonTY = "1.0", ZoonZ = "1.0";
    std::string ZoonTc = "0.8";
    std::string ZoonCe = "1.0";
    std::string ZoonHo = "0.2";
    double LoadDrawScale1 = 5, LoadDrawScale2 = 50;
    std::array<double, 5> StressDrawScale{1000, 1, 100, 10, 50};
    std::array<int, 5> DecPlace{6, 2, 2, 2, 2};
    bool SIUnit = true;
    int MojiSize = 12;
    int InitJointNumber = 1, InitJointBaseNumber = 1;
    bool ShowMemberName = true;
    bool ShowLoadValue = true;
    bool DrawDim = true;
    bool DrawBaseLine = true;
    bool ShowNumber = false;
    int ShowStressType = 2;
    int ShowVolumeType = 1;
    int LoadCase = 3;
    int StressValue = 2;
    bool ShowConsole = false;
    bool ShowGrid = false;
    bool ShowLineEndMark = false;
    bool SHowHelper = false;
    int AutoSaveMinutes = 5;  // a copy of unsaved work this often; 0 never
};

// The detailing checks: design covers to the outer face of the stirrup or hoop (foundation:
// girders of the lowest level) and the largest aggregate size, mm.
struct CheckLimits {
    double CoverGirder = 40;
    double CoverColumn = 40;
    double CoverFoundation = 70;
    double MaxAggregate = 20;
};

struct WindowPosition {
    int Top = 100, Left = 100, Width = 800, Height = 600;
};

struct Settings {
    DraftEnv draft;
    Pardo7 pardo7;
    Environment env;
    std::string strCADfname;  // section DRAFT
    WindowPosition position;
    CheckLimits check;  // section Check
    // Fixed values that are not stored.
    int transientColour = 0xDEDEDE;
    int gridDotColour = 0x000000;
    int gridDivisor = 1;
    int arrowSize = 200;
};

// Title texts of the section lists, indexed by the GTitle / CTitle values.
const std::array<const char*, 11>& girderTitles();
const std::array<const char*, 7>& columnTitles();

}  // namespace settings
