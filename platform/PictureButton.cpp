#include "platform/PictureButton.h"

#include <QPainter>

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {}

void PictureButton::SetFaces(const QImage& up, const QImage& down, const QImage& focused,
                             const QImage& disabled) {
    faces_ = {up, down, focused, disabled};
    if (!up.isNull()) {
        setGeometry(QRect(geometry().topLeft(), up.size()));
    }
    update();
}

PictureButton::Face PictureButton::ChosenFace() const {
    if (isDown() && !faces_[Down].isNull()) {
        return Down;
    }
    if (hasFocus() && !faces_[Focused].isNull()) {
        return Focused;
    }
    if (!isEnabled() && !faces_[Disabled].isNull()) {
        return Disabled;
    }
    return Up;
}

QSize PictureButton::sizeHint() const {
    return faces_[Up].isNull() ? QSize(30, 30) : faces_[Up].size();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Copied unscaled into the button's area.
    painter.drawImage(QPoint(0, 0), faces_[ChosenFace()]);
}
