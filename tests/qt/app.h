// The one QApplication of the Qt tests, made by the suite's main() before the
// tests run and destroyed after them.
#pragma once

#include <QApplication>

namespace mr::prova {

inline QApplication& App() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

}  // namespace mr::prova
