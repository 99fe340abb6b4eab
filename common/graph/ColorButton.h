#pragma once

#include <QPushButton>

// A button that shows its colour as a swatch and lets the user pick another one with the
// system colour dialog. The colour is a COLORREF like the settings it edits.
class CColorButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CColorButton(QWidget* parent = nullptr);

    int GetColor() const { return m_crColor; }
    void SetColor(int colorref);

  signals:
    void ColorChosen(int colorref);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void ChooseColor();

    int m_crColor = 0;
};
