#pragma once
// Readable failure messages for Qt strings, and test names taken from the
// "name" of each table row.
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
QT_END_NAMESPACE

template <typename Row> std::string RowName(const ::testing::TestParamInfo<Row>& row) {
    return row.param.name;
}
