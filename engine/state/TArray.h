#pragma once

#include <array>
#include <cstddef>

#include "state/EngineErrors.h"

// The failure of a check, out of line and marked cold: the inner loops of the methods keep
// their values in registers and carry only a compare and a branch never taken. Both raise
// EEngineIndexError.
[[noreturn, gnu::cold, gnu::noinline]] void RaiseIndexError(int i, int n);
[[noreturn, gnu::cold, gnu::noinline]] void RaiseIndexError(int r, int c, int rows, int cols);

// Fixed-size arrays indexed from 1, as the engine's formulas count segments, rows and grid
// points. Every access is checked: an index outside 1..N raises EEngineIndexError. An array
// does not zero itself: a run state comes zeroed from its allocation (or value-initialised),
// and a local array is written before it is read; `TArray1<...> a{}` gives a zeroed one.
template<typename T, int N>
class TArray1
{
public:
    static constexpr int Size() { return N; }

    T& operator[](int i)
    {
        Check(i);
        return m_data[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const
    {
        Check(i);
        return m_data[static_cast<std::size_t>(i - 1)];
    }

private:
    static void Check(int i)
    {
        if (i < 1 || i > N) [[unlikely]] {
            RaiseIndexError(i, N);
        }
    }
    std::array<T, N> m_data;
};

// Fixed-size matrix indexed (row, column), both from 1, checked like TArray1.
template<typename T, int Rows, int Cols>
class TMatrix
{
public:
    static constexpr int RowCount() { return Rows; }
    static constexpr int ColumnCount() { return Cols; }

    T& operator()(int r, int c)
    {
        Check(r, c);
        return m_data[Offset(r, c)];
    }
    const T& operator()(int r, int c) const
    {
        Check(r, c);
        return m_data[Offset(r, c)];
    }

private:
    static std::size_t Offset(int r, int c)
    {
        return static_cast<std::size_t>(r - 1) * Cols + static_cast<std::size_t>(c - 1);
    }
    static void Check(int r, int c)
    {
        if (r < 1 || r > Rows || c < 1 || c > Cols) [[unlikely]] {
            RaiseIndexError(r, c, Rows, Cols);
        }
    }
    std::array<T, static_cast<std::size_t>(Rows) * Cols> m_data;
};
