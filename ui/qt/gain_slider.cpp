#include "gain_slider.h"

#include <QSignalBlocker>

namespace quellmark {

GainSlider::GainSlider(int minimum, int maximum, QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setRange(minimum, maximum);
    setValue(0);
    setSingleStep(1);
    setPageStep(5);
    setInvertedAppearance(true);
    // Without this Down would lower the value and so move the thumb up.
    setInvertedControls(true);
    setTracking(false);
}

void GainSlider::SetPositionSilently(int position) {
    const QSignalBlocker blocker(this);
    setValue(position);
}

}  // namespace quellmark
