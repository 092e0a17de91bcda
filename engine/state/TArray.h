#pragma once

#include <array>
#include <string>

#include "state/EngineErrors.h"

// Fixed-size arrays indexed from 1, as the engine's formulas count segments, rows and grid
// points. Every access is checked: an index outside 1..N raises EEngineIndexError.
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
    void Fill(const T& value) { m_data.fill(value); }

private:
    static void Check(int i)
    {
        if (i < 1 || i > N) {
            throw EEngineIndexError("index " + std::to_string(i) + " outside 1.."
                                    + std::to_string(N));
        }
    }
    std::array<T, N> m_data{};
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
        if (r < 1 || r > Rows || c < 1 || c > Cols) {
            throw EEngineIndexError("index (" + std::to_string(r) + "," + std::to_string(c)
                                    + ") outside (1.." + std::to_string(Rows) + ",1.."
                                    + std::to_string(Cols) + ")");
        }
    }
    std::array<T, static_cast<std::size_t>(Rows) * Cols> m_data{};
};
