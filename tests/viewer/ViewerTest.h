#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "RadviewApp.h"
#include "RsdData.h"

// A fresh profile and data folder per test, and day files made from synthetic records.
class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override;

    // Writes a day file of count records (QS-100 and QS-300, one minute apart) and returns its
    // path.
    QString WriteDayFile(const QString& name, int count);
    std::string Profile() const { return m_app->Location().profilePath; }

    QTemporaryDir m_dir;
    std::unique_ptr<CRadviewApp> m_app;
};

// Presses the button of the next message box that opens (modal loops in the code under test).
void AnswerNextMessageBox(QMessageBox::StandardButton button);
// The same for a button identified by its text.
void AnswerNextMessageBox(const QString& buttonText);

// Loads a file's bytes.
std::string ReadBytes(const QString& path);
