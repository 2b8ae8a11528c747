// A push button that draws itself with one of its faces instead of its caption.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <array>

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Face { Up, Down, Focused, Disabled };

    explicit PictureButton(QWidget* parent = nullptr);

    // Attaches the faces (a null image is a missing face) and takes the size of the up face,
    // keeping the top-left corner.
    void SetFaces(const QImage& up, const QImage& down, const QImage& focused,
                  const QImage& disabled);

    // The face the button shows now: pressed, then focused, then disabled, then up; the first
    // whose condition holds and whose face exists.
    Face ChosenFace() const;
    const QImage& face(Face which) const { return faces_[which]; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QImage, 4> faces_;
};
