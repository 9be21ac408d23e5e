// The open and save dialogs of the editor's file commands. Tests answer through a hook.
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

    // "Kelファイル|*.kel|すべて|*.*" as Qt writes filters: "Kelファイル (*.kel);;すべて (*)".
    static QString qtFilter(const std::string& filter);

private:
    QPointer<QWidget> parent_;
    Hook hook_;
};

}  // namespace ui
