#pragma once

#include <QIcon>

namespace quellmark {

// The program's icon in every size built into the program, so it shows without being installed.
QIcon ProgramIcon();

}  // namespace quellmark
