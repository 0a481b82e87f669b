#pragma once
// Data tables one row to a brace: the row's name, then a value for each column.
#include <QtTest>

#include <array>
#include <tuple>

template <class... T>
void table(const std::array<const char*, sizeof...(T)>& columns,
    std::initializer_list<std::tuple<const char*, T...>> rows)
{
    std::size_t i = 0;
    (QTest::addColumn<T>(columns[i++]), ...);
    for (const auto& row : rows)
        std::apply([](const char* name, const T&... v) { (QTest::newRow(name) << ... << v); }, row);
}

// The current row's value in `column`.
template <class T> T cell(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}
