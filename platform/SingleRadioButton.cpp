#include "platform/SingleRadioButton.h"

SingleRadioButton::SingleRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent) {
    setAutoExclusive(false);
}

void SingleRadioButton::nextCheckState() {
    setChecked(true);
}
