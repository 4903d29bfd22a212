#pragma once

class QCoreApplication;

namespace quellmark {

// Makes Qt's own texts (context menus, standard buttons) German, whatever the locale, from the
// translations installed with Qt. Where they are missing nothing changes and this returns false.
// Numbers keep following the locale.
bool InstallGermanQtTexts(QCoreApplication& application);

}  // namespace quellmark
