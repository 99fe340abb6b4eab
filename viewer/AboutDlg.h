#pragma once

#include <QDialog>

// Help > About: the program's name and version.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
