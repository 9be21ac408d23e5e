// SPDX-License-Identifier: GPL-3.0-or-later
// The modal dialogs that commands of the plan editor open. Each call shows the dialog and
// returns its result, or nothing when the user cancelled. The window system implements them;
// tests script the answers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/grid.h"
#include "model/sections.h"

namespace platform {

// File filters are written as caption|pattern pairs: "Kelファイル|*.kel|すべて|*.*".
inline const std::string kProjectFilter = "Kelファイル|*.kel|すべて|*.*";
inline const std::string kDxfFilter = "DXFファイル|*.dxf|すべて|*.*";

class FileDialogPort {
public:
    virtual ~FileDialogPort() = default;
    // Accepts only an existing file. initialPath may be empty.
    virtual std::optional<std::string> openFile(const std::string& filter, const std::string& initialPath) = 0;
    // Asks before overwriting an existing file and requires an existing folder.
    virtual std::optional<std::string> saveFile(const std::string& filter, const std::string& initialPath) = 0;
};

// What the member-mark dialog returns.
struct MemberChoice {
    std::string markName;
    int rangeTarget = 0;  // 0 "全ての部材", 1 "床部材" (horizontal), 2 "柱部材" (vertical)
};

class MemberDialogPort {
public:
    virtual ~MemberDialogPort() = default;
    // kind 0 girders and small beams, 1 columns; caption "梁符号指示", "柱符号指示", "小梁編集".
    virtual std::optional<MemberChoice> chooseMark(const std::string& caption, int kind,
                                                   const model::SectionTable& sections) = 0;
};

struct ParallelCopy {
    double distance = 1000;
    int copies = 1;
};

class ParallelCopyDialogPort {
public:
    virtual ~ParallelCopyDialogPort() = default;
    // referenceDistance > 0 is put into the distance box first.
    virtual std::optional<ParallelCopy> chooseParallelCopy(double referenceDistance) = 0;
};

class GridPitchDialogPort {
public:
    virtual ~GridPitchDialogPort() = default;
    // The pitch in millimetres (the dialog refuses values below 100).
    virtual std::optional<double> chooseGridPitch() = 0;
};

// The grid-line dialog's record: what the caller hands in (offset mode) and reads back.
struct GridLineRecord {
    std::array<int32_t, 3> counts{0, 0, 0};  // span counts X, Y, Z
    // Positions per axis, slot 0 = 0, slots above the count -1.
    std::array<std::array<int32_t, model::kGridSlots>, 3> positions{};
    std::array<model::BaseOffset, model::kGridSlots> offsets{};

    GridLineRecord()
    {
        for (auto& axis : positions) axis.fill(-1);
        for (auto& axis : positions) axis[0] = 0;
    }
};

enum class GridDialogMode { NewGrid = 0, Offsets = 1 };

class GridLineDialogPort {
public:
    virtual ~GridLineDialogPort() = default;
    // NewGrid: caption "通り心", counts and pitches from the dialog's own memory, offset rows
    // reset to the defaults; `record` is ignored. Offsets: caption "オフセット編集", counts and
    // positions of `record` shown locked, offsets editable. `grid` gives the line names.
    virtual std::optional<GridLineRecord> editGridLines(GridDialogMode mode, const GridLineRecord& record,
                                                        const model::GridModel& grid) = 0;
};

class KeypadPort {
public:
    virtual ~KeypadPort() = default;
    // The entered number as text, or nothing when closed without "En".
    virtual std::optional<std::string> enterNumber(const std::string& startText) = 0;
};

}  // namespace platform
