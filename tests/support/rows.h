#pragma once
// Data tables written as tables: one row to a brace, led by the row's name.
#include <QtTest>

#include <array>
#include <cstddef>
#include <tuple>

// A value for each column: the _data function adds the columns and the rows.
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

// A plain array of rows, structs with a `name` field: the _data function names every row, the
// test function fetches the one it runs.
namespace rows {

template <typename Row, std::size_t N> void add(const Row (&table)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(table[i].name) << int(i);
}

template <typename Row, std::size_t N> const Row& fetch(const Row (&table)[N])
{
    QFETCH(int, row);
    return table[row];
}

} // namespace rows
