#pragma once

class QAbstractButton;

namespace quellmark {

// Makes Enter and keypad Enter press `button` while it has the focus, as Space does. Outside a
// dialog Qt's buttons take only Space. A held key presses once, as Space does.
void PressOnEnter(QAbstractButton& button);

}  // namespace quellmark
