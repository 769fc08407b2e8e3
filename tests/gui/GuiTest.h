#pragma once
// A fresh set of windows on a fake platform for every test, with the error
// box recorded instead of shown, so nothing modal blocks a test.

#include "app/Forms.h"
#include "components/ErrorBox.h"
#include "fakes/FakePlatform.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorBox::setRecorder([this](const QString& text) { errors << text; });
        forms = createForms(platform);
    }
    void TearDown() override
    {
        ++testsEnded();  // a window awaited in vain must not catch the next test's
        ErrorBox::setRecorder(nullptr);
        forms.reset();
    }

    // Runs `action` on the next modal window that appears (once the event
    // loop reaches it); `action` normally ends by closing that window. Gives
    // up after two seconds, so a window that never comes cannot catch a
    // later test's window.
    static void whenModal(std::function<void(QWidget*)> action)
    {
        auto attempt = std::make_shared<std::function<void()>>();
        auto tries = std::make_shared<int>(0);
        *attempt = [action, attempt, tries, test = testsEnded()] {
            if (test != testsEnded())
                return;
            if (QWidget* modal = QApplication::activeModalWidget())
                action(modal);
            else if (++*tries < 400)
                QTimer::singleShot(5, *attempt);
        };
        QTimer::singleShot(0, *attempt);
    }

    // The demo installation's settings file, in which every group finds its keys.
    static std::string demoSettings()
    {
        std::ifstream in(std::filesystem::path(VORNHALE_DEMO_DIR) / "ENGINE" / "VORNHL.CFG", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    static int& testsEnded()
    {
        static int ended = 0;
        return ended;
    }

    FakePlatform platform;
    std::unique_ptr<Forms> forms;
    QStringList errors;
};
