#pragma once

#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"
#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The main window on real widgets, started in a temporary folder that holds
// a catalogue, shown and ready for keys and clicks.
class WindowFixture : public ::testing::Test {
protected:
    explicit WindowFixture(const std::string& catalogue = SmallCatalogue)
    {
        folder.Write("m_ngc_ic.txt", catalogue);
        form.Create();
        window = std::make_unique<MainWindow>(form);
        window->ShowCentred();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class W>
    W* Widget(std::string_view name) const
    {
        auto* widget = dynamic_cast<W*>(window->Widget(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Calls also after what already shows the control on the screen.
    static void AlsoOnInvalidate(TControl& control, std::function<void()> after)
    {
        control.OnInvalidate = [before = control.OnInvalidate, after] {
            if (before)
                before();
            after();
        };
    }

    TempFolder folder;
    RecordingScreen screen;
    TForm1 form{screen, "celestrix"};
    std::unique_ptr<MainWindow> window;
};
