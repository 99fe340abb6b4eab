#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "ChildFrame.h"
#include "DesktopTestSupport.h"
#include "MainFrame.h"
#include "RadviewApp.h"
#include "RsdData.h"

// A fresh profile and data folder per test, and day files made from synthetic records.
class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override;

    // Writes a day file of count records (QS-100 and QS-300, step seconds apart from start, by
    // default one minute apart from 2024-06-01 06:00 UTC) and returns its path.
    QString WriteDayFile(const QString& name, int count, int64_t start = 1717221600, int step = 60);
    std::string Profile() const { return m_app->Location().profilePath; }
    // The file opened in a shown main window, of the size when one is given.
    CMainFrame& OpenInWindow(const QString& path, QSize size = {});
    // The file opened in a shown document window of the size.
    CChildFrame& OpenInChild(const QString& path, QSize size);

    QTemporaryDir m_dir;
    std::unique_ptr<CRadviewApp> m_app;
    std::unique_ptr<CMainFrame> m_window;
    std::unique_ptr<CChildFrame> m_child;
};

using desktop_test::AnswerNextMessageBox;

// Loads a file's bytes.
std::string ReadBytes(const QString& path);
