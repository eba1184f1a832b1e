#pragma once
// Small pieces shared by the window tests.

#include "app/Gbk.h"

#include <QFile>
#include <QString>
#include <QTest>

namespace kivola::testing {

// Writes USERdat.ini in directory as the program stores it: GBK bytes, CR LF lines.
inline void WriteSettingsFile(const QString& directory, const QString& utf8Lines) {
    QFile file(directory + QStringLiteral("/USERdat.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QString text = utf8Lines;
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const std::string bytes = gbk::FromUtf8(text.toStdString());
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Rows "key" and "modifiers" of the keys that must not close or change a window.
inline void AddClosingKeyRows() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Alt+F4") << int(Qt::Key_F4) << int(Qt::AltModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

} // namespace kivola::testing
