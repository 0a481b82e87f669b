#pragma once
#include <QtTest>

#include <cstddef>
#include <tuple>

// A test's data rows as a plain table of tuples, each led by its name: the _data function
// names every row, the test function fetches the one it runs.
namespace rows {

template <typename Row, std::size_t N> void add(const Row (&table)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(std::get<0>(table[i])) << int(i);
}

template <typename Row, std::size_t N> const Row& fetch(const Row (&table)[N])
{
    QFETCH(int, row);
    return table[row];
}

} // namespace rows
