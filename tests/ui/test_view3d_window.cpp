// SPDX-License-Identifier: GPL-3.0-or-later
// The 3-D view window opens from the menu on the open project, turns with a drag, zooms with
// the wheel, and closing it turns the menu switch off.
#include <filesystem>

#include <QAction>
#include <QPushButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "ui/Tfrm3DView.h"
#include "ui_harness.h"

namespace {

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent ev(type, QPointF(at), w->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                   held, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

TEST(View3DWindow, OpensFromTheMenuTurnsZoomsAndClosingUnchecksTheMenu)
{
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    if (!std::filesystem::exists(sample)) GTEST_SKIP() << "samples/sample.kel is not there yet";
    uitest::Harness h({sample});
    QAction* menu = h.window->action(QStringLiteral("mnuView3D"));
    ASSERT_NE(menu, nullptr);
    menu->trigger();
    uitest::processEvents(30);

    ui::Tfrm3DView& v = h.window->frm3DView();
    ASSERT_TRUE(v.isVisible());
    EXPECT_TRUE(menu->isChecked());
    EXPECT_EQ(v.windowTitle(), QStringLiteral("3Dview"));
    EXPECT_FALSE(v.isModal());
    ASSERT_GT(v.view().segments().size(), 0u);

    const auto dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(v.grab().save(QString::fromStdString((dir / "view3d_sample.png").string()), "PNG"));

    const QImage before = v.canvas().image().copy();
    sendMouse(v.img3d, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    sendMouse(v.img3d, QEvent::MouseMove, {170, 210}, Qt::LeftButton);
    sendMouse(v.img3d, QEvent::MouseButtonRelease, {170, 210}, Qt::NoButton);
    EXPECT_DOUBLE_EQ(v.view().angleA, 40);
    EXPECT_DOUBLE_EQ(v.view().angleB, 50);
    EXPECT_NE(v.canvas().image(), before);

    const QPointF at(100, 100);
    QWheelEvent away(at, v.img3d->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(v.img3d, &away);
    EXPECT_DOUBLE_EQ(v.view().zoom, 90);

    v.btnClose->click();
    uitest::processEvents(10);
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(menu->isChecked());
    EXPECT_FALSE(h.d().menuState().view3DVisible);

    // The switch opens it again, reloaded; Escape closes it like the button.
    menu->trigger();
    uitest::processEvents(10);
    EXPECT_TRUE(v.isVisible());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&v, &esc);
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(menu->isChecked());
}

}  // namespace
