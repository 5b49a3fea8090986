// A main window on a private program folder, with a clean settings key and the
// scripted user. The welcome message is already shown unless a test wants it.
#pragma once
#include "FakeUi.h"
#include "TestEnv.h"
#include "mainwnd/MainWindow.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window (its start-up runs), shows it and lets it paint.
    MainWindow& Start(const std::string& commandLine = "");
    // Destroys the window without its closing steps, so that another can start.
    void Discard();
    // Closes the window through its close box.
    void CloseWindow();
    std::string GamePath(const std::string& name) const { return folder + "\\Games\\" + name + ".qgf"; }
    // Writes a game file named after the title into the games folder.
    void AddGame(const GameRecord& record, const std::vector<char>& picture = {});
    std::string Caption() const;
    void Repaint();

    FakeUi ui;
    std::string folder;
    std::unique_ptr<MainWindow> window;
    // Runs on the new window's state before its start-up.
    std::function<void(AppState&)> beforeStart;
};
