#include "ColorButton.h"

#include <QColorDialog>
#include <QPainter>

#include "GraphTypes.h"

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, &CColorButton::ChooseColor);
}

void CColorButton::SetColor(int colorref) {
    m_crColor = colorref;
    update();
}

void CColorButton::paintEvent(QPaintEvent*) {
    // Only the swatch: no border, focus mark or pressed look.
    QPainter painter(this);
    painter.fillRect(rect(), rad::ToQColor(m_crColor));
}

void CColorButton::ChooseColor() {
    auto* dialog = new QColorDialog(rad::ToQColor(m_crColor), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& color) {
        SetColor(rad::ToColorRef(color));
        emit ColorChosen(m_crColor);
    });
    dialog->open();
}
