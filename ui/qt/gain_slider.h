#pragma once

#include <QSlider>

namespace quellmark {

// A vertical gain slider with its minimum at the top: moving the thumb down, by mouse or by the
// Down keys, raises the value. valueChanged reports only what the user changes, and a drag only
// once, on release.
class GainSlider : public QSlider {
    Q_OBJECT

public:
    GainSlider(int minimum, int maximum, QWidget* parent);

    // Moves the thumb without emitting valueChanged.
    void SetPositionSilently(int position);
    // Tells screen readers what the slider's panel shows: its gain text and device value.
    void DescribePanel(const QString& gain, const QString& value);
};

}  // namespace quellmark
