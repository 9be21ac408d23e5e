// SPDX-License-Identifier: GPL-3.0-or-later
// The open and save dialogs of the editor's file commands. Tests answer through a hook.
// A dialog opens in the folder of the current project, or else in the folder last chosen.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/dialog_ports.h"

namespace ui {

class QtFileDialogs : public platform::FileDialogPort {
public:
    enum class Kind { Open, Save };
    using Hook = std::function<std::optional<std::string>(Kind kind, const std::string& filter,
                                                          const std::string& initialPath)>;

    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    std::optional<std::string> openFile(const std::string& filter, const std::string& initialPath) override;
    std::optional<std::string> saveFile(const std::string& filter, const std::string& initialPath) override;

    void setParentWidget(QWidget* parent) { parent_ = parent; }
    void setHook(Hook hook) { hook_ = std::move(hook); }
    // The current project's file, empty while it has no name of its own.
    void setProjectPath(std::function<std::string()> current) { projectPath_ = std::move(current); }

    // Where a dialog starts: the path the command proposes, else the current project's folder,
    // else the last folder chosen, else the home folder.
    static QString startPath(const std::string& proposed, const std::string& project, const QString& lastFolder);
    const QString& lastFolder() const { return lastFolder_; }

    // "Kelファイル|*.kel|すべて|*.*" as Qt writes filters: "Kelファイル (*.kel);;すべて (*)".
    static QString qtFilter(const std::string& filter);

private:
    QString start(const std::string& proposed) const;
    std::optional<std::string> chosen(const QString& file);

    QPointer<QWidget> parent_;
    Hook hook_;
    std::function<std::string()> projectPath_;
    QString lastFolder_;
};

}  // namespace ui
