// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPlatform.h"

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "editor/help_pages.h"
#include "ui/AboveOpener.h"

namespace ui {

namespace {
std::string utf8(const std::filesystem::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}
}  // namespace

platform::Answer QtPlatform::messageBox(const std::string& caption, const std::string& text, platform::Buttons buttons)
{
    if (messageHook_) return messageHook_(caption, text, buttons);

    // Above the window that asks, even when that window stays on top of the main window.
    QWidget* opener = openerWindow(parent_);
    QMessageBox box(opener);
    if (opener && opener->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    box.setIcon(buttons == platform::Buttons::Ok ? QMessageBox::Information : QMessageBox::Question);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
    case platform::Buttons::Ok: ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole); break;
    case platform::Buttons::YesNo:
    case platform::Buttons::YesNoDefaultNo:
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        break;
    case platform::Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(ok ? ok : buttons == platform::Buttons::YesNoDefaultNo ? no : yes);
    if (cancel) box.setEscapeButton(cancel);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok) return platform::Answer::Ok;
    if (clicked == yes) return platform::Answer::Yes;
    if (clicked == no) return platform::Answer::No;
    // Closed by the title bar: the answer that changes nothing.
    if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
    return cancel ? platform::Answer::Cancel : platform::Answer::No;
}

void QtPlatform::beep()
{
    ++beeps_;
    QApplication::beep();
}

void QtPlatform::setStatusPanels(const std::array<QLabel*, kPanelCount>& panels)
{
    for (int i = 0; i < kPanelCount; ++i) {
        panels_[static_cast<size_t>(i)] = panels[static_cast<size_t>(i)];
        if (panels_[static_cast<size_t>(i)])
            panels_[static_cast<size_t>(i)]->setText(QString::fromStdString(texts_[static_cast<size_t>(i)]));
    }
}

void QtPlatform::statusText(int panel, const std::string& text)
{
    if (panel < 0 || panel >= kPanelCount) return;
    texts_[static_cast<size_t>(panel)] = text;
    if (QLabel* label = panels_[static_cast<size_t>(panel)]) label->setText(QString::fromStdString(text));
}

std::string QtPlatform::status(int panel) const
{
    if (panel < 0 || panel >= kPanelCount) return {};
    return texts_[static_cast<size_t>(panel)];
}

void QtPlatform::debugOut(const std::string& text)
{
    // Trace lines are for a developer who asks for them, not for every user's terminal.
    const char* wanted = std::getenv("TESSMAR_DEBUG");
    if (!wanted || !*wanted) return;
    qDebug().noquote() << QString::fromStdString(text);
}

bool QtPlatform::startProgram(const std::string& program, const std::string& argument)
{
    if (programHook_) return programHook_(program, argument);
    if (program.empty()) return false;
    QStringList args;
    if (!argument.empty()) args << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

std::string QtPlatform::resolveDocument(const std::string& url)
{
    const QUrl asUrl(QString::fromStdString(url));
    const QString scheme = asUrl.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file"))
        return url;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path given = fs::u8path(url);
    if (!fs::exists(given, ec)) return {};
    return utf8(fs::absolute(given, ec));
}

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

bool QtPlatform::openUrl(const std::string& url)
{
    const std::string resolved = resolveDocument(url);
    if (resolved.empty()) return false;
    if (urlHook_) return urlHook_(resolved);
    const QUrl target = resolved.find("://") != std::string::npos || resolved.rfind("file:", 0) == 0
                            ? QUrl(QString::fromStdString(resolved))
                            : QUrl::fromLocalFile(QString::fromStdString(resolved));
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(target);

    // xdg-open answers with its exit status whether a browser took the page; a desktop without
    // one must not leave the user waiting for nothing.
    if (!openers_) openers_ = std::make_unique<QObject>();
    auto* process = new QProcess(qApp);
    QObject::connect(process, &QProcess::finished, openers_.get(),
                     [this, resolved](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             messageBox(platform::kConfirmCaption, editor::cannotOpenText(resolved),
                                        platform::Buttons::Ok);
                     });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {target.toString()});
    if (!process->waitForStarted(3000)) {
        delete process;
        return false;
    }
    return true;
}

std::string QtPlatform::clipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtPlatform::setClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace ui
