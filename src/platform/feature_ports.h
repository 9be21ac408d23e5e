// SPDX-License-Identifier: GPL-3.0-or-later
// Windows that some commands open and that other parts of the program provide: the section
// dialog, the draft settings, the drawing preview, the 3-D view, section CSV exchange, the
// dump window and the version box. A command whose window is not there tells the user so.
#pragma once

namespace platform {

class SectionDialogPort {
public:
    virtual ~SectionDialogPort() = default;
    // Modeless; letter 'G' girders, 'C' columns.
    virtual void openSectionDialog(char letter) = 0;
    // Open, the dialog holds its own copy of the section table and writes it back on OK.
    virtual bool sectionDialogOpen() const = 0;
    // Open with edits its OK has not yet written back.
    virtual bool sectionEditsPending() const { return false; }
    // Closes it as its OK (keep) or its キャンセル does. False when it stayed open: its OK
    // refused a field, said so, and the user is to correct it first.
    virtual bool closeSectionDialog(bool /*keep*/) { return true; }
};

class DraftSettingsPort {
public:
    virtual ~DraftSettingsPort() = default;
    virtual void openDraftSettings() = 0;  // modal
};

class DrawingPort {
public:
    virtual ~DrawingPort() = default;
    // Codes 501-505, 991, 992: runs the drawing in its frame and shows the preview modally
    // (regenerating as the preview asks); the model's store is back when it returns.
    virtual void runDrawing(int code) = 0;
};

class View3DPort {
public:
    virtual ~View3DPort() = default;
    virtual void setVisible(bool visible) = 0;
    // The model changed: reload the 3-D view if it is shown.
    virtual void reload() = 0;
};

class SectionCsvPort {
public:
    virtual ~SectionCsvPort() = default;
    // True when a file was chosen and read into the section table.
    virtual bool importSections() = 0;
    virtual void exportSections() = 0;
};

class DumpWindowPort {
public:
    virtual ~DumpWindowPort() = default;
    virtual void showDump() = 0;
};

class VersionBoxPort {
public:
    virtual ~VersionBoxPort() = default;
    virtual void showVersion() = 0;
};

}  // namespace platform
