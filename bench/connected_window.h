#pragma once

#include <QAbstractButton>
#include <QSlider>

#include "form1.h"
#include "pseudo_terminal.h"

namespace quellmark::bench {

// The program's window on the real serial port, shown and connected through COM 1 to a
// pseudo-terminal whose far end the benchmark plays, as a user would have it after pressing
// "Verbinden". Ends the process when it cannot connect.
class ConnectedWindow {
public:
    ConnectedWindow();
    ConnectedWindow(const ConnectedWindow&) = delete;
    ConnectedWindow& operator=(const ConnectedWindow&) = delete;

    test_support::PseudoTerminal& FarEnd() { return farEnd_; }
    QSlider* TxSlider() const;
    QAbstractButton* Button(const char* name) const;

private:
    test_support::PseudoTerminal farEnd_;
    Form1 form_;
};

// Selects the offscreen platform unless the caller chose one.
void DefaultToOffscreen();

}  // namespace quellmark::bench
