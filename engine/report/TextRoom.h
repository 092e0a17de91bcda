#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

// Characters gathered for an output file, with room at the end that a writer fills in place:
// Room(n) gives n characters to write into, Commit(end) keeps what was written up to end. Nothing
// is cleared or copied that is written over anyway; the room grows only when asked for more.
class TTextRoom
{
public:
    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    std::string_view View() const { return {m_data.get(), m_size}; }

    void Reserve(std::size_t capacity)
    {
        if (capacity > m_capacity) {
            Grow(capacity);
        }
    }
    char* Room(std::size_t n)
    {
        if (n > m_capacity - m_size) {
            Grow(m_size + n);
        }
        return m_data.get() + m_size;
    }
    // end lies in the room the last Room call gave.
    void Commit(const char* end) { m_size = static_cast<std::size_t>(end - m_data.get()); }
    void Append(std::string_view text)
    {
        char* room = Room(text.size());
        if (!text.empty()) {
            std::memcpy(room, text.data(), text.size());
        }
        m_size += text.size();
    }
    void Clear() { m_size = 0; }
    // Gives the memory back.
    void Release()
    {
        m_data.reset();
        m_size = 0;
        m_capacity = 0;
    }

private:
    void Grow(std::size_t least)
    {
        std::size_t capacity = m_capacity < 256 ? 256 : m_capacity * 2;
        if (capacity < least) {
            capacity = least;
        }
        std::unique_ptr<char[]> data(new char[capacity]);
        if (m_size > 0) {
            std::memcpy(data.get(), m_data.get(), m_size);
        }
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
