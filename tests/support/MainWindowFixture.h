// A main window on a private program folder, with a clean settings key and the
// scripted user. The welcome message is already shown unless a test wants it.
// Tests see the window as a player does: its controls, caption and messages.
#pragma once
#include "FakeUi.h"
#include "TestEnv.h"
#include "mainwnd/MainWindow.h"
#include "res/resource.h"
#include "win/ListView.h"
#include <gtest/gtest.h>
#include <memory>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The window's folders: all inside the private program folder.
    MainWindowOptions Options() const;
    // Creates the window (its start-up runs), shows it and lets it paint.
    MainWindow& Start(const std::string& commandLine = "");
    // Destroys the window without its closing steps, so that another can start.
    void Discard();
    // Closes the window through its close box.
    void CloseWindow();
    std::string GamePath(const std::string& name) const { return folder + "\\Games\\" + name + ".qgf"; }
    // Writes a game file named after the title into the games folder.
    void AddGame(const GameRecord& record, const std::vector<char>& picture = {});

    HWND Hwnd() const { return window->Handle(); }
    win::ListView List() const { return win::ListView(GetDlgItem(window->Handle(), IDC_GAMELIST)); }
    std::vector<std::string> Column(int column) const;
    std::string Caption() const { return win::WindowText(Hwnd()); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Hwnd(), id)) != FALSE; }
    // Width and height of the picture the preview shows.
    std::pair<int, int> PreviewSize() const;
    std::string LastRun() const;
    // What the list tells its parent on a click (after selecting the row), on a
    // double click and on a click on a column heading.
    void ClickRow(int row);
    void DoubleClickRow(int row);
    void ClickColumn(int column);
    void Command(int id);
    void Repaint();
    size_t CountMessages(const std::string& text) const;

    FakeUi ui;
    TempFolder temp{"main"};
    const std::string& folder = temp.path;  // the program folder
    std::unique_ptr<MainWindow> window;
};
