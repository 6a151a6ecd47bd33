#pragma once

#include <ostream>

#include <QString>

// Failure messages show texts as text, not as bytes; every window test gets
// it through window_test.h.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
