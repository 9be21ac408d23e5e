// SPDX-License-Identifier: GPL-3.0-or-later
// The window system's side of platform::Platform: message boxes, the beep, the status bar,
// debug output, starting programs and opening documents. Tests install hooks so that no
// modal box ever waits for a hand that is not there.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

class QLabel;
class QObject;

namespace ui {

class QtPlatform : public platform::Platform {
public:
    using MessageHook = std::function<platform::Answer(const std::string& caption, const std::string& text,
                                                       platform::Buttons buttons)>;
    using UrlHook = std::function<bool(const std::string& resolved)>;
    using ProgramHook = std::function<bool(const std::string& program, const std::string& argument)>;

    static constexpr int kPanelCount = 6;

    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    platform::Answer messageBox(const std::string& caption, const std::string& text, platform::Buttons buttons) override;
    void beep() override;
    void statusText(int panel, const std::string& text) override;
    void debugOut(const std::string& text) override;
    bool startProgram(const std::string& program, const std::string& argument) override;
    // Hands the address to the desktop's default browser (xdg-open); a browser that fails after
    // starting is reported in a message box of its own.
    bool openUrl(const std::string& url) override;
    std::string clipboardText() override;
    void setClipboardText(const std::string& text) override;

    // Message boxes are centred on this window.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    void setStatusPanels(const std::array<QLabel*, kPanelCount>& panels);
    // The text last written to a panel (also before the panels exist).
    std::string status(int panel) const;

    // With a hook set, questions go to it and no box is shown.
    void setMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    void setUrlHook(UrlHook hook) { urlHook_ = std::move(hook); }
    void setProgramHook(ProgramHook hook) { programHook_ = std::move(hook); }
    int beeps() const { return beeps_; }

    // A web address as it is; a local file as its absolute path, or an empty text when the
    // file is not there.
    static std::string resolveDocument(const std::string& url);

private:
    QPointer<QWidget> parent_;
    std::array<QPointer<QLabel>, kPanelCount> panels_{};
    std::array<std::string, kPanelCount> texts_{};
    MessageHook messageHook_;
    UrlHook urlHook_;
    ProgramHook programHook_;
    int beeps_ = 0;
    // Owns the connections that report a browser which failed; they go when the platform goes.
    std::unique_ptr<QObject> openers_;
};

}  // namespace ui
