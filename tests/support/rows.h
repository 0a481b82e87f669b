#pragma once
// Data tables written as tables: one row to a brace, led by the row's name.
#include <QtTest>

#include <array>
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

template <class T> T cell(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}

// An array of structs with a `name` field: add() names a row for each, fetch() gives the one run.
namespace rows {
template <class Row, std::size_t N> void add(const Row (&table)[N])
{
    QTest::addColumn<int>("row");
    for (const Row& r : table)
        QTest::newRow(r.name) << int(&r - table);
}
template <class Row, std::size_t N> const Row& fetch(const Row (&table)[N])
{
    return table[cell<int>("row")];
}
} // namespace rows
