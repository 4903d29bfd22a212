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

void GainSlider::DescribePanel(const QString& gain, const QString& value) {
    const QString description = QStringLiteral("Gain %1, Value %2").arg(gain, value);
    // Each change is announced, so only real changes are made.
    if (description != accessibleDescription()) {
        setAccessibleDescription(description);
    }
}

}  // namespace quellmark
