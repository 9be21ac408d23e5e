// SPDX-License-Identifier: GPL-3.0-or-later
// The grid-line dialog behind the grid commands: span counts and pitches of the three axes on
// a schematic plan and elevation, and the offset rule of every grid line in three tables.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QDialog>
#include <QWidget>

#include "platform/dialog_ports.h"
#include "ui/CanvasWidget.h"
#include "ui/DialogMemory.h"
#include "ui/QtCanvas.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace ui {

// Scales (pixels per span), margins and the elevation's left edge of the schematic pictures.
struct PreviewGeometry {
    int sX = 60, sY = 60, sZ = 60;
    int mX = 0, mY = 0, mZ = 0;
    int eX = 0;
};
PreviewGeometry previewGeometry(int planWidth, int planHeight, int elvWidth, int elvHeight, int nX, int nY, int nZ);

// Offset kind words of the tables; -1 for a text that is none of them.
QString offsetWord(int kind);
int offsetKindOf(const QString& word);

// Two arrow buttons that step a position between 0 and 100.
class UpDown : public QWidget {
public:
    UpDown(Qt::Orientation orientation, QWidget* parent);
    int position() const { return position_; }
    void setPosition(int position);
    // Called after a click changed the position.
    std::function<void()> onClick;
    QToolButton* btnUp;
    QToolButton* btnDown;

private:
    int position_ = 0;
};

class TfrmBaseLine : public QDialog, public platform::GridLineDialogPort, public CanvasEvents {
    Q_OBJECT
public:
    static constexpr int kLines = model::kGridSlots;  // controls per axis, index 0..100

    TfrmBaseLine(settings::IniFile& ini, platform::Platform& platform, platform::KeypadPort& keypad,
                 QWidget* parent = nullptr);

    std::optional<platform::GridLineRecord> editGridLines(platform::GridDialogMode mode,
                                                          const platform::GridLineRecord& record,
                                                          const model::GridModel& grid) override;

    void setInitDialog(platform::GridDialogMode mode);
    void updateGrid();
    void btnOKClick();
    // Span count of an axis as the up-down holds it.
    int count(int axis) const;
    const PreviewGeometry& geometry() const { return geometry_; }
    // The cell's word is put into the remembered table cell, as choosing it in the drop-down does.
    void chooseOffsetWord(int axis, int line, const QString& word);

    // The record the dialog works on; valid after OK (result true).
    platform::GridLineRecord record;
    bool result = false;

    // Controls, per axis in the order X, Y, Z.
    QGroupBox* grpPlan;
    QFrame* pnlPlan;
    CanvasWidget* imgPlan;
    QGroupBox* grpElv;
    QFrame* pnlElv;
    CanvasWidget* imgElv;
    std::array<QLabel*, 3> lblAxis{};   // lblG21 "X軸通り", lblG11 "Y軸通り", lblG31 "階数"
    std::array<UpDown*, 3> udGrid{};
    std::array<QLineEdit*, 3> edtUD{};
    std::array<QLabel*, 3> lblWidth{};  // "幅", "幅", "高さ"
    std::array<QToolButton*, 3> sbInit{};
    std::array<QLineEdit*, 3> edtInit{};
    std::array<QPushButton*, 3> btnInit{};
    QLabel* lblG40;
    std::array<std::array<QLineEdit*, kLines>, 3> edtPitch{};
    std::array<std::array<QToolButton*, kLines>, 3> sbPitch{};
    std::array<std::array<QLabel*, kLines>, 3> lblName{};
    std::array<QTableWidget*, 3> stg{};
    QComboBox* cmbOffset;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    // A click anywhere but on a "位置" cell puts the drop-down away.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // CanvasEvents: only the size of the pictures matters here.
    void canvasMouseDown(const editor::MouseEvent&) override {}
    void canvasMouseMove(const editor::MouseEvent&) override {}
    void canvasMouseUp(const editor::MouseEvent&) override;
    void canvasWheel(int) override {}
    void canvasResized() override;

    void buildAxisControls(int axis, QWidget* panel);
    void applyCountEdit(int axis);
    void fillPitches(int axis);
    void fillTables();
    void readTablesBack();
    void drawPreview();
    void placeControls();
    void cellReleased(int axis, int row, int column);
    bool computePositions(platform::GridLineRecord& out);
    void saveMemory();

    DialogMemory memory_;
    platform::Platform& platform_;
    platform::KeypadPort& keypad_;
    QtCanvas planCanvas_;
    QtCanvas elvCanvas_;
    platform::GridDialogMode mode_ = platform::GridDialogMode::NewGrid;
    const model::GridModel* grid_ = nullptr;
    PreviewGeometry geometry_;
    bool filling_ = false;
    bool updating_ = false;
    int offsetAxis_ = -1;  // the cell the drop-down stands on
    int offsetRow_ = -1;
};

}  // namespace ui
