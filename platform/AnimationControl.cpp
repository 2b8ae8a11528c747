#include "platform/AnimationControl.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int kDefaultMillisecondsPerFrame = 100;
}

AnimationControl::AnimationControl(QWidget* parent) : QWidget(parent) {
    connect(&timer_, &QTimer::timeout, this, &AnimationControl::advance);
}

bool AnimationControl::Open(const std::string& path) {
    timer_.stop();
    clip_ = AviClip::Load(path);
    current_ = 0;
    if (clip_) {
        const int ms = clip_->microsecondsPerFrame / 1000;
        timer_.setInterval(ms > 0 ? ms : kDefaultMillisecondsPerFrame);
    }
    update();
    return clip_.has_value();
}

void AnimationControl::Play(int from, int to, int repeat) {
    if (!clip_ || repeat == 0)
        return;
    const int last = int(clip_->frames.size()) - 1;
    from_ = std::clamp(from, 0, last);
    to_ = std::clamp(to, from_, last);
    repeatsLeft_ = repeat;
    current_ = from_;
    update();
    timer_.start();
}

void AnimationControl::Seek(int frame) {
    timer_.stop();
    if (!clip_)
        return;
    current_ = std::clamp(frame, 0, int(clip_->frames.size()) - 1);
    update();
}

void AnimationControl::advance() {
    if (current_ < to_) {
        ++current_;
    } else if (repeatsLeft_ == -1 || --repeatsLeft_ > 0) {
        current_ = from_;
    } else {
        timer_.stop(); // the last pass ends on its last frame
        return;
    }
    update();
}

void AnimationControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Unscaled at the top-left corner, inside a one-pixel border, as the clip was drawn.
    if (clip_)
        painter.drawImage(QPoint(1, 1), clip_->frames[size_t(current_)]);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
