#include "platform/GroupFrame.h"

#include <QPainter>

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
    // A frame takes no input: clicks go through to the window behind it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::setTitle(const QString& title) {
    title_ = title;
    update();
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect frame = rect().adjusted(0, top, -1, -1);
    // Etched: a shadow line with a highlight line one pixel inside it.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1).adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    if (title_.isEmpty()) {
        return;
    }
    const int indent = metrics.horizontalAdvance(QLatin1Char('x'));
    const QRect caption(indent, 0, metrics.horizontalAdvance(title_) + 4, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title_);
}
