#pragma once
// A Qt Test main that runs on a Czech system: the regional settings give "," as the decimal
// separator. Set before the application reads the locale.

#include <QApplication>
#include <QTest>

#define VX52_CZECH_TEST_MAIN(TestObject)                                                           \
    int main(int argc, char** argv) {                                                              \
        qputenv("LC_ALL", "cs_CZ.UTF-8");                                                          \
        qputenv("LANG", "cs_CZ.UTF-8");                                                            \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
