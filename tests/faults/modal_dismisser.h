#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace quellmark::faults {

// Closes every modal window as soon as it shows, keeping the message it carried, so that a test
// can go on where a user would have had to press OK. Works inside the window's own nested loop.
class ModalDismisser {
public:
    ModalDismisser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { DismissActiveModal(); });
        timer_.start(std::chrono::milliseconds(1));
    }

    const QStringList& Messages() const { return messages_; }

private:
    void DismissActiveModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        const auto* box = qobject_cast<QMessageBox*>(modal);
        messages_ << (box != nullptr ? box->text() : modal->objectName());
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    QTimer timer_;
    QStringList messages_;
};

}  // namespace quellmark::faults
