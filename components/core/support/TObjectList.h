#pragma once

#include <type_traits>
#include <utility>
#include <vector>

#include "support/Exception.h"

// An index outside 0 .. count - 1 was given to a list.
class EListError : public Exception
{
public:
    using Exception::Exception;
};

// Raises EListError "List index out of bounds (<index>)".
[[noreturn]] void RaiseListIndexError(int index);

// Frees every item from the last to the first, then the list itself. A null list does nothing.
template<typename T>
void FreeListWithItems(std::vector<T*>* list)
{
    if (list == nullptr) {
        return;
    }
    for (auto it = list->rbegin(); it != list->rend(); ++it) {
        delete *it;
    }
    delete list;
}

// A list of objects, index 0 first, that by default owns them: removing, replacing or clearing
// an item, and destroying the list, frees the items concerned (the last first). With
// SetOwnsObjects(false) it only holds references. Null entries are allowed.
//
// Items are freed through T*, so a T that is a base of other classes needs a virtual
// destructor. An index error raises EListError and leaves the list as it was; the object passed
// to a failing Insert or SetItem is then not taken.
template<typename T>
class TObjectList
{
public:
    TObjectList() = default;
    ~TObjectList()
    {
        if (m_ownsObjects) {
            FreeItemsLastFirst(std::exchange(m_items, {}));
        }
    }
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    // Appends; returns the new index. When owning, the object is freed if it cannot be stored.
    int Add(T* object)
    {
        TakeOrFree(object, [&] { m_items.push_back(object); });
        return GetCount() - 1;
    }

    // Frees every item from the last to the first when owning; then empties the list. The list
    // is already empty while the items are freed.
    void Clear()
    {
        std::vector<T*> items = std::exchange(m_items, {});
        if (m_ownsObjects) {
            FreeItemsLastFirst(std::move(items));
        }
    }

    // Removes the entry; frees its item when owning.
    void Delete(int index)
    {
        CheckIndex(index);
        T* item = m_items[index];
        m_items.erase(m_items.begin() + index);
        if (m_ownsObjects) {
            delete item;
        }
    }

    int GetCount() const { return static_cast<int>(m_items.size()); }

    T* GetItem(int index) const
    {
        CheckIndex(index);
        return m_items[index];
    }

    // Index of the first entry equal to the reference, or -1.
    int IndexOf(const T* object) const
    {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] == object) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    // Inserts before the index (index == count appends).
    void Insert(int index, T* object)
    {
        if (index < 0 || index > GetCount()) {
            RaiseListIndexError(index);
        }
        TakeOrFree(object, [&] { m_items.insert(m_items.begin() + index, object); });
    }

    // Stores the new reference; when owning and it differs from the old item, frees the old item.
    void SetItem(int index, T* object)
    {
        CheckIndex(index);
        T* old = std::exchange(m_items[index], object);
        if (m_ownsObjects && old != object) {
            delete old;
        }
    }

    // Removes the entry without freeing its item and hands the item to the caller.
    T* Extract(int index)
    {
        CheckIndex(index);
        T* item = m_items[index];
        m_items.erase(m_items.begin() + index);
        return item;
    }

    bool OwnsObjects() const { return m_ownsObjects; }
    void SetOwnsObjects(bool owns) { m_ownsObjects = owns; }

    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

private:
    static void FreeItemsLastFirst(std::vector<T*> items)
    {
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            delete *it;
        }
    }

    void CheckIndex(int index) const
    {
        if (index < 0 || index >= GetCount()) {
            RaiseListIndexError(index);
        }
    }

    template<typename Store>
    void TakeOrFree(T* object, Store store)
    {
        try {
            store();
        } catch (...) {
            if (m_ownsObjects) {
                delete object;
            }
            throw;
        }
    }

    std::vector<T*> m_items;
    bool m_ownsObjects = true;
};
