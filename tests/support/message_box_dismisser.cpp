#include "message_box_dismisser.h"

#include <QAbstractButton>
#include <QApplication>
#include <chrono>

namespace quellmark::test_support {

void PrintTo(const ShownBox& box, std::ostream* out) {
    *out << "{" << box.title.toStdString() << ", " << box.text.toStdString() << ", icon "
         << int(box.icon) << ", buttons " << box.buttons.toInt() << "}";
}

MessageBoxDismisser::MessageBoxDismisser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { DismissActiveModal(); });
    timer_.start(std::chrono::milliseconds(2));
}

void MessageBoxDismisser::DismissActiveModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        shown_.push_back({modal->windowTitle(), modal->objectName(), QMessageBox::NoIcon, {}});
        modal->close();
        return;
    }
    shown_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
    } else {
        box->reject();
    }
}

}  // namespace quellmark::test_support
