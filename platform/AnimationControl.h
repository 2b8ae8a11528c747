// The animation control: shows the frames of an AVI clip without sound, played by a timer
// at the clip's frame rate. A clip that is missing or cannot be read leaves the control
// empty; playing and seeking then do nothing.
#pragma once

#include "platform/AviClip.h"

#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

class AnimationControl : public QWidget {
    Q_OBJECT
public:
    explicit AnimationControl(QWidget* parent = nullptr);

    // Loads the clip and shows its first frame until told to play. False (and an empty
    // control) when the file is missing or broken.
    bool Open(const std::string& path);
    // Plays frames from..to (clamped to the clip), repeat times; -1 repeats without end.
    void Play(int from, int to, int repeat);
    // Stops playing and shows the given frame.
    void Seek(int frame);

    bool isOpen() const { return clip_.has_value(); }
    bool isPlaying() const { return timer_.isActive(); }
    int currentFrame() const { return current_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void advance();

    std::optional<AviClip> clip_;
    QTimer timer_;
    int current_ = 0;
    int from_ = 0;
    int to_ = 0;
    int repeatsLeft_ = 0; // -1: without end
};
