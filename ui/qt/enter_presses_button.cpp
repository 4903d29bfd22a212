#include "enter_presses_button.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace quellmark {

namespace {

class EnterPressesButton : public QObject {
public:
    explicit EnterPressesButton(QAbstractButton& button) : QObject(&button), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!enter || !plain) {
            return false;
        }
        if (!key->isAutoRepeat()) {
            button_.click();
        }
        return true;
    }

private:
    QAbstractButton& button_;
};

}  // namespace

void PressOnEnter(QAbstractButton& button) {
    button.installEventFilter(new EnterPressesButton(button));
}

}  // namespace quellmark
