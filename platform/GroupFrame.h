// A group box drawn the way dialog templates are laid out against: an etched frame whose top
// line runs through the middle of the caption, the caption set into the line near its left
// end. Qt's own group box puts the caption above the frame and would shift every layout.
#pragma once

#include <QWidget>

class GroupFrame : public QWidget {
    Q_OBJECT
public:
    explicit GroupFrame(const QString& title, QWidget* parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
};
