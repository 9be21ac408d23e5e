// The window system's side of platform::Platform: message boxes, the beep, the status bar,
// debug output, starting programs and opening documents. Tests install hooks so that no
// modal box ever waits for a hand that is not there.
#pragma once

#include <array>
#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

class QLabel;

namespace ui {

class QtPlatform : public platform::Platform {
public:
    using MessageHook = std::function<platform::Answer(const std::string& caption, const std::string& text,
                                                       platform::Buttons buttons)>;
    using UrlHook = std::function<bool(const std::string& resolved)>;
    using ProgramHook = std::function<bool(const std::string& program, const std::string& argument)>;

    static constexpr int kPanelCount = 6;

    platform::Answer messageBox(const std::string& caption, const std::string& text, platform::Buttons buttons) override;
    void beep() override;
    void statusText(int panel, const std::string& text) override;
    void debugOut(const std::string& text) override;
    bool startProgram(const std::string& program, const std::string& argument) override;
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

    // A local page named relative to the program ("<dir>/docs/index.html") is looked for beside
    // the program and in the folders above it (a build folder inside the source tree); returns
    // the address to open, or an empty text when there is none.
    static std::string resolveDocument(const std::string& url);

private:
    QPointer<QWidget> parent_;
    std::array<QPointer<QLabel>, kPanelCount> panels_{};
    std::array<std::string, kPanelCount> texts_{};
    MessageHook messageHook_;
    UrlHook urlHook_;
    ProgramHook programHook_;
    int beeps_ = 0;
};

}  // namespace ui
