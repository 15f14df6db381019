// The Qt tests run inside one QApplication that lives on main's stack, so it
// is gone before the program's static objects are destroyed. Without a
// display they draw offscreen.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  int esito = RUN_ALL_TESTS();
  QApplication::closeAllWindows();
  return esito;
}
