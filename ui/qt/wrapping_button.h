#pragma once

#include <QPushButton>

namespace quellmark {

// A push button whose caption wraps onto further lines instead of being cut off. text() and
// the accessible name stay the caption as given.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    WrappingButton(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quellmark
