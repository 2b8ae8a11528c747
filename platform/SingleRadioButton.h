// A radio button that is a group of its own: a click only ever checks it, never unchecks it,
// and never clears another radio button. The window's handlers clear the partners.
#pragma once

#include <QRadioButton>

class SingleRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit SingleRadioButton(const QString& text, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};
