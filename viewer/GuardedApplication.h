#pragma once

#include <QApplication>

// The application whose event handlers may run out of memory (a huge or crafted file) without
// ending the program: the action is abandoned, the user told, and the documents stay open.
class CGuardedApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
