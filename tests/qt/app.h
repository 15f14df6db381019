// The one QApplication of the Qt tests, made on first use. Without a display
// the tests draw offscreen.
#pragma once

#include <QApplication>
#include <QtGlobal>

namespace mr::prova {

inline QApplication& App() {
  static int argc = 1;
  static char nome[] = "test_qt";
  static char* argv[] = {nome, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

}  // namespace mr::prova
