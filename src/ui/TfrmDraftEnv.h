// SPDX-License-Identifier: GPL-3.0-or-later
// The draft settings dialog "作図設定": scales and text sizes, bar marks, the layout and
// defaults of the section lists, the grid-line naming and the stirrup layout. It binds the
// widgets to settings::DraftEnvForm; what OK does with the form is core code.
#pragma once

#include <array>
#include <functional>

#include <QDialog>

#include "platform/feature_ports.h"
#include "session/session.h"
#include "settings/draft_env_form.h"
#include "settings/ini_file.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace ui {

class TfrmDraftEnv : public QDialog, public platform::DraftSettingsPort {
    Q_OBJECT
public:
    // changed runs after an OK that took the settings (the main window redraws).
    TfrmDraftEnv(model::Session& session, settings::IniFile& ini, std::function<void()> changed,
                 QWidget* parent = nullptr);

    void openDraftSettings() override;
    // Fills every control from the settings in memory and shows page 1.
    void setInitDialog();
    // What the controls show now.
    settings::DraftEnvForm form() const;

    QTabWidget* tbcPages;
    // 文字サイズ
    QComboBox *cmbListScale, *cmbListMojiHeight, *cmbDraftScale, *cmbDraftMojiHeight, *cmbDraftMojiUki, *cmbMojiRatio;
    std::array<QRadioButton*, 9> rdoG{};  // rdoG1 ... rdoG9
    // 鉄筋記号: cmbD10 ... cmbD51
    std::array<QComboBox*, 12> cmbMarks{};
    QComboBox* cmbSelSection;
    // 梁断面リスト1 / 2
    std::array<QComboBox*, 8> cmbGTitle{};
    QCheckBox* chkDrawFloor;
    QLineEdit *edtInitB, *edtInitD;
    QComboBox *cmbNoUP, *cmbNmUP, *cmbNoDN, *cmbNmDN, *cmbNoSTAR, *cmbNmSTAR, *cmbPitchSTAR, *cmbNoBODY, *cmbNmBODY;
    QGroupBox* grpFound;
    QCheckBox* chkUDGirder;
    QRadioButton *rdoBottom, *rdoAll;
    QLineEdit *edtBaseA, *edtBaseB;
    QCheckBox* chkGListDim;
    std::array<QRadioButton*, 4> rbGList{};  // rbGListMarkAll, rbGListMarkTop, rbGListDimAll, rbGListDimTop
    std::array<QComboBox*, 5> cmbGFrame{};   // cmbGW1, cmbGW2, cmbGW3, cmbGH, cmbGHD
    // 柱断面リスト1 / 2
    std::array<QComboBox*, 5> cmbCTitle{};
    QCheckBox* chkCListDim;
    std::array<QRadioButton*, 4> rbCList{};
    QLineEdit *edtInitDx, *edtInitDy;
    QComboBox *cmbNoMX, *cmbNoMY, *cmbNmMain, *cmbNoHoopX, *cmbNoHoopY, *cmbNmHoop, *cmbPitchHoop;
    std::array<QComboBox*, 5> cmbCFrame{};
    // 通り心, per direction X, Y, Z
    struct GridNameControls {
        std::array<QRadioButton*, 3> rdo{};  // rdoGridNameX1 ... X3
        QComboBox *moji1, *moji2, *num2, *num3, *moji3;
    };
    std::array<GridNameControls, 3> gridName{};
    // 配筋図
    std::array<QRadioButton*, 4> rbStir{};
    QPushButton *btnOK, *btnCancel;

private:
    QWidget* buildTextPage();
    QWidget* buildMarkPage();
    QWidget* buildGirderPage1();
    QWidget* buildFramePage(const char* prefix, std::array<QComboBox*, 5>& boxes);
    QWidget* buildColumnPage1();
    QWidget* buildGridPage();
    QWidget* buildRebarPage();
    QGroupBox* buildGirderDefaults();
    QGroupBox* buildFoundation();

    QComboBox* textBox(const char* name, const std::vector<std::string>& items, int width = 64);
    QComboBox* markBox(const char* name);
    void presetChosen(int preset);
    void markChosen(int slot, int mark);
    void showMarks(const settings::DraftEnvForm& form);
    void btnOKClick();

    model::Session& session_;
    settings::IniFile& ini_;
    std::function<void()> changed_;
};

}  // namespace ui
