#include "RadlogAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "RadVersion.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("CAboutDlg");
    setWindowTitle(tr("About Radlog"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/radlog/radlog.svg").pixmap(48, 48));
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Radlog Version " RAD_VERSION), this));
    texts->addWidget(new QLabel(tr("Spectral irradiance logger for QS-series sensors"), this));
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
