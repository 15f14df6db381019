#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "app.h"
#include "window/qt/traduzioni.h"

namespace mr {
namespace {

// The standard buttons of Qt's dialogs speak Italian while the translator
// lives, and English again once it is gone.
TEST(TraduciQt, StandardButtonsInItalian) {
  prova::App();
  {
    QTranslator traduttore;
    ASSERT_TRUE(TraduciQt(traduttore));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QString("Salva"));
  }
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
}

}  // namespace
}  // namespace mr
